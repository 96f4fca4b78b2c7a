#pragma once
// Texts of the helper records and the built-in helper table.

namespace res {
inline constexpr const char* kInvalidHelperCall = "Invalid call to CHelperEntry()";
}  // namespace res
