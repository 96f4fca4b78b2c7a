#pragma once
// Texts of the command line: the usage, the version line and the one-line
// errors, all printed before any window exists. "%1" and "%2" stand for
// arguments as given.

namespace res {
inline constexpr const char* kUsage =
    "Usage: vellora [FOLDER]\n"
    "Browses the PDS volume in FOLDER, or in the current folder when no folder is given.\n";
inline constexpr const char* kVersionLine = "vellora 1.0\n";
inline constexpr const char* kUnknownOption = "vellora: \"%1\" is not an option; \"vellora --help\" shows the usage.";
inline constexpr const char* kOneFolderOnly = "vellora: only one folder can be given, so \"%1\" is one too many.";
inline constexpr const char* kNoSuchFolder = "vellora: the folder \"%1\" does not exist.";
inline constexpr const char* kNotAFolder = "vellora: \"%1\" is not a folder.";
inline constexpr const char* kCannotEnterFolder = "vellora: the folder \"%1\" cannot be opened: %2.";
}  // namespace res
