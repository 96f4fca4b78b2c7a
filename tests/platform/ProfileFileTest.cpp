// The profile file reader: the Windows rules for sections, keys, comments,
// quotes, line ends and byte-order marks, and the two buffer limits.

#include "platform/ProfileFile.h"
#include "support/TempDir.h"

#include <QFile>
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

ProfileFile Parsed(const QByteArray& text)
{
    ProfileFile profile;
    profile.Parse(text);
    return profile;
}

QString Get(const ProfileFile& profile, const char* section, const char* key)
{
    return profile.String(QString::fromUtf8(section), QString::fromUtf8(key), QStringLiteral("<default>"));
}

TEST(ProfileFile, SectionsKeysAndCommentsFollowTheWindowsRules)
{
    const ProfileFile profile = Parsed(
        "orphan=before any section\n"
        "  [First]  \n"
        "Key = value with blanks around  \n"
        "key=second key of the same name\n"
        "; comment=not a key\n"
        "Tail=text ;not a comment\n"
        "no equals sign here\n"
        "Empty=\n"
        "[Brackets]inside] trailing\n"
        "x=1\n"
        "[unclosed\n"
        "y=still in Brackets]inside\n"
        "[first]\n"
        "Key=from the repeated section\n"
        "Other=only here\n");

    EXPECT_EQ(profile.SectionNames(), (QStringList{"First", "Brackets]inside", "first"}));
    EXPECT_EQ(Get(profile, "FIRST", "KEY"), "value with blanks around");
    EXPECT_EQ(Get(profile, "First", "Tail"), "text ;not a comment");
    EXPECT_EQ(Get(profile, "First", "; comment"), "<default>");
    EXPECT_EQ(Get(profile, "First", "no equals sign here"), "<default>");
    EXPECT_EQ(Get(profile, "First", "Empty"), "");
    EXPECT_EQ(Get(profile, "First", "orphan"), "<default>");
    // Only the first section of a name is searched.
    EXPECT_EQ(Get(profile, "first", "Other"), "<default>");
    EXPECT_EQ(Get(profile, "brackets]INSIDE", "x"), "1");
    EXPECT_EQ(Get(profile, "Brackets]inside", "y"), "still in Brackets]inside");
    EXPECT_EQ(Get(profile, "Missing", "x"), "<default>");
}

TEST(ProfileFile, MatchingQuotesAreRemoved)
{
    const ProfileFile profile = Parsed(
        "[Q]\n"
        "double=\"C:\\Program Files\\v.exe\"\n"
        "single='quoted'\n"
        "mixed=\"not matching'\n"
        "lone=\"\n"
        "inner=a \"b\" c\n"
        "empty=\"\"\n");
    EXPECT_EQ(Get(profile, "Q", "double"), "C:\\Program Files\\v.exe");
    EXPECT_EQ(Get(profile, "Q", "single"), "quoted");
    EXPECT_EQ(Get(profile, "Q", "mixed"), "\"not matching'");
    EXPECT_EQ(Get(profile, "Q", "lone"), "\"");
    EXPECT_EQ(Get(profile, "Q", "inner"), "a \"b\" c");
    EXPECT_EQ(Get(profile, "Q", "empty"), "");
}

TEST(ProfileFile, LineEndsAndByteOrderMarks)
{
    const ProfileFile crOnly = Parsed("[A]\ra=1\r[B]\r\nb=2\n\n[C]\nc=3");
    EXPECT_EQ(crOnly.SectionNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(Get(crOnly, "A", "a"), "1");
    EXPECT_EQ(Get(crOnly, "B", "b"), "2");
    EXPECT_EQ(Get(crOnly, "C", "c"), "3");

    const ProfileFile utf8 = Parsed("\xEF\xBB\xBF[Caf\xC3\xA9]\nk=\xC3\xBC\n");
    EXPECT_EQ(utf8.SectionNames(), QStringList{QString::fromUtf8("Café")});
    EXPECT_EQ(utf8.String(QString::fromUtf8("CAFÉ"), "K", ""), QString::fromUtf8("ü"));

    const QString text = QString::fromUtf8("[Wide]\r\nk=v\u00e9\r\n");
    QByteArray le("\xFF\xFE");
    QByteArray be("\xFE\xFF");
    for (const QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(Get(Parsed(le), "Wide", "k"), QString::fromUtf8("vé"));
    EXPECT_EQ(Get(Parsed(be), "Wide", "k"), QString::fromUtf8("vé"));

    // Without a mark, text that is not UTF-8 is read as Latin-1.
    EXPECT_EQ(Get(Parsed("[L]\nk=caf\xE9\n"), "L", "k"), QString::fromUtf8("café"));
}

TEST(ProfileFile, TrailingEndOfFileMarksEndTheText)
{
    // A file copied from a DOS volume: the last line ends in ^Z, with or
    // without a line end before it, or the last record is padded with them.
    EXPECT_EQ(Get(Parsed("[Label]\r\nExtension=.LBL\x1a"), "Label", "Extension"), ".LBL");
    EXPECT_EQ(Get(Parsed("[Label]\r\nExtension=.LBL\r\n\x1a"), "Label", "Extension"), ".LBL");
    EXPECT_EQ(Get(Parsed("[Label]\nExtension=\".LBL\"\x1a\x1a\x1a"), "Label", "Extension"), ".LBL");
    const ProfileFile sections = Parsed("[A]\na=1\n[B]\x1a");
    EXPECT_EQ(sections.SectionNames(), (QStringList{"A", "B"}));
    // Only the end of the file counts: a ^Z inside the text is kept.
    EXPECT_EQ(Get(Parsed("[A]\nk=x\x1ay\n"), "A", "k"), QString::fromUtf8("x\x1ay"));

    // The same from a file, and in UTF-16.
    TempDir dir;
    dir.write("vellor.ini", "[Label]\r\nApplication=viewer.exe\r\n\x1a");
    ProfileFile loaded;
    ASSERT_TRUE(loaded.Load(dir.file("vellor.ini")));
    EXPECT_EQ(Get(loaded, "Label", "Application"), "viewer.exe");
    QByteArray le("\xFF\xFE");
    for (const QChar c : QString::fromUtf8("[W]\nk=v\x1a"))
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    EXPECT_EQ(Get(Parsed(le), "W", "k"), "v");
}

TEST(ProfileFile, BufferLimits)
{
    const QByteArray longValue(1500, 'x');
    const ProfileFile profile = Parsed("[S]\nk=" + longValue + "\nq=\"" + longValue + "\"\n");
    EXPECT_EQ(profile.String("S", "k", "").size(), 1023);
    EXPECT_EQ(profile.String("S", "q", "").size(), 1023);  // quotes go first, then the cut
    EXPECT_EQ(profile.String("S", "k", "", 10), "xxxxxxxxx");
    EXPECT_EQ(profile.String("S", "missing", QString(2000, u'd')).size(), 1023);

    // A pair of surrogates is never split.
    const ProfileFile wide = Parsed("[S]\nk=ab\xF0\x9F\x98\x80\n");
    EXPECT_EQ(wide.String("S", "k", "", 4), "ab");

    // Section names take their length plus one, the list one more: names
    // that do not fit whole are not seen, nor any after them.
    QByteArray text;
    for (int i = 0; i < 5; ++i)
        text += "[" + QByteArray(9, char('a' + i)) + "]\n";
    const ProfileFile sections = Parsed(text);
    EXPECT_EQ(sections.SectionNames(51).size(), 5);
    EXPECT_EQ(sections.SectionNames(50).size(), 4);
    EXPECT_EQ(sections.SectionNames(41).size(), 4);
    EXPECT_EQ(sections.SectionNames(40).size(), 3);

    QByteArray many;
    for (int i = 0; i < 1000; ++i)
        many += "[Section" + QByteArray::number(i) + "]\n";
    const QStringList seen = Parsed(many).SectionNames();
    EXPECT_LT(seen.size(), 1000);
    qsizetype used = 1;
    for (const QString& name : seen)
        used += name.size() + 1;
    EXPECT_LE(used, 4096);
    EXPECT_GT(used + QStringLiteral("Section%1").arg(seen.size()).size() + 1, 4096);
}

TEST(ProfileFile, EmptyNamesAndRepeatsAreListedAsWindowsDoes)
{
    const ProfileFile profile = Parsed("[]\na=1\n[Dup]\nk=first\n[dup]\nk=second\n[Dup]\n");
    EXPECT_EQ(profile.SectionNames(), (QStringList{"Dup", "dup", "Dup"}));
    EXPECT_EQ(Get(profile, "DUP", "k"), "first");
}

TEST(ProfileFile, FilesThatCannotBeReadGiveNothingAndNeverBlock)
{
    TempDir dir;
    ProfileFile profile;
    EXPECT_FALSE(profile.Load(dir.file("missing.ini")));
    EXPECT_FALSE(profile.Load(dir.mkdir("folder.ini")));
    const QString fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(profile.Load(fifo));
    const QString link = dir.file("dangling.ini");
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(link).constData()), 0);
    EXPECT_FALSE(profile.Load(link));
    EXPECT_TRUE(profile.SectionNames().isEmpty());

    ASSERT_TRUE(profile.Load(dir.write("ok.ini", "[A]\nk=v\n")));
    EXPECT_EQ(profile.SectionNames(), QStringList{"A"});
    EXPECT_FALSE(profile.Load(dir.file("missing.ini")));
    EXPECT_TRUE(profile.SectionNames().isEmpty());
}

}  // namespace
