// The installed application: `cmake --install` of this build into a
// temporary DESTDIR, the tree it makes, the installed program run through
// its link, the desktop files checked by the desktop's own validators, and
// what the desktop makes of the installed entries: folders still open in
// the file manager.

#include "platform/gui/HelpPage.h"
#include "support/ProgramRun.h"
#include "support/QtPrinters.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

constexpr const char* kAppId = "org.morvath.Vellora";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Installs the build tree under /usr in dest; false (with the log in
// the failure) when cmake --install failed.
::testing::AssertionResult InstallInto(const TempDir& dest)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), dest.path());
    QByteArray log;
    if (RunTool(QStringLiteral(VELLORA_CMAKE_COMMAND),
                {"--install", QStringLiteral(VELLORA_BUILD_DIR), "--prefix", "/usr"}, &log, env) != 0)
        return ::testing::AssertionFailure() << log.toStdString();
    return ::testing::AssertionSuccess();
}

// The value of a key of a desktop entry's main group; empty when missing.
QByteArray EntryValue(const QByteArray& entry, const QByteArray& key)
{
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith('[') && line != "[Desktop Entry]")
            break;
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

TEST(Install, TheInstalledTreeRunsAndFindsItsHelpPage)
{
    TempDir dest;
    ASSERT_TRUE(InstallInto(dest));
    const QDir usr(dest.file("usr"));

    // The program in its program folder, and bin/vellora a relative link
    // to it, so /proc/self/exe names the program folder.
    const QString program = usr.filePath("lib/vellora/vellora");
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    const QFileInfo link(usr.filePath("bin/vellora"));
    ASSERT_TRUE(link.isSymLink());
    EXPECT_EQ(QFile::symLinkTarget(link.filePath()), program);
    // The helper file names the installed product viewer beside the program.
    QByteArray helpers = Contents(VELLORA_SOURCE_DIR "/packaging/vellor.ini.in");
    helpers.replace("@VELLORA_VIEWER_PATH@", "/usr/lib/vellora/vellora-view");
    EXPECT_EQ(Contents(usr.filePath("lib/vellora/vellor.ini")), helpers);
    EXPECT_TRUE(QFileInfo(usr.filePath("lib/vellora/vellora-view")).isExecutable());

    // The desktop's files. The menu entry asks for the volume's folder, and
    // its window is matched to it by the class Qt gives the program's
    // windows (the application name).
    const QByteArray entry = Contents(usr.filePath(QStringLiteral("share/applications/%1.desktop").arg(kAppId)));
    EXPECT_EQ(EntryValue(entry, "Exec"), "vellora --choose %f");
    EXPECT_EQ(EntryValue(entry, "Categories"), "Science;Astronomy;Viewer;");
    EXPECT_EQ(EntryValue(entry, "Icon"), kAppId);
    EXPECT_EQ(EntryValue(entry, "StartupWMClass"), "Vellora");
    // No entry of ours claims folders: installing Vellora never makes it
    // the desktop's application for them.
    const QDir applications(usr.filePath("share/applications"));
    const QStringList entries = applications.entryList({"*.desktop"}, QDir::Files);
    EXPECT_FALSE(entries.isEmpty());
    for (const QString& name : entries) {
        const QByteArray types = EntryValue(Contents(applications.filePath(name)), "MimeType");
        EXPECT_FALSE(types.contains("inode/directory")) << name.toStdString();
    }
    // KDE offers "Open as PDS volume" on folders through a service menu,
    // which hands the folder over as vellora's argument.
    const QByteArray serviceMenu = Contents(
        usr.filePath(QStringLiteral("share/kio/servicemenus/%1.servicemenu.desktop").arg(kAppId)));
    EXPECT_EQ(EntryValue(serviceMenu, "Type"), "Service");
    EXPECT_EQ(EntryValue(serviceMenu, "MimeType"), "inode/directory;");
    EXPECT_TRUE(serviceMenu.contains("\nName=Open as PDS volume\n"));
    EXPECT_TRUE(serviceMenu.contains("\nExec=vellora -- %f\n"));
    const QByteArray metainfo = Contents(usr.filePath(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId)));
    EXPECT_TRUE(metainfo.contains("<launchable type=\"desktop-id\">org.morvath.Vellora.desktop</launchable>"));
    EXPECT_TRUE(metainfo.contains("<release version=\"" VELLORA_VERSION "\""));
    EXPECT_TRUE(QFileInfo(usr.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId))).isFile());
    for (int side : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(usr.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(kAppId)));
        EXPECT_EQ(icon.size(), QSize(side, side)) << side;
        // Transparent corners around the tile, an opaque middle.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << side;
        EXPECT_EQ(qAlpha(icon.pixel(side / 2, side / 2)), 255) << side;
    }
    QByteArray manPage;
    EXPECT_EQ(RunTool(QStringLiteral("gzip"), {"-dc", usr.filePath("share/man/man1/vellora.1.gz")}, &manPage), 0);
    EXPECT_TRUE(manPage.startsWith(".TH VELLORA 1 ")) << manPage.left(80).toStdString();
    for (const char* file : {"vellor.ini", "Vellora.conf", "vellora.html", "\\-\\-choose", "servicemenus"})
        EXPECT_TRUE(manPage.contains(file)) << file;

    // The package's licence and changelog.
    EXPECT_EQ(Contents(usr.filePath("share/doc/vellora/copyright")),
              Contents(VELLORA_SOURCE_DIR "/packaging/copyright"));
    QByteArray changelog;
    EXPECT_EQ(
        RunTool(QStringLiteral("gzip"), {"-dc", usr.filePath("share/doc/vellora/changelog.Debian.gz")}, &changelog), 0);
    EXPECT_TRUE(changelog.startsWith("vellora (" VELLORA_VERSION "-")) << changelog.left(80).toStdString();

    // The installed program runs through its link.
    TempDir home;
    const ProgramRun version = ProgramRun::Start(link.filePath(), {"--version"}, home.path());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vellora " VELLORA_VERSION "\n");
    const ProgramRun help = ProgramRun::Start(link.filePath(), {"--help"}, home.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: vellora [FOLDER]\n"));

    // The help page is found from the program folder, as the Help button
    // looks for it.
    const QString page = usr.filePath("share/doc/vellora/vellora.html");
    EXPECT_TRUE(QFileInfo(page).isFile());
    EXPECT_EQ(platform::FindHelpPage(usr.filePath("lib/vellora"), QStringLiteral("vellora.html")), page);
}

TEST(Install, DesktopEntryAndMetainfoPassTheirValidators)
{
    const QString desktopValidator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (desktopValidator.isEmpty() && appstream.isEmpty())
        GTEST_SKIP() << "neither desktop-file-validate nor appstreamcli is installed";
    const QString packaging = QStringLiteral(VELLORA_SOURCE_DIR "/packaging/");
    QByteArray report;
    if (!desktopValidator.isEmpty()) {
        for (const char* entry : {"org.morvath.Vellora.desktop", "org.morvath.VelloraView.desktop"})
            EXPECT_EQ(RunTool(desktopValidator, {packaging + entry}, &report), 0) << entry << report.toStdString();
    }
    if (!appstream.isEmpty()) {
        EXPECT_EQ(RunTool(appstream, {"validate", "--no-net", packaging + kAppId + ".metainfo.xml"}, &report), 0)
            << report.toStdString();
    }
}

// Whatever the desktop asks for folders, with Vellora installed beside a
// file manager in a private XDG tree, names the file manager.
TEST(Install, FoldersStayWithTheFileManager)
{
    const QString updateDatabase = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (updateDatabase.isEmpty() || xdgMime.isEmpty())
        GTEST_SKIP() << "update-desktop-database or xdg-mime is not installed";
    TempDir dest;
    ASSERT_TRUE(InstallInto(dest));
    TempDir xdg;
    // A file manager of the system, in a data folder after ours, so that
    // an entry of ours claiming folders would be found first.
    xdg.write("system/applications/org.example.Files.desktop",
              "[Desktop Entry]\nType=Application\nName=Files\nExec=true %U\nMimeType=inode/directory;\n");
    const QString ours = dest.file("usr/share");
    QByteArray log;
    for (const QString& folder : {ours + "/applications", xdg.file("system/applications")})
        ASSERT_EQ(RunTool(updateDatabase, {folder}, &log), 0) << log.toStdString();
    EXPECT_FALSE(Contents(ours + "/applications/mimeinfo.cache").contains("inode/directory"));

    // A session without any known desktop, so xdg-mime reads the XDG
    // files themselves.
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", xdg.mkdir("home"));
    env.insert("XDG_DATA_HOME", xdg.mkdir("home/.local/share"));
    env.insert("XDG_DATA_DIRS", ours + ':' + xdg.file("system"));
    env.insert("XDG_CONFIG_HOME", xdg.mkdir("home/.config"));
    env.insert("XDG_CONFIG_DIRS", xdg.mkdir("etc-xdg"));
    QByteArray answer;
    EXPECT_EQ(RunTool(xdgMime, {"query", "default", "inode/directory"}, &answer, env), 0) << answer.toStdString();
    EXPECT_EQ(answer.trimmed().toStdString(), "org.example.Files.desktop");

    // GLib's answer (gio, and so GNOME's file managers and xdg-open), when
    // it is installed.
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (!gio.isEmpty()) {
        EXPECT_EQ(RunTool(gio, {"mime", "inode/directory"}, &answer, env), 0) << answer.toStdString();
        EXPECT_TRUE(answer.contains("org.example.Files.desktop")) << answer.toStdString();
        EXPECT_FALSE(answer.contains("Vellora")) << answer.toStdString();
    }
}

}  // namespace
