// Loading and saving the browser's settings: the options in the per-user
// store, the helpers from the user's own vellor.ini, the program folder's
// or the built-in table.

#include "helpers/HelperLists.h"
#include "helpers/HelperSettings.h"
#include "platform/CWinApp.h"
#include "support/FakeXdg.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class HelperSettings : public ::testing::Test {
protected:
    HelperSettings()
    {
        app.m_pszAppName = "Vellora";
        app.SetRegistryKey("Morvath");
    }
    QString SettingsFile() const { return xdg.path("config/Morvath/Vellora.conf"); }
    QStringList CompanyFolder() const
    {
        return QDir(xdg.path("config/Morvath")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    void Load()
    {
        LoadBrowserSettings(programDir.path(), defaults, helpers, viewers, fileMask, translate, showFullPath);
    }
    void Save() { SaveBrowserSettings(fileMask, translate, showFullPath, viewers, helpers, defaults); }

    FakeXdg xdg;
    TempDir programDir;
    CWinApp app;
    ScriptedRunner runner;  // no message box is expected anywhere here
    CHelperList defaults, helpers, viewers;
    QString fileMask = "unset";
    int translate = -1;
    int showFullPath = -1;
};

TEST_F(HelperSettings, FirstRunUsesTheDefaultsAndWritesThem)
{
    Load();
    EXPECT_EQ(fileMask, "*.lbl");
    EXPECT_EQ(translate, 1);
    EXPECT_EQ(showFullPath, 1);
    Save();

    QSettings stored(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(stored.allKeys(), (QStringList{"File Mask", "Show Full Path", "Translate"}));
    EXPECT_EQ(stored.value("File Mask").toString(), "*.lbl");
    EXPECT_EQ(stored.value("Translate").toString(), "1");
    EXPECT_EQ(stored.value("Show Full Path").toString(), "1");
    // Written whole and renamed into place: nothing else is left behind.
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
    EXPECT_TRUE(defaults.empty());
    EXPECT_TRUE(helpers.empty());
    EXPECT_TRUE(viewers.empty());
}

TEST_F(HelperSettings, StoredValuesWinEachMissingOneTakesItsDefault)
{
    xdg.write("config/Morvath/Vellora.conf", "[General]\nTranslate=0\n");
    Load();
    EXPECT_EQ(fileMask, "*.lbl");
    EXPECT_EQ(translate, 0);
    EXPECT_EQ(showFullPath, 1);

    fileMask = "*.img";
    showFullPath = 0;
    Save();
    Load();
    EXPECT_EQ(fileMask, "*.img");
    EXPECT_EQ(translate, 0);
    EXPECT_EQ(showFullPath, 0);

    // Any number other than 0 is kept as it is.
    xdg.write("config/Morvath/Vellora.conf", "[General]\nTranslate=7\nShow%20Full%20Path=huge\n");
    Load();
    EXPECT_EQ(translate, 7);
    EXPECT_EQ(showFullPath, 1);
}

TEST_F(HelperSettings, ACorruptFileGivesDefaultsButKeepsWhatWasReadable)
{
    xdg.write("config/Morvath/Vellora.conf",
              QByteArray("\xFF\xFE\x00garbage[[\nFile%20Mask=*.tab\n=\n\x01\x02\nTranslate=twelve\n", 54));
    Load();
    EXPECT_EQ(fileMask, "*.tab");
    EXPECT_EQ(translate, 1);
    EXPECT_EQ(showFullPath, 1);
    Save();
    QSettings stored(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(stored.value("File Mask").toString(), "*.tab");
    EXPECT_EQ(stored.value("Translate").toString(), "1");
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HelperSettings, AnUnreadableSettingsFileGivesDefaultsAndIsNotOverwritten)
{
    // As root every file can be read, so "unreadable" is a FIFO (which
    // must not block either) or a folder.
    QDir().mkpath(xdg.path("config/Morvath"));
    const QByteArray fifo = QFile::encodeName(SettingsFile());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    Load();
    EXPECT_EQ(fileMask, "*.lbl");
    EXPECT_EQ(translate, 1);
    EXPECT_EQ(showFullPath, 1);
    fileMask = "*.img";
    Save();
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(CompanyFolder(), QStringList{"Vellora.conf"});
    ::unlink(fifo.constData());

    xdg.dir().mkdir("config/Morvath/Vellora.conf");
    Load();
    EXPECT_EQ(fileMask, "*.lbl");
    Save();
    EXPECT_TRUE(QFileInfo(SettingsFile()).isDir());
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HelperSettings, WithoutAnApplicationObjectNothingIsReadOrWritten)
{
    xdg.write("config/Morvath/Vellora.conf", "[General]\nTranslate=0\n");
    app.m_pszRegistryKey.clear();
    Load();
    EXPECT_EQ(translate, 1);
    Save();
    QSettings stored(SettingsFile(), QSettings::NativeFormat);
    EXPECT_EQ(stored.allKeys(), QStringList{"Translate"});
}

TEST_F(HelperSettings, WithoutVellorIniTheBuiltInTableIsUsedAndCopied)
{
    Load();
    ASSERT_EQ(defaults.size(), 8u);
    ASSERT_EQ(helpers.size(), 8u);
    EXPECT_EQ(defaults[1]->m_strName, "SKYGLASS - Table");
    EXPECT_EQ(defaults[1]->m_strApplication, programDir.path() + "\\skyglass.exe");
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        EXPECT_NE(defaults[i].get(), helpers[i].get());
        EXPECT_EQ(defaults[i]->m_strName, helpers[i]->m_strName);
        EXPECT_EQ(defaults[i]->m_strApplication, helpers[i]->m_strApplication);
    }
}

TEST_F(HelperSettings, VellorIniReplacesTheBuiltInTable)
{
    programDir.write("vellor.ini",
                     "; Helpers for this volume\n"
                     "[Text viewer]\n"
                     "Content Type = TABLE\n"
                     "Application = \"/usr/bin/less\"\n"
                     "Description = View as text.\n"
                     "Extension = .TAB\n"
                     "Message = First line|Second line\n"
                     "Unknown = ignored\n"
                     "[Image viewer]\n"
                     "Application=display\n");
    Load();
    ASSERT_EQ(defaults.size(), 2u);
    const CHelperEntry& first = *defaults[0];
    EXPECT_EQ(first.m_strName, "Text viewer");
    EXPECT_EQ(first.m_strContentType, "TABLE");
    EXPECT_EQ(first.m_strApplication, "/usr/bin/less");
    EXPECT_EQ(first.m_strDescription, "View as text.");
    EXPECT_EQ(first.m_strExtension, ".TAB");
    EXPECT_EQ(first.m_strMessage, "First line|Second line");
    const CHelperEntry& second = *defaults[1];
    EXPECT_EQ(second.m_strName, "Image viewer");
    EXPECT_EQ(second.m_strApplication, "display");
    EXPECT_EQ(second.m_strContentType, "");
    EXPECT_EQ(second.m_strDescription, "");
    EXPECT_EQ(second.m_strExtension, "");
    EXPECT_EQ(second.m_strMessage, "");
    ASSERT_EQ(helpers.size(), 2u);
    EXPECT_EQ(helpers[1]->m_strApplication, "display");
}

TEST_F(HelperSettings, AnEmptyOrUnreadableVellorIniLeavesNoHelpers)
{
    programDir.write("vellor.ini", "");
    Load();
    EXPECT_TRUE(defaults.empty());
    EXPECT_TRUE(helpers.empty());
    Save();

    QFile::remove(programDir.file("vellor.ini"));
    programDir.mkdir("vellor.ini");
    Load();
    EXPECT_TRUE(defaults.empty());
    Save();

    QDir(programDir.file("vellor.ini")).removeRecursively();
    ASSERT_EQ(::mkfifo(QFile::encodeName(programDir.file("vellor.ini")).constData(), 0600), 0);
    Load();
    EXPECT_TRUE(defaults.empty());
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HelperSettings, TheUsersOwnVellorIniStandsInForTheProgramFoldersOne)
{
    programDir.write("vellor.ini", "[Shipped]\nApplication=/usr/bin/xdg-open\n");
    Load();
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0]->m_strName, "Shipped");
    Save();

    const QByteArray mine =
        "; my own helpers\n"
        "[Mine]\nContent Type=IMAGE\nApplication=/usr/bin/display\nExtension=.IMG\n"
        "Message=Close the viewer|to come back\n"
        "[Second]\nApplication = \"/bin/true\"\n";
    const QString userIni = xdg.write("config/Morvath/vellor.ini", mine);
    EXPECT_EQ(UserHelperFile(), userIni);
    Load();
    ASSERT_EQ(defaults.size(), 2u);
    EXPECT_EQ(defaults[0]->m_strName, "Mine");
    EXPECT_EQ(defaults[0]->m_strContentType, "IMAGE");
    EXPECT_EQ(defaults[0]->m_strApplication, "/usr/bin/display");
    EXPECT_EQ(defaults[0]->m_strExtension, ".IMG");
    EXPECT_EQ(defaults[0]->m_strMessage, "Close the viewer|to come back");
    EXPECT_EQ(defaults[1]->m_strName, "Second");
    EXPECT_EQ(defaults[1]->m_strApplication, "/bin/true");
    ASSERT_EQ(helpers.size(), 2u);
    EXPECT_EQ(helpers[0]->m_strName, "Mine");
    Save();

    // Without the program folder's file the user's is still the one read,
    // not the built-in table; and it is never written.
    QFile::remove(programDir.file("vellor.ini"));
    Load();
    ASSERT_EQ(defaults.size(), 2u);
    EXPECT_EQ(defaults[1]->m_strName, "Second");
    Save();
    QFile written(userIni);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), mine);
    EXPECT_EQ(CompanyFolder(), (QStringList{"vellor.ini", "Vellora.conf"}));
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HelperSettings, AUsersVellorIniFollowsTheSameRules)
{
    programDir.write("vellor.ini", "[Shipped]\nApplication=/usr/bin/xdg-open\n");
    // A file without sections leaves no helpers at all: neither the program
    // folder's file nor the built-in table fills in.
    xdg.write("config/Morvath/vellor.ini", "; nothing yet\n");
    Load();
    EXPECT_TRUE(defaults.empty());
    EXPECT_TRUE(helpers.empty());
    Save();

    // Something that exists there but cannot be read counts as such a file.
    QFile::remove(xdg.path("config/Morvath/vellor.ini"));
    xdg.dir().mkdir("config/Morvath/vellor.ini");
    Load();
    EXPECT_TRUE(defaults.empty());
    Save();

    // Gone again: the program folder's file is back.
    QDir(xdg.path("config/Morvath/vellor.ini")).removeRecursively();
    Load();
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0]->m_strName, "Shipped");
    EXPECT_TRUE(runner.Boxes().empty());
}

TEST_F(HelperSettings, TheUsersFolderIsUnderTheHomeWithoutXdgConfigHome)
{
    // The test program's private home; the file and the variable are put
    // back whatever happens.
    struct Restore {
        QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        QString file = QDir::homePath() + "/.config/Morvath/vellor.ini";
        ~Restore()
        {
            QFile::remove(file);
            qputenv("XDG_CONFIG_HOME", configHome);
        }
    } restore;
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserHelperFile(), restore.file);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(restore.file).path()));
    {
        QFile file(restore.file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[From home]\nApplication=/bin/true\n");
    }
    LoadDefaultHelpers(programDir.path(), defaults);
    ASSERT_EQ(defaults.size(), 1u);
    EXPECT_EQ(defaults[0]->m_strName, "From home");
}

TEST_F(HelperSettings, WithoutARegistryKeyNoUsersFileIsLookedFor)
{
    xdg.write("config/Morvath/vellor.ini", "[Mine]\nApplication=/bin/true\n");
    app.m_pszRegistryKey.clear();
    EXPECT_EQ(UserHelperFile(), QString());
    LoadDefaultHelpers(programDir.path(), defaults);
    EXPECT_EQ(defaults.size(), 8u);
}

TEST_F(HelperSettings, LongValuesAreCutAndRepeatedSectionsListedEachTime)
{
    const QByteArray longText(2000, 'a');
    programDir.write("vellor.ini",
                     "[Viewer]\nApplication=" + longText + "\nDescription=first\n"
                     "[Other]\nApplication=other\n"
                     "[VIEWER]\nApplication=second copy\nExtension=.IMG\n");
    LoadHelpersFromIni(programDir.file("vellor.ini"), defaults);
    ASSERT_EQ(defaults.size(), 3u);
    EXPECT_EQ(defaults[0]->m_strApplication, QString(1023, u'a'));
    EXPECT_EQ(defaults[1]->m_strName, "Other");
    // The repeat is listed under its own spelling, with the values of the
    // first section of that name.
    EXPECT_EQ(defaults[2]->m_strName, "VIEWER");
    EXPECT_EQ(defaults[2]->m_strApplication, QString(1023, u'a'));
    EXPECT_EQ(defaults[2]->m_strDescription, "first");
    EXPECT_EQ(defaults[2]->m_strExtension, "");
}

TEST_F(HelperSettings, TheExampleFileDefinesItsHelpers)
{
    LoadHelpersFromIni(QStringLiteral(VELLORA_SOURCE_DIR "/examples/vellor.ini"), defaults);
    ASSERT_EQ(defaults.size(), 5u);
    EXPECT_EQ(defaults[0]->m_strName, "Label as text");
    EXPECT_EQ(defaults[0]->m_strContentType, "*");
    EXPECT_EQ(defaults[0]->m_strApplication, "/usr/bin/gedit");
    EXPECT_EQ(defaults[0]->m_strExtension, ".LBL");
    EXPECT_EQ(defaults[1]->m_strApplication, "/usr/bin/x-terminal-emulator -e /usr/bin/less \"%1\"");
    EXPECT_EQ(defaults[1]->m_strMessage, "Press q to close the pager|and return to Vellora.");
    for (const auto& entry : defaults) {
        EXPECT_FALSE(entry->m_strApplication.isEmpty());
        EXPECT_FALSE(entry->m_strDescription.isEmpty());
        EXPECT_TRUE(entry->m_strApplication.startsWith(u'/'));
    }
    EXPECT_EQ(defaults[4]->m_strExtension, ".GIF");
}

TEST_F(HelperSettings, LoadingRunsTheSystemViewerScan)
{
    xdg.globs("50:text/plain:*.txt\n");
    xdg.program("viewer");
    xdg.desktopEntry("viewer.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f\n");
    xdg.write("share/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=viewer.desktop;\n");
    Load();
    ASSERT_EQ(viewers.size(), 1u);
    EXPECT_EQ(viewers[0]->m_strExtension, ".txt");
    Save();
    EXPECT_TRUE(viewers.empty());
}

}  // namespace
