// vellora-view installed beside vellora: `cmake --install` of this build
// into a temporary DESTDIR puts the program into lib/vellora/, a relative
// link into bin/ and its man page beside vellora's, and the installed
// program runs through its link.

#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

TEST(ViewInstall, InstalledBesideVelloraWithALinkAndAManPage)
{
    TempDir dest;
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), dest.path());
    install.setProcessEnvironment(env);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(VELLORA_CMAKE_COMMAND),
                  {"--install", QStringLiteral(VELLORA_BUILD_DIR), "--prefix", "/usr"});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();

    const QDir usr(dest.file("usr"));
    const QString program = usr.filePath("lib/vellora/vellora-view");
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    const QFileInfo link(usr.filePath("bin/vellora-view"));
    ASSERT_TRUE(link.isSymLink());
    EXPECT_EQ(link.symLinkTarget(), program);
    EXPECT_EQ(QFile::symLinkTarget(link.filePath()), program);
    EXPECT_TRUE(QFileInfo::exists(usr.filePath("share/man/man1/vellora-view.1.gz")));

    TempDir home;
    const ProgramRun run = ProgramRun::Start(link.filePath(), {"--version"}, home.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("vellora-view " VELLORA_VERSION "\n"));
}

}  // namespace
