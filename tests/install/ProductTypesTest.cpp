// The desktop learns the PDS label types from the package's MIME file and
// opens them with the product viewer: the types by content and by name in
// a private data folder, as QMimeDatabase and GIO see them, and the
// viewer's installed desktop entry and thumbnailer.

#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char kPds3Label[] =
    "PDS_VERSION_ID = PDS3\r\nRECORD_TYPE = FIXED_LENGTH\r\n^IMAGE = \"IMG0001.IMG\"\r\n"
    "OBJECT = IMAGE\r\n  LINES = 2\r\n  LINE_SAMPLES = 2\r\n  SAMPLE_BITS = 8\r\n"
    "  SAMPLE_TYPE = UNSIGNED_INTEGER\r\nEND_OBJECT = IMAGE\r\nEND\r\n";
const char kSfduLabel[] =
    "CCSD3ZF0000100000001NJPL3IF0PDSX00000001 = SFDU_LABEL\r\nPDS_VERSION_ID = PDS3\r\nEND\r\n";
const char kPds4Label[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<?xml-model href=\"https://pds.nasa.gov/pds4/pds/v1/PDS4_PDS_1F00.sch\"?>\n"
    "<Product_Observational xmlns=\"http://pds.nasa.gov/pds4/pds/v1\"\n"
    "    xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "  <Identification_Area><logical_identifier>urn:nasa:pds:x:y:z</logical_identifier>"
    "</Identification_Area>\n</Product_Observational>\n";
const char kOtherXml[] =
    "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1\" height=\"1\"/>\n";

// A private data folder holding the system's own types and the package's
// MIME file, with the database built over it as the package's trigger does.
class ProductTypes : public ::testing::Test {
protected:
    void SetUp() override
    {
        updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        const QString system = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
        if (updater.isEmpty() || !QFileInfo(system).isFile())
            GTEST_SKIP() << "shared-mime-info is not installed";
        const QString packages = data.mkdir("share/mime/packages");
        ASSERT_TRUE(QFile::copy(system, packages + "/freedesktop.org.xml"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELLORA_SOURCE_DIR "/packaging/org.morvath.Vellora.mime.xml"),
                                packages + "/org.morvath.Vellora.xml"));
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_DIRS"), data.file("share"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.file("home-data"));
        QByteArray log;
        ASSERT_EQ(RunTool(updater, {data.file("share/mime")}, &log, env), 0) << log.toStdString();
        ASSERT_TRUE(QFileInfo(data.file("share/mime/mime.cache")).isFile());

        files.write("label", kPds3Label);
        files.write("IMG0001.LBL", kPds3Label);
        files.write("sfdu", kSfduLabel);
        files.write("product", kPds4Label);
        files.write("product.lblx", kPds4Label);
        files.write("drawing", kOtherXml);
        files.write("notes", "PDS labels are text.\n");
    }

    TempDir data;
    TempDir files;
    QString updater;
    QProcessEnvironment env;
};

TEST_F(ProductTypes, QtTypesLabelsByContentAndName)
{
    // QMimeDatabase reads the data folders on its first use in this process.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data.file("share")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.file("home-data")));
    const QMimeDatabase db;
    const auto type = [&](const char* name) { return db.mimeTypeForFile(files.file(name)).name(); };
    EXPECT_EQ(type("label"), "application/x-pds3-label");
    EXPECT_EQ(type("IMG0001.LBL"), "application/x-pds3-label");
    EXPECT_EQ(type("sfdu"), "application/x-pds3-label");
    EXPECT_EQ(type("product"), "application/x-pds4-label");
    EXPECT_EQ(type("product.lblx"), "application/x-pds4-label");
    // Other XML and other text keep their own types.
    EXPECT_EQ(type("drawing"), "image/svg+xml");
    EXPECT_EQ(type("notes"), "text/plain");
    // A PDS4 label is XML to every program that reads XML.
    EXPECT_TRUE(db.mimeTypeForName("application/x-pds4-label").inherits("application/xml"));
    EXPECT_TRUE(db.mimeTypeForName("application/x-pds3-label").inherits("text/plain"));
}

TEST_F(ProductTypes, GioTypesLabelsByContentAndName)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed";
    const auto type = [&](const char* name) {
        QByteArray out;
        RunTool(gio, {"info", "-a", "standard::content-type", files.file(name)}, &out, env);
        const int at = out.indexOf("standard::content-type: ");
        return at < 0 ? QByteArray() : out.mid(at + 24).split('\n').front().trimmed();
    };
    EXPECT_EQ(type("label"), "application/x-pds3-label");
    EXPECT_EQ(type("IMG0001.LBL"), "application/x-pds3-label");
    EXPECT_EQ(type("sfdu"), "application/x-pds3-label");
    EXPECT_EQ(type("product"), "application/x-pds4-label");
    EXPECT_EQ(type("product.lblx"), "application/x-pds4-label");
    EXPECT_EQ(type("notes"), "text/plain");
}

TEST(ViewerEntries, InstalledEntryOpensBothLabelTypesOutsideTheMenus)
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

    const QByteArray entry = Contents(usr.filePath("share/applications/org.morvath.VelloraView.desktop"));
    for (const char* line : {"Exec=vellora-view %f\n", "NoDisplay=true\n",
                             "MimeType=application/x-pds3-label;application/x-pds4-label;\n"})
        EXPECT_TRUE(entry.contains(line)) << line;
    EXPECT_EQ(Contents(usr.filePath("share/mime/packages/org.morvath.Vellora.xml")),
              Contents(VELLORA_SOURCE_DIR "/packaging/org.morvath.Vellora.mime.xml"));
    const QByteArray thumbnailer = Contents(usr.filePath("share/thumbnailers/vellora-view.thumbnailer"));
    EXPECT_TRUE(thumbnailer.contains("Exec=vellora-view --thumbnail %s %i %o\n"));
    EXPECT_TRUE(thumbnailer.contains("MimeType=application/x-pds3-label;application/x-pds4-label;\n"));
    // The names they start are installed.
    const QFileInfo link(usr.filePath("bin/vellora-view"));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_TRUE(QFileInfo(usr.filePath("lib/vellora/vellora-view")).isExecutable());
}

}  // namespace
