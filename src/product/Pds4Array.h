#pragma once
// The arrays of a PDS4 file area: Array, Array_1D, Array_2D, Array_3D and
// their _Image, _Map, _Spectrum and _Movie kinds, with any axis names.

#include "product/Product.h"
#include "product/XmlElement.h"

#include <QStringList>

#include <optional>

namespace product {

// Whether an element of a file area is an array class.
bool IsPds4ArrayClass(const QString& name);

// Describes one array element whose data lie in `dataFile`; nothing (after
// a warning) when the label does not describe it well enough to be read.
std::optional<ArrayObject> ReadPds4Array(const XmlElement& element, const QString& dataFile, QStringList& warnings);

// A display direction (disp:Display_Direction) for the array whose name or
// local_identifier is `reference` (every array when it is empty).
struct Pds4DisplayDirection {
    QString reference;
    QString horizontalAxis;  // the axis drawn across
    QString verticalAxis;    // the axis drawn down
    bool leftToRight = true;
    bool topToBottom = true;
};

// Takes the display axes (they name the sample and line axes) and
// directions of `display` into `array`.
void ApplyDisplayDirection(ArrayObject& array, const Pds4DisplayDirection& display);

}  // namespace product
