// Which reader a file goes to by its first bytes, and the files that are
// refused with a message saying what they are.

#include "product/OpenProduct.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace product;

namespace {

TEST(OpenProduct, SniffsTheLabelFlavourFromTheFirstBytes)
{
    EXPECT_EQ(SniffLabel("<?xml version=\"1.0\"?>\n<Product_Observational>"), LabelSniff::Pds4);
    EXPECT_EQ(SniffLabel("\xEF\xBB\xBF  \n<Product_Observational>"), LabelSniff::Pds4);
    EXPECT_EQ(SniffLabel("PDS_VERSION_ID = PDS3\r\n"), LabelSniff::Pds3);
    EXPECT_EQ(SniffLabel("CCSD3ZF0000100000001NJPL3IF0PDSX00000001 = SFDU_LABEL\r\n"), LabelSniff::Pds3);
    EXPECT_EQ(SniffLabel("/* written by hand */\r\nPDS_VERSION_ID = PDS3\r\n"), LabelSniff::Pds3);
    EXPECT_EQ(SniffLabel("RECORD_TYPE = STREAM\n"), LabelSniff::Pds3);
    EXPECT_EQ(SniffLabel("LBLSIZE=2048            FORMAT='BYTE'"), LabelSniff::Vicar);
    EXPECT_EQ(SniffLabel("SIMPLE  =                    T / conforms"), LabelSniff::Fits);
    EXPECT_EQ(SniffLabel("just some words\n= x\n"), LabelSniff::Unknown);
    EXPECT_EQ(SniffLabel(QByteArray("\x89PNG\r\n\x1a\n", 8)), LabelSniff::Unknown);
    EXPECT_EQ(SniffLabel(""), LabelSniff::Unknown);
}

TEST(OpenProduct, RefusesWhatIsNoLabelNamingTheFile)
{
    TempDir dir;
    const auto message = [](const QString& path) {
        try {
            OpenProduct(path);
        } catch (const Error& error) {
            return error.message;
        }
        return QString();
    };
    const QString vicar = dir.write("x.img", "LBLSIZE=1024 FORMAT='HALF'");
    EXPECT_TRUE(message(vicar).startsWith(vicar)) << message(vicar).toStdString();
    EXPECT_TRUE(message(vicar).contains("VICAR"));
    const QString missing = dir.file("absent.lbl");
    EXPECT_TRUE(message(missing).startsWith(missing));
    EXPECT_TRUE(message(dir.path()).startsWith(dir.path()));
    const QString empty = dir.write("empty.lbl", "");
    EXPECT_TRUE(message(empty).startsWith(empty));
}

TEST(OpenProduct, ADataFileOpensTheLabelBesideIt)
{
    TempDir dir;
    const QByteArray label = "PDS_VERSION_ID = PDS3\r\nRECORD_TYPE = FIXED_LENGTH\r\nRECORD_BYTES = 2\r\n"
                             "FILE_RECORDS = 2\r\n^IMAGE = \"SCENE.IMG\"\r\nOBJECT = IMAGE\r\n  LINES = 2\r\n"
                             "  LINE_SAMPLES = 2\r\n  SAMPLE_BITS = 8\r\n  SAMPLE_TYPE = UNSIGNED_INTEGER\r\n"
                             "END_OBJECT = IMAGE\r\nEND\r\n";
    const QString labelPath = dir.write("scene.lbl", label);
    const QString image = dir.write("SCENE.IMG", QByteArray("\x01\x02\x03\x04", 4));
    // A text file of the same name that is no label is passed over.
    dir.write("notes.xml", "no label here\n");
    const QString notes = dir.write("notes.dat", "1 2 3\n");

    EXPECT_EQ(LabelBeside(image), labelPath);
    EXPECT_EQ(LabelBeside(notes), QString());
    const Product product = OpenProductOrLabelBeside(image);
    EXPECT_EQ(product.labelFile, labelPath);
    ASSERT_EQ(product.objects.size(), 1u);
    EXPECT_EQ(std::get<ArrayObject>(product.objects[0]).Lines(), 2);
    // A label opens as itself; a data file without a label is refused.
    EXPECT_EQ(OpenProductOrLabelBeside(labelPath).labelFile, labelPath);
    EXPECT_THROW(OpenProductOrLabelBeside(notes), Error);
    // The command line's OpenProduct still refuses data files.
    EXPECT_THROW(OpenProduct(image), Error);
}

}  // namespace
