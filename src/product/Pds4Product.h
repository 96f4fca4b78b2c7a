#pragma once
// Reads a PDS4 product: an XML label (.xml, .lblx) and the data objects of
// its file areas.

#include "product/Product.h"

#include <QByteArray>

namespace product {

// Parses the label in `path` and describes the data objects of every
// observational and ancillary file area. Throws Error when the file is not
// a PDS4 label.
Product ReadPds4Product(const QString& path);

// The same for a label already in memory: `label` is the text of the file
// `path`, whose folder holds the data files.
Product ReadPds4Product(const QString& path, const QByteArray& label);

}  // namespace product
