// The first-OBJECT scan over text fed in pieces.

#include "label/CLabelScanner.h"

#include "support/QtPrinters.h"
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

QByteArray ScanWhole(const std::string& text, qsizetype maxValue = CLabelScanner::kMaxValueBytes)
{
    CLabelScanner scanner(maxValue);
    scanner.Feed(text.data(), text.size());
    return scanner.Finish();
}

// Feeds the text cut at every position into two pieces, and byte by byte;
// every way must give the same value as the whole text at once.
void ExpectSameAtEveryCut(const std::string& text, const QByteArray& expected)
{
    EXPECT_EQ(ScanWhole(text), expected) << text;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        CLabelScanner scanner;
        if (!scanner.Feed(text.data(), cut))
            scanner.Feed(text.data() + cut, text.size() - cut);
        ASSERT_EQ(scanner.Finish(), expected) << "cut at " << cut << " of: " << text;
    }
    CLabelScanner single;
    for (const char c : text) {
        if (single.Feed(&c, 1))
            break;
    }
    EXPECT_EQ(single.Finish(), expected) << text;
}

TEST(LabelScanner, FindsTheFirstObjectLineAtAnyCut)
{
    ExpectSameAtEveryCut("PDS_VERSION_ID = PDS3\r\nOBJECT = IMAGE\r\nEND\r\n", "IMAGE");
    ExpectSameAtEveryCut("OBJECT=TABLE", "TABLE");
    ExpectSameAtEveryCut("object = table\n", "table");
    ExpectSameAtEveryCut("\tOBJECT   =  SPECTRUM \n", "SPECTRUM");
    ExpectSameAtEveryCut("OBJECT = A = B\n", "A = B");
    ExpectSameAtEveryCut("ObJeCt = \"quoted value\" /* comment */\r\n", "\"quoted value\" /* comment */");
    ExpectSameAtEveryCut("OBJECT = TABLE\nOBJECT = IMAGE\n", "TABLE");
    ExpectSameAtEveryCut("OBJECT =\nOBJECT = IMAGE\n", "");
    ExpectSameAtEveryCut("OBJECT = \t \r\nOBJECT = IMAGE\n", "");
    ExpectSameAtEveryCut("\v\f\r OBJECT \v\f= x\ty \r\r\n", "x\ty");
}

TEST(LabelScanner, KeywordsThatAreNotObjectDoNotMatch)
{
    ExpectSameAtEveryCut("^IMAGE = 5\nEND_OBJECT = IMAGE\nOBJECTS = 3\nOBJ = 1\nOB JECT = 2\n", "");
    ExpectSameAtEveryCut("/* OBJECT = X */\n# OBJECT = Y\nXOBJECT = Z\n", "");
    // No "=": an empty keyword, even when the line reads OBJECT.
    ExpectSameAtEveryCut("\n\nOBJECT\nEND\nOBJECT IMAGE\n=OBJECT\n", "");
    // A NUL byte is just another character of the keyword.
    ExpectSameAtEveryCut("OBJ\0ECT = X\nOBJECT\0 = Y\n"s, "");
    ExpectSameAtEveryCut("\0\0\0\nOBJECT = IM\0AGE\n"s, QByteArray("IM\0AGE", 6));
}

TEST(LabelScanner, LastLineNeedsNoLineEnd)
{
    ExpectSameAtEveryCut("A = 1\r\nOBJECT = HISTORY", "HISTORY");
    ExpectSameAtEveryCut("OBJECT = ", "");
    ExpectSameAtEveryCut("", "");
    // A lone CR does not end a line.
    ExpectSameAtEveryCut("A = 1\rOBJECT = X\n", "");
    ExpectSameAtEveryCut("OBJECT = X\rY\n", "X\rY");
}

TEST(LabelScanner, StopsRightAfterTheObjectLine)
{
    CLabelScanner scanner;
    const std::string text = "A = 1\nOBJECT = FILE\nrest";
    EXPECT_TRUE(scanner.Feed(text.data(), text.size()));
    EXPECT_TRUE(scanner.Done());
    EXPECT_EQ(scanner.Finish(), "FILE");
}

TEST(LabelScanner, RunawayValueGivesNoContentType)
{
    EXPECT_EQ(ScanWhole("OBJECT = 12345678\n", 8), "12345678");
    EXPECT_EQ(ScanWhole("OBJECT =   1234567\r\n", 8), "1234567");
    EXPECT_EQ(ScanWhole("OBJECT = 123456789\nOBJECT = X\n", 8), "");
    CLabelScanner pieces(8);
    EXPECT_FALSE(pieces.Feed("OBJECT = 1234", 13));
    EXPECT_TRUE(pieces.Feed("56789", 5));
    EXPECT_EQ(pieces.Finish(), "");
}

TEST(LabelScanner, HolesEndTheCurrentLine)
{
    // A run of NUL bytes can never be part of the OBJECT keyword...
    CLabelScanner scanner;
    scanner.Feed("OBJE", 4);
    ASSERT_TRUE(scanner.CanSkipZeros());
    scanner.SkipZeros();
    scanner.Feed("CT = X\nOBJECT = IMAGE\n", 22);
    EXPECT_EQ(scanner.Finish(), "IMAGE");
    // ...but belongs to a value, which is then read rather than skipped.
    CLabelScanner value;
    value.Feed("OBJECT = A", 10);
    EXPECT_FALSE(value.CanSkipZeros());
}

}  // namespace
