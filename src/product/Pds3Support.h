#pragma once
// What the PDS3 image and table describers share: checked arithmetic on a
// label's numbers, finding data and structure files, special constants and
// the keywords of one object.

#include "product/OdlLabel.h"
#include "product/Product.h"

#include <optional>

namespace product {

// a * b + c without overflow; empty when the result leaves int64 or an
// operand is negative.
std::optional<std::int64_t> Pds3MulAdd(std::int64_t a, std::int64_t b, std::int64_t c);

// The file `name` (may hold '/' separated folders) in `folder`, each part
// matched without regard to case; empty when there is none.
QString FindWithoutCase(const QString& folder, const QString& name);

// A ^STRUCTURE file: beside the label, else in a LABEL folder of the
// label's folder or of any folder above it.
QString FindStructureFile(const QString& labelFolder, const QString& name);

// The numeric special constants among `block`'s keywords whose names
// `isSpecial` accepts. A radix constant of a real type is the bit pattern
// of that real (16#FF7FFFFB# of a 4-byte real is -3.4028227e38).
std::vector<SpecialConstant> SpecialConstants(const OdlBlock& block, bool (*isSpecial)(const QString& upperName),
                                              const ElementType* element);

// An optional whole number keyword: its value, `fallback` when absent,
// empty (and a warning) when present but not a whole number >= 0.
std::optional<std::int64_t> CountKeyword(const OdlBlock& block, QStringView keyword, std::int64_t fallback,
                                         const QString& object, QStringList& warnings);

// A keyword's value as text ("" when absent).
QString TextOf(const OdlBlock& block, QStringView keyword);

}  // namespace product
