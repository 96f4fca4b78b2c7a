#include "product/Pds3Product.h"

namespace product {

Product ReadPds3Product(const QString& path)
{
    throw Error{path + QStringLiteral(": PDS3 labels are not read yet")};
}

}  // namespace product
