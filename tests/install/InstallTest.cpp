// The installed application: `cmake --install` of this build into a
// temporary DESTDIR, the tree it makes, the installed program run through
// its link, and the desktop files checked by the desktop's own validators.

#include "platform/gui/HelpPage.h"
#include "support/ProgramRun.h"
#include "support/QtPrinters.h"
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

// Runs a tool to its end; its exit code, or -1 when it did not finish.
int RunTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (output)
        *output = process.readAll();
    return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST(Install, TheInstalledTreeRunsAndFindsItsHelpPage)
{
    TempDir dest;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), dest.path());
    QByteArray log;
    ASSERT_EQ(RunTool(QStringLiteral(VELLORA_CMAKE_COMMAND),
                      {"--install", QStringLiteral(VELLORA_BUILD_DIR), "--prefix", "/usr"}, &log, env),
              0)
        << log.toStdString();
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

    // The desktop's files.
    const QByteArray entry = Contents(usr.filePath(QStringLiteral("share/applications/%1.desktop").arg(kAppId)));
    for (const char* line : {"Exec=vellora %f\n", "Categories=Science;Astronomy;Viewer;\n",
                             "MimeType=inode/directory;\n", "Icon=org.morvath.Vellora\n"})
        EXPECT_TRUE(entry.contains(line)) << line;
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
    for (const char* file : {"vellor.ini", "Vellora.conf", "vellora.html"})
        EXPECT_TRUE(manPage.contains(file)) << file;

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

}  // namespace
