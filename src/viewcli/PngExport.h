#pragma once
// Writes one band of an image as an 8-bit grey PNG, stretched linearly
// between the 0.5th and the 99.5th percentile of its valid samples, drawn
// in the label's display direction.

#include "product/ArrayReader.h"

namespace viewcli {

// Throws product::Error naming the file when it cannot be written; nothing
// is left behind then.
void WriteBandPng(const product::ArrayReader& reader, std::int64_t band, const QString& path);

}  // namespace viewcli
