// The ODL parser on labels written here and on the real labels of the
// shared corpus.

#include "product/OdlParser.h"

#include <gtest/gtest.h>
#include "support/QtPrinters.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

using product::OdlBlock;
using product::OdlLabel;
using product::OdlParser;
using product::OdlValue;
using Kind = product::OdlValue::Kind;

OdlLabel ParseText(const QByteArray& text) { return OdlParser::Parse(text); }

const QByteArray kFullSyntax =
    "PDS_VERSION_ID = PDS3\n"                       // 1
    "/* a comment line */\n"                        // 2
    "RECORD_BYTES = 2048 /* trailing comment */\n"  // 3
    "^IMAGE_HEADER = 14\n"                          // 4
    "^IMAGE = (\"img0001.img\", 2 <BYTES>)\n"       // 5
    "^TABLE = 1200 <BYTES>\n"                       // 6
    "^SERIES = \"SERIES.DAT\"\n"                    // 7
    "^SPECTRUM = (\"SPEC.DAT\", 3)\n"               // 8
    "START_TIME = 1998-034T12:00:00.000Z\n"         // 9
    "STOP_DATE = 1997-07-04\n"                      // 10
    "DESCRIPTION = \"First line\n"                  // 11
    "    second line   \n"                          // 12
    "  third\"\n"                                   // 13
    "TARGET = 'IO'\n"                               // 14
    "FILTERS = {RED, 'GREEN 2', \"BLUE\"}\n"        // 15
    "MATRIX = ((1, 2.5), (-3, 4E2))\n"              // 16
    "DISTANCE = -12.5E-1 <KM/S>\n"                  // 17
    "MASK = 16#FF7FFFFB#\n"                         // 18
    "BITS = -2#101#\n"                              // 19
    "EMPTY_LIST = ()\n"                             // 20
    "NS:KEY = N/A\n"                                // 21
    "object = IMAGE\n"                              // 22
    "  LINES = 10\n"                                // 23
    "  GROUP = STATS\n"                             // 24
    "    MEAN = 1.5 <DN>\n"                         // 25
    "  END_GROUP = STATS\n"                         // 26
    "  OBJECT = INNER\n"                            // 27
    "  END_OBJECT\n"                                // 28
    "END_OBJECT = IMAGE\n"                          // 29
    "OBJECT = TABLE; NAME = T1; END_OBJECT;\n"      // 30
    "END\n";                                        // 31

TEST(OdlParser, ReadsTheWholeSyntaxWithLineNumbers)
{
    const OdlLabel label = ParseText(kFullSyntax);
    EXPECT_TRUE(label.warnings.isEmpty()) << label.warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(label.endFound);
    EXPECT_EQ(label.lines, 31);
    EXPECT_EQ(label.firstKeyword, QStringLiteral("PDS_VERSION_ID"));
    const OdlBlock& root = label.root;

    EXPECT_EQ(root.Value(u"record_bytes")->integer, 2048);
    EXPECT_EQ(root.Find(u"RECORD_BYTES")->line, 3);

    const auto* header = root.FindPointer(u"IMAGE_HEADER");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->value.kind, Kind::Integer);
    EXPECT_EQ(header->value.integer, 14);
    EXPECT_EQ(root.Find(u"IMAGE_HEADER"), nullptr);  // a pointer is not a plain keyword

    const OdlValue& image = root.FindPointer(u"image")->value;
    ASSERT_EQ(image.kind, Kind::Sequence);
    ASSERT_EQ(image.items.size(), 2u);
    EXPECT_EQ(image.items[0].kind, Kind::Text);
    EXPECT_EQ(image.items[0].text, QStringLiteral("img0001.img"));
    EXPECT_EQ(image.items[1].integer, 2);
    EXPECT_EQ(image.items[1].unit, QStringLiteral("BYTES"));

    EXPECT_EQ(root.FindPointer(u"TABLE")->value.integer, 1200);
    EXPECT_EQ(root.FindPointer(u"TABLE")->value.unit, QStringLiteral("BYTES"));
    EXPECT_EQ(root.FindPointer(u"SERIES")->value.text, QStringLiteral("SERIES.DAT"));
    EXPECT_EQ(root.FindPointer(u"SPECTRUM")->value.items.at(1).integer, 3);

    EXPECT_EQ(root.Value(u"START_TIME")->kind, Kind::DateTime);
    EXPECT_EQ(root.Value(u"START_TIME")->text, QStringLiteral("1998-034T12:00:00.000Z"));
    EXPECT_EQ(root.Value(u"STOP_DATE")->kind, Kind::DateTime);
    EXPECT_EQ(root.Value(u"DESCRIPTION")->text, QStringLiteral("First line second line third"));
    EXPECT_EQ(root.Find(u"TARGET")->line, 14);
    EXPECT_EQ(root.Value(u"TARGET")->kind, Kind::Symbol);
    EXPECT_EQ(root.Value(u"TARGET")->text, QStringLiteral("IO"));

    const OdlValue& filters = *root.Value(u"FILTERS");
    EXPECT_EQ(filters.kind, Kind::Set);
    EXPECT_EQ(filters.ToString(), QStringLiteral("{RED, GREEN 2, BLUE}"));
    EXPECT_EQ(filters.items[0].kind, Kind::Identifier);

    const OdlValue& matrix = *root.Value(u"MATRIX");
    ASSERT_EQ(matrix.items.size(), 2u);
    EXPECT_EQ(matrix.items[0].items[1].kind, Kind::Real);
    EXPECT_DOUBLE_EQ(matrix.items[0].items[1].real, 2.5);
    EXPECT_EQ(matrix.items[1].items[0].integer, -3);
    EXPECT_DOUBLE_EQ(matrix.items[1].items[1].real, 400.0);

    EXPECT_DOUBLE_EQ(root.Value(u"DISTANCE")->real, -1.25);
    EXPECT_EQ(root.Value(u"DISTANCE")->unit, QStringLiteral("KM/S"));
    EXPECT_EQ(root.Value(u"MASK")->integer, 0xFF7FFFFB);
    EXPECT_TRUE(root.Value(u"MASK")->radix);
    EXPECT_EQ(root.Value(u"BITS")->integer, -5);
    EXPECT_EQ(root.Value(u"EMPTY_LIST")->kind, Kind::Sequence);
    EXPECT_TRUE(root.Value(u"EMPTY_LIST")->items.empty());
    EXPECT_EQ(root.Value(u"NS:KEY")->text, QStringLiteral("N/A"));
    EXPECT_FALSE(root.Value(u"NS:KEY")->ToReal().has_value());

    ASSERT_EQ(root.children.size(), 2u);
    const OdlBlock& imageBlock = root.children[0];
    EXPECT_EQ(imageBlock.kind, QStringLiteral("OBJECT"));
    EXPECT_EQ(imageBlock.name, QStringLiteral("IMAGE"));
    EXPECT_EQ(imageBlock.firstLine, 22);
    EXPECT_EQ(imageBlock.lastLine, 29);
    EXPECT_EQ(imageBlock.Value(u"LINES")->integer, 10);
    EXPECT_EQ(root.Value(u"LINES"), nullptr);
    ASSERT_EQ(imageBlock.children.size(), 2u);
    EXPECT_EQ(imageBlock.children[0].kind, QStringLiteral("GROUP"));
    EXPECT_EQ(imageBlock.children[0].firstLine, 24);
    EXPECT_EQ(imageBlock.children[0].lastLine, 26);
    EXPECT_EQ(imageBlock.children[0].Value(u"MEAN")->unit, QStringLiteral("DN"));
    EXPECT_EQ(imageBlock.children[1].name, QStringLiteral("INNER"));
    EXPECT_EQ(imageBlock.children[1].lastLine, 28);

    const OdlBlock& table = root.children[1];
    EXPECT_EQ(table.name, QStringLiteral("TABLE"));
    EXPECT_EQ(table.Value(u"NAME")->text, QStringLiteral("T1"));
    EXPECT_EQ(table.firstLine, 30);
    EXPECT_EQ(table.lastLine, 30);
}

TEST(OdlParser, NumbersTextAndListsConvertAsWritten)
{
    const OdlLabel label = ParseText(
        "A = \"-9.99E10\"\nB = \"NULL\"\nC = 'NaN'\nD = 7.0\nE = 7.5\nF = 99999999999999999999\n"
        "G = \"16#FF#\"\nH = +.5\nI = 5.\nEND\n");
    const OdlBlock& root = label.root;
    EXPECT_DOUBLE_EQ(*root.Value(u"A")->ToReal(), -9.99e10);
    EXPECT_FALSE(root.Value(u"B")->ToReal());
    EXPECT_FALSE(root.Value(u"C")->ToReal());
    EXPECT_EQ(*root.Value(u"D")->ToInteger(), 7);
    EXPECT_FALSE(root.Value(u"E")->ToInteger());
    EXPECT_EQ(root.Value(u"F")->kind, Kind::Real);  // past 64 bits: a number all the same
    EXPECT_DOUBLE_EQ(root.Value(u"F")->real, 1e20);
    EXPECT_FALSE(root.Value(u"F")->ToInteger());
    EXPECT_DOUBLE_EQ(*root.Value(u"G")->ToReal(), 255.0);
    EXPECT_DOUBLE_EQ(root.Value(u"H")->real, 0.5);
    EXPECT_EQ(root.Value(u"I")->kind, Kind::Real);
    EXPECT_DOUBLE_EQ(root.Value(u"I")->real, 5.0);
}

// The same label with each kind of line end gives the same statements on
// the same lines, and the label's bytes end right after END's line end.
TEST(OdlParser, LineEndsOfEveryKindCountTheSame)
{
    const QByteArray lf = "PDS_VERSION_ID = PDS3\nA = \"x\ny\"\nOBJECT = IMAGE\n LINES = 3\nEND_OBJECT\nEND\n";
    for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        QByteArray text = lf;
        text.replace("\n", end);
        const QByteArray data = "\x01\x02\x00\xff binary data END_OBJECT = X\n";
        const OdlLabel label = ParseText(text + data);
        SCOPED_TRACE(end.toHex().toStdString());
        EXPECT_TRUE(label.warnings.isEmpty());
        EXPECT_TRUE(label.endFound);
        EXPECT_EQ(label.endOffset, text.size());
        EXPECT_EQ(label.lines, 7);
        EXPECT_EQ(label.root.Value(u"A")->text, QStringLiteral("x y"));
        ASSERT_EQ(label.root.children.size(), 1u);
        EXPECT_EQ(label.root.children[0].firstLine, 4);
        EXPECT_EQ(label.root.children[0].Find(u"LINES")->line, 5);
        EXPECT_EQ(label.root.children[0].lastLine, 6);
    }
}

TEST(OdlParser, SfduLineBeforeTheFirstStatementIsPassedOver)
{
    for (const QByteArray& sfdu : {QByteArray("CCSD3ZF0000100000001NJPL3IF0PDS200000001 = SFDU_LABEL\r\n"),
                                   QByteArray("CCSD3ZF0000100000001NJPL3IF0PDSX00000001\r\n")}) {
        const OdlLabel label = ParseText(sfdu + "PDS_VERSION_ID = PDS3\r\nEND\r\n");
        EXPECT_TRUE(label.warnings.isEmpty()) << sfdu.toStdString();
        EXPECT_EQ(label.firstKeyword, QStringLiteral("PDS_VERSION_ID"));
        EXPECT_EQ(label.root.Find(u"PDS_VERSION_ID")->line, 2);
    }
}

// Lines that are not statements are named by number and skipped; every
// good line around them is still read.
TEST(OdlParser, BrokenLinesAreReportedAndSkipped)
{
    const QByteArray text =
        "A = 1\n"                    // 1
        "this line has no equals\n"  // 2
        "B =\n"                      // 3: no value
        "C = 3\n"                    // 4
        "D = (1, 2\n"                // 5: list never closed
        "E = 5\n"                    // 6
        "F = \"unclosed\n"           // 7: text runs on to the next quote ...
        "G = 7\"\n"                  // 8
        ") = 8\n"                    // 9: no keyword
        "H = 'open symbol\n"         // 10
        "I = 9 <KM\n"                // 11
        "J = ;\n"                    // 12
        "END_OBJECT\n"               // 13: nothing open
        "OBJECT = X\n"               // 14
        "  K = 10\n"                 // 15
        "END_GROUP = X\n"            // 16: closes the object all the same
        "L = 11 M = 12\n"            // 17: two statements on a line
        "END\n";
    const OdlLabel label = ParseText(text);
    const OdlBlock& root = label.root;
    EXPECT_EQ(root.Value(u"A")->integer, 1);
    EXPECT_EQ(root.Value(u"C")->integer, 3);
    EXPECT_EQ(root.Value(u"E")->integer, 5);
    EXPECT_EQ(root.Value(u"F")->text, QStringLiteral("unclosed G = 7"));  // ... as ODL reads it
    EXPECT_EQ(root.Value(u"L")->integer, 11);
    EXPECT_EQ(root.Value(u"M")->integer, 12);
    for (const char* missing : {"B", "D", "H", "I", "J"}) {
        EXPECT_EQ(root.Value(QString::fromLatin1(missing)), nullptr) << missing;
    }
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].Value(u"K")->integer, 10);
    EXPECT_EQ(root.children[0].lastLine, 16);

    QStringList lines;
    for (const QString& warning : label.warnings) {
        lines << warning.section(QLatin1Char(':'), 0, 0);
    }
    EXPECT_EQ(lines, QStringList({"line 2", "line 3", "line 5", "line 9", "line 10", "line 11", "line 12", "line 13",
                                  "line 16"}));
    EXPECT_TRUE(label.warnings[0].contains(QStringLiteral("'this'")));
}

TEST(OdlParser, PvlStyleEmptyValuesSemicolonsAndHashComments)
{
    const OdlLabel label = ParseText(
        "foo = 1;\nObject = embedded_object;\n    foo = bar\n    life =\nEnd_Object;\n"
        "weird/* in the */=/*middle*/ comment\nbaz = bang # end line comment\nsame = line no = problem; x =;\nEnd;\n");
    const OdlBlock& root = label.root;
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].name, QStringLiteral("embedded_object"));
    EXPECT_EQ(root.children[0].Value(u"foo")->text, QStringLiteral("bar"));
    EXPECT_EQ(root.children[0].Value(u"life"), nullptr);
    EXPECT_EQ(root.Value(u"weird")->text, QStringLiteral("comment"));
    EXPECT_EQ(root.Value(u"baz")->text, QStringLiteral("bang"));
    EXPECT_EQ(root.Value(u"no")->text, QStringLiteral("problem"));
    EXPECT_EQ(label.warnings,
              QStringList({"line 4: 'life' has no value; line skipped", "line 8: 'x' has no value; line skipped"}));
    EXPECT_TRUE(label.endFound);
}

TEST(OdlParser, WithoutEndTheWholeTextIsTheLabelAndOpenBlocksAreNamed)
{
    const QByteArray text = "OBJECT = TABLE\n  ROWS = 2\n";
    const OdlLabel label = ParseText(text);
    EXPECT_FALSE(label.endFound);
    EXPECT_EQ(label.endOffset, text.size());
    ASSERT_EQ(label.root.children.size(), 1u);
    EXPECT_EQ(label.root.children[0].Value(u"ROWS")->integer, 2);
    ASSERT_EQ(label.warnings.size(), 1);
    EXPECT_TRUE(label.warnings[0].startsWith(QStringLiteral("line 1: OBJECT TABLE is not closed")));
}

TEST(OdlParser, HostileTextStaysBounded)
{
    // Deep nesting of blocks and lists, and a flood of broken lines.
    QByteArray deep;
    for (int i = 0; i < 5000; ++i) {
        deep += "OBJECT = O\n";
    }
    deep += "A = " + QByteArray(5000, '(') + "\n";
    for (int i = 0; i < 5000; ++i) {
        deep += "junk\n";
    }
    deep += "Z = 1\nEND\n";
    const OdlLabel label = ParseText(deep);
    EXPECT_LE(label.warnings.size(), 202);
    EXPECT_TRUE(label.warnings.last().endsWith(QStringLiteral("more lines skipped")));
    const OdlBlock* block = &label.root;
    int depth = 0;
    while (!block->children.empty()) {
        block = &block->children[0];
        ++depth;
    }
    EXPECT_LE(depth, 64);
    EXPECT_EQ(block->Value(u"Z")->integer, 1);
}

// Every real label of the corpus parses; the objects found are the OBJECT
// lines a plain line scan finds before END, and labels that start like a
// PDS3 label are read with few skipped lines.
TEST(OdlParser, ReadsEveryCorpusLabel)
{
    const QString corpus = QStringLiteral(VELLORA_CORPUS);
    if (!QFile::exists(corpus)) {
        GTEST_SKIP() << "no corpus at " << corpus.toStdString();
    }
    const QRegularExpression objectLine(QStringLiteral("^\\s*OBJECT\\s*=\\s*\\S"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression endLine(QStringLiteral("^\\s*END(\\s*$|[\\s\\x00]+[^A-Za-z])"),
                                     QRegularExpression::CaseInsensitiveOption);
    int files = 0;
    int labels = 0;
    QDirIterator it(corpus, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QStringLiteral("SOURCE.txt")) || path.endsWith(QStringLiteral("README.md"))) {
            continue;
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        const OdlLabel label = OdlParser::Parse(bytes);
        ++files;

        // The independent count: OBJECT lines up to a line holding only END
        // (or END and an attached label's binary data).
        int objectLines = 0;
        bool sawEnd = false;
        const QList<QByteArray> lines = bytes.split('\n');
        for (const QByteArray& raw : lines) {
            const QString line = QString::fromLatin1(raw).remove(QLatin1Char('\r'));
            if (endLine.match(line).hasMatch()) {
                sawEnd = true;
                break;
            }
            if (line.contains(QLatin1Char('\r'))) {
                break;  // CR-only line ends: not counted here
            }
            objectLines += objectLine.match(line).hasMatch() ? 1 : 0;
        }
        int objects = 0;
        std::vector<const OdlBlock*> pending{&label.root};
        while (!pending.empty()) {
            const OdlBlock* block = pending.back();
            pending.pop_back();
            for (const OdlBlock& child : block->children) {
                objects += child.kind == QLatin1String("OBJECT") ? 1 : 0;
                pending.push_back(&child);
            }
        }
        // Templates with $ directives are not labels yet.
        const bool pds3 = label.firstKeyword == QLatin1String("PDS_VERSION_ID") && !bytes.startsWith('$') &&
                          !bytes.contains("\n$");
        if (pds3) {
            ++labels;
            EXPECT_EQ(objects, objectLines) << path.toStdString();
            EXPECT_EQ(label.endFound, sawEnd) << path.toStdString();
            EXPECT_LE(label.warnings.size(), 3) << path.toStdString() << "\n"
                                                << label.warnings.join(QLatin1Char('\n')).toStdString();
        }
        EXPECT_LE(label.endOffset, bytes.size());
    }
    EXPECT_GT(files, 100);
    EXPECT_GT(labels, 50);
}

}  // namespace
