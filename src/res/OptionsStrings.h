#pragma once
// Texts of the Options sheet's pages and the New Helper dialog. The texts
// of their controls are in their templates (src/res/gui/).

namespace res {
// The Helpers page's Default button asks first.
inline constexpr const char* kDefaultHelpersQuestion =
    "This will delete all current entries and\nreplace them with the default list of helpers.";
// A new helper could not be made.
inline constexpr const char* kHelperNoMemory = "Unable to obtain enough memory to\ncomplete the task.";
// A field of the New Helper dialog left empty; %s is the field's name.
inline constexpr const char* kHelperIncomplete =
    "A Helper entry must have a \"%s\" defined\nin order to be complete.";
inline constexpr const char* kHelperFieldName = "Name";
inline constexpr const char* kHelperFieldContentType = "Content Type";
inline constexpr const char* kHelperFieldApplication = "Application";
inline constexpr const char* kHelperFieldDescription = "Description";
// The open-file dialog of the Browse button.
inline constexpr const char* kHelperProgramFilter =
    "Executable files (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All files (*.*)|*.*||";
}  // namespace res
