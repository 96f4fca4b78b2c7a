#pragma once
// Loading and saving what the browser window keeps between runs: the three
// options in the per-user registry key, and the helper definitions, which
// come from the user's own vellor.ini, vellor.ini beside the program or the
// built-in table.
// Nothing here ever shows a message; every failure falls back silently.

#include "helpers/CHelperEntry.h"
#include "helpers/CRegistryKey.h"

#include <QString>

namespace helpers {
inline constexpr const char* kHelperFileName = "vellor.ini";
inline constexpr const char* kFileMaskValue = "File Mask";
inline constexpr const char* kTranslateValue = "Translate";
inline constexpr const char* kShowFullPathValue = "Show Full Path";
inline constexpr const char* kDefaultFileMask = "*.lbl";
inline constexpr DWORD kDefaultTranslate = 1;
inline constexpr DWORD kDefaultShowFullPath = 1;
}  // namespace helpers

// Appends one helper per section of the profile file at path (a drive or
// host path), in file order: the section name is the helper's name, the keys
// "Content Type", "Application", "Description", "Extension" and "Message"
// its fields (empty when missing, at most 1,023 characters each). A file
// that cannot be read appends nothing.
void LoadHelpersFromIni(const QString& path, CHelperList& list);

// Writes the three options, in the order file mask, translate, full path.
void SaveOptions(CRegistryKey& key, const QString& fileMask, int translate, int showFullPath);

// The steps of the browser window's construction, each usable on its own:
//
// The user's own vellor.ini in the application's per-user settings folder
// ($XDG_CONFIG_HOME/Morvath/vellor.ini); empty without an application object
// or registry key. It may not exist.
QString UserHelperFile();
// Fills the default helper list from the user's own vellor.ini when it
// exists, else from programDir's vellor.ini or, when there is no such file
// either, from the built-in table. The file read, when it has no sections,
// leaves the list empty.
void LoadDefaultHelpers(const QString& programDir, CHelperList& defaultHelperList);

// What the browser window does while it is built, in this order: the
// default helper list (LoadDefaultHelpers), the three options from the
// application key (created when missing; defaults when it cannot be
// opened), the helper list as a copy of the default list, the system viewer
// list from the machine's file associations.
void LoadBrowserSettings(const QString& programDir, CHelperList& defaultHelperList, CHelperList& helperList,
                         CHelperList& systemViewerList, QString& fileMask, int& translate, int& showFullPath);

// What the browser window does while it is destroyed: writes the three
// options into the application key (nothing when it cannot be opened), then
// empties the system viewer list, the helper list and the default helper
// list, in this order.
void SaveBrowserSettings(const QString& fileMask, int translate, int showFullPath, CHelperList& systemViewerList,
                         CHelperList& helperList, CHelperList& defaultHelperList);
