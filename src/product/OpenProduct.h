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

// The label that describes the data file `path`: a file beside it with the
// same name up to the extension and the extension .lbl, .xml or .lblx (any
// case) whose first bytes are a PDS label. Empty when there is none.
QString LabelBeside(const QString& path);

// As OpenProduct, but a data file that is no label itself (a detached
// image or table, a VICAR or FITS file) opens the label beside it, so
// whichever file of a product the user picks shows the product.
Product OpenProductOrLabelBeside(const QString& path);

}  // namespace product
