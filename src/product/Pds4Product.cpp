#include "product/Pds4Product.h"

namespace product {

Product ReadPds4Product(const QString& path)
{
    throw Error{path + QStringLiteral(": PDS4 labels are not read yet")};
}

}  // namespace product
