#pragma once
// Texts of the helper launch.

namespace res {
// "Unable to start helper for \"" + type name + "\" type content.\nReason: " + reason
inline constexpr const char* kUnableToStartHelper = "Unable to start helper for \"";
inline constexpr const char* kTypeContentReason = "\" type content.\nReason: ";
inline constexpr const char* kReasonFileNotFound = "File not found.";
inline constexpr const char* kReasonAccessDenied = "Access denied.";
inline constexpr const char* kReasonSystemError = "System error #%d occured.";
}  // namespace res
