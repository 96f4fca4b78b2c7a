#pragma once
// Opens a product by its label: a PDS4 XML label, a PDS3 label (detached or
// at the start of its data file). Other files (VICAR, FITS, anything that
// is no PDS label) are refused with a message saying what they are.

#include "product/Product.h"

namespace product {

enum class LabelSniff { Pds3, Pds4, Vicar, Fits, Unknown };

// What the first bytes of a file say it is.
LabelSniff SniffLabel(const QByteArray& head);

// Reads the product whose label is `path`. Throws Error naming the file and
// what is wrong.
Product OpenProduct(const QString& path);

}  // namespace product
