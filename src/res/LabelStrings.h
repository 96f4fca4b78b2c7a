#pragma once
// Texts of the label reader.

namespace res {
// Followed by the path of the label that could not be opened.
inline constexpr const char* kUnableToOpenFile = "Unable to open file: ";
}  // namespace res
