#pragma once
// Texts of the application shell: start-up and the Volume Contents dialog.

namespace res {
inline constexpr const char* kAppName = "Vellora";
inline constexpr const char* kRegistryCompany = "Morvath";
// The volume description file in the root of the current drive.
inline constexpr const char* kContentsFileFormat = "%c:/AAREADME.TXT";
inline constexpr const char* kNoContentsFile = "*** No contents description file present ***";
inline constexpr const char* kNotPdsCompliant = "Volume is not PDS compliant and may not contain PDS labeled data.";
inline constexpr const char* kExploringDriveFormat = "If you continue you will be exploring drive %c:";
}  // namespace res
