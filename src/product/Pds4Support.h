#pragma once
// What the PDS4 array and table readers share: numbers from label text,
// 64-bit arithmetic that reports overflow instead of wrapping, the special
// constants and scaling of an element.

#include "product/Pds4ObjectWarnings.h"
#include "product/Product.h"
#include "product/XmlElement.h"

#include <QStringList>

#include <cstdint>
#include <optional>

namespace product {

// A whole number as a label writes it ("2048", " 2048 ", "2048.0").
std::optional<std::int64_t> ParseLabelInteger(const QString& text);

// A real number: "1.79e+200", "-9.9", "10e-2", or a radix number "16#FF#".
std::optional<double> ParseLabelReal(const QString& text);

// a + b and a * b, or nothing when the result does not fit.
std::optional<std::int64_t> CheckedAdd(std::int64_t a, std::int64_t b);
std::optional<std::int64_t> CheckedMultiply(std::int64_t a, std::int64_t b);

// The name of an object or field: `name`, else `local_identifier`, else empty.
QString Pds4Title(const XmlElement& element);

// The children of a Special_Constants element, each by its own name, so
// misspelt ones count too. valid_minimum and valid_maximum bound a range and
// mark no value, so they are not taken.
std::vector<SpecialConstant> ReadSpecialConstants(const XmlElement& owner, Pds4ObjectWarnings& warnings);

// scaling_factor and value_offset, each 1 and 0 when the element has none.
// Returns nothing (after a warning) when one of them is not a number.
std::optional<Scaling> ReadScaling(const XmlElement& owner, Pds4ObjectWarnings& warnings);

// A required whole number child from `least` to `most`; nothing (after a
// warning that the object is left out) when it is missing or out of range.
std::optional<std::int64_t> RequiredCount(const XmlElement& owner, QStringView child, std::int64_t least,
                                          std::int64_t most, Pds4ObjectWarnings& warnings);

}  // namespace product
