#pragma once
// Texts of the browser window.

namespace res {
// Tool tips and accessible names of the three picture buttons.
inline constexpr const char* kUpDirTip = "Up one folder";
inline constexpr const char* kListViewTip = "List view";
inline constexpr const char* kDetailsViewTip = "Details view";
// The help page, beside the program or in the shared documentation folder.
inline constexpr const char* kHelpPageName = "vellora.html";
inline constexpr const char* kHelpPageMissing = "The help page vellora.html could not be found.";

// Folder tree.
inline constexpr const char* kScanningForDrives = "Scanning system for drives.";
inline constexpr const char* kItemHasNoChildren = "Irregular error. Item has no children.";
// File list: column headings and the content-type text of a folder.
inline constexpr const char* kColumnFileName = "File name";
inline constexpr const char* kColumnContentType = "ContentType";
inline constexpr const char* kColumnSize = "Size";
inline constexpr const char* kFolderContentType = "Folder";
}  // namespace res
