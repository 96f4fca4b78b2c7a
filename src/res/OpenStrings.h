#pragma once
// Texts of opening a file: the open-with-helper flow, the Find Helper
// dialog and the search for a missing helper program.

namespace res {

// A program item that could not be started.
inline constexpr const char* kUnableToRunApplication = "Unable to run application.";
// "Unable to determine PDS content type\nfor file: " + path + "\nFile may not be a PDS label."
inline constexpr const char* kNoContentTypeForFile = "Unable to determine PDS content type\nfor file: ";
inline constexpr const char* kMayNotBeALabel = "\nFile may not be a PDS label.";
// "No helper application defined for files of the type: " + extension + "\nWould you like ..."
inline constexpr const char* kNoHelperDefined = "No helper application defined for files of the type: ";
inline constexpr const char* kPickAnApplication = "\nWould you like to pick an application to view the file with?";
// The filters of the open-file dialog that picks a program.
inline constexpr const char* kExecutablesFilter =
    "Executables (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*||";
// Appended to the launch error in the Find Helper dialog, before the program's file name.
inline constexpr const char* kMissingHelperName = "\n\nThe name of the missing helper is: ";
// "Did not find helper '" + name + "'\nAlong path: " + start + "\nContent type: " + type + "\n\nUnable ..."
inline constexpr const char* kDidNotFindHelper = "Did not find helper '";
inline constexpr const char* kAlongPath = "'\nAlong path: ";
inline constexpr const char* kContentTypeLine = "\nContent type: ";
inline constexpr const char* kUnableToDoAnythingElse = "\n\nUnable to do anything else.";
// "Once again unable to run the helper application.\nReason: " + launch error
inline constexpr const char* kOnceAgainUnable = "Once again unable to run the helper application.\nReason: ";

// Progress texts of the Find Helper dialog's drive test and of the search.
inline constexpr const char* kPreparingFindHelper =
    "Helper application not found. Preparing dialog.\nScanning system for drives.";
inline constexpr const char* kTestingForDrive = "Testing for drive ";
inline constexpr const char* kScanningFolder = "Scanning: ";

}  // namespace res
