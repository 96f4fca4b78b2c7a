#include "helpers/HelperSettings.h"

#include "helpers/HelperLists.h"
#include "helpers/SystemViewers.h"
#include "platform/CWinApp.h"
#include "platform/DriveTable.h"
#include "platform/FileStatus.h"
#include "platform/ProfileFile.h"

namespace {

constexpr int kSectionNamesBufferChars = 4096;
constexpr int kValueBufferChars = 1024;

QString Latin1(const char* text) { return QString::fromLatin1(text); }

// The application key, taken over by key; key stays closed when there is
// no application object or the key cannot be opened.
void OpenApplicationKey(CRegistryKey& key)
{
    const CWinApp* app = AfxGetApp();
    if (const platform::KeyPath application = app ? app->GetAppRegistryKey() : platform::KeyPath())
        key.Open(application, nullptr, KEY_WRITE);
}

// Reads the three options from the application key; each missing or
// unreadable value takes its default ("*.lbl", 1, 1).
void LoadOptions(const CRegistryKey& key, QString& fileMask, int& translate, int& showFullPath)
{
    fileMask = key.QueryString(Latin1(helpers::kFileMaskValue), Latin1(helpers::kDefaultFileMask));
    translate = static_cast<int>(key.QueryDword(Latin1(helpers::kTranslateValue), helpers::kDefaultTranslate));
    showFullPath =
        static_cast<int>(key.QueryDword(Latin1(helpers::kShowFullPathValue), helpers::kDefaultShowFullPath));
}

}  // namespace

void LoadHelpersFromIni(const QString& path, CHelperList& list)
{
    ProfileFile profile;
    if (!profile.Load(platform::HostPath(path)))
        return;
    for (const QString& section : profile.SectionNames(kSectionNamesBufferChars)) {
        auto value = [&](const char* key) {
            return profile.String(section, Latin1(key), QString(), kValueBufferChars);
        };
        list.push_back(std::make_unique<CHelperEntry>(value("Content Type"), value("Application"),
                                                      value("Description"), value("Extension"), section,
                                                      value("Message")));
    }
}

void SaveOptions(CRegistryKey& key, const QString& fileMask, int translate, int showFullPath)
{
    key.SetString(Latin1(helpers::kFileMaskValue), fileMask);
    key.SetDword(Latin1(helpers::kTranslateValue), static_cast<DWORD>(translate));
    key.SetDword(Latin1(helpers::kShowFullPathValue), static_cast<DWORD>(showFullPath));
}

QString UserHelperFile()
{
    const CWinApp* app = AfxGetApp();
    const QString folder = app ? app->GetUserSettingsFolder() : QString();
    return folder.isEmpty() ? QString() : folder + u'/' + Latin1(helpers::kHelperFileName);
}

void LoadDefaultHelpers(const QString& programDir, CHelperList& defaultHelperList)
{
    FileStatus status;
    // The user's own file, when there is one, stands in for the program
    // folder's, by the same rules.
    const QString userIni = UserHelperFile();
    if (!userIni.isEmpty() && platform::GetStatus(userIni, status)) {
        LoadHelpersFromIni(userIni, defaultHelperList);
        return;
    }
    // The program folder is a host path, so the file is joined with "/".
    const QString iniPath = programDir + u'/' + Latin1(helpers::kHelperFileName);
    if (!platform::GetStatus(iniPath, status))
        AddDefaultHelpers(programDir, defaultHelperList);
    else
        LoadHelpersFromIni(iniPath, defaultHelperList);
}

void LoadBrowserSettings(const QString& programDir, CHelperList& defaultHelperList, CHelperList& helperList,
                         CHelperList& systemViewerList, QString& fileMask, int& translate, int& showFullPath)
{
    LoadDefaultHelpers(programDir, defaultHelperList);
    CRegistryKey key;
    OpenApplicationKey(key);
    LoadOptions(key, fileMask, translate, showFullPath);
    key.Close();
    CopyHelpers(defaultHelperList, helperList);
    ScanSystemViewers(systemViewerList);
}

void SaveBrowserSettings(const QString& fileMask, int translate, int showFullPath, CHelperList& systemViewerList,
                         CHelperList& helperList, CHelperList& defaultHelperList)
{
    CRegistryKey key;
    OpenApplicationKey(key);
    SaveOptions(key, fileMask, translate, showFullPath);
    key.Close();
    DeleteHelpers(systemViewerList);
    DeleteHelpers(helperList);
    DeleteHelpers(defaultHelperList);
}
