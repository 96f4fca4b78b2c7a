// The Debian package: CPack makes it from this build into a temporary
// folder, and lintian checks it as Debian checks its own packages. Whatever
// programs the package holds are checked with it (hardening, stripped
// sections, man pages).

#include "support/QtPrinters.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

constexpr int kSlowToolMs = 600000;

// The tools a package and its check need; the first one missing, or empty.
QString MissingTool()
{
    for (const char* tool : {"lintian", "dpkg-deb", "dpkg-shlibdeps", "file", "objcopy"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool);
    }
    return {};
}

// Makes the package from this build into folder; its path, or empty (with
// a failure) when CPack failed.
QString MakePackage(const TempDir& folder)
{
    const QString cpack = QFileInfo(QStringLiteral(VELLORA_CMAKE_COMMAND)).dir().filePath("cpack");
    QByteArray log;
    // Packing and checking the package take minutes on a loaded machine.
    if (RunTool(cpack, {"-G", "DEB", "--config", VELLORA_BUILD_DIR "/CPackConfig.cmake", "-B", folder.path()}, &log,
                QProcessEnvironment::systemEnvironment(), kSlowToolMs) != 0) {
        ADD_FAILURE() << log.toStdString();
        return {};
    }
    const QStringList debs = QDir(folder.path()).entryList({"*.deb"}, QDir::Files);
    if (debs.size() != 1) {
        ADD_FAILURE() << "not one package: " << debs.join(' ').toStdString();
        return {};
    }
    return folder.file(debs.first());
}

// One package for both checks: making it is the slow part.
TEST(Package, PassesLintianAndNamesNoInventedSite)
{
    if (const QString missing = MissingTool(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString() << " is not installed";
    TempDir out;
    const QString deb = MakePackage(out);
    ASSERT_FALSE(deb.isEmpty());

    QByteArray control;
    ASSERT_EQ(RunTool(QStandardPaths::findExecutable("dpkg-deb"), {"--info", deb, "control"}, &control), 0)
        << control.toStdString();
    EXPECT_TRUE(control.contains("\nVersion: " VELLORA_VERSION "-1\n")) << control.toStdString();
    EXPECT_TRUE(control.contains("\nMaintainer: Vellora developers <vellora@morvath.invalid>\n"))
        << control.toStdString();
    EXPECT_FALSE(control.contains("Homepage:")) << control.toStdString();
    EXPECT_FALSE(control.contains("morvath.org")) << control.toStdString();

    QByteArray report;
    const int status = RunTool(QStandardPaths::findExecutable("lintian"),
                               {"--fail-on", "error,warning", "--display-info", deb}, &report,
                               QProcessEnvironment::systemEnvironment(), kSlowToolMs);
    EXPECT_EQ(status, 0) << report.toStdString();
    // Nor any of the notes it once made: every program hardened and
    // stripped of its build notes, a licence and a changelog.
    for (const char* tag :
         {"hardening-no-fortify-functions", "hardening-no-bindnow", "hardening-no-relro", "binary-has-unneeded-section",
          "no-copyright-file", "no-changelog", "unstripped-binary-or-object"})
        EXPECT_FALSE(report.contains(tag)) << tag << "\n" << report.toStdString();
}

}  // namespace
