#pragma once
// Reads a PDS3 product: a detached label (.LBL) or a file that starts with
// its own label, and the data objects it describes.

#include "product/Product.h"

namespace product {

// Parses the label in `path` and describes its data objects; the data files
// named by pointers are found beside the label without regard to case.
// Throws Error when the file holds no PDS3 label.
Product ReadPds3Product(const QString& path);

}  // namespace product
