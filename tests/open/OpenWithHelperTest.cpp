// The pieces of the open-with-helper flow: extensions, the order and
// uniqueness of candidates, and splitting a failed helper's application.

#include "helpers/HelperLists.h"
#include "open/HelperCandidates.h"
#include "open/LaunchHelper.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CHelperEntry> Entry(const QString& contentType, const QString& extension, const QString& name)
{
    return std::make_unique<CHelperEntry>(contentType, "C:\\bin\\" + name + ".exe", "about", extension, name,
                                          QString());
}

QStringList Names(const CHelperRefList& candidates)
{
    QStringList names;
    for (const CHelperEntry* entry : candidates)
        names << entry->m_strName;
    return names;
}

TEST(OpenWithHelper, ExtensionIsFromTheLastDotOrTheWholeName)
{
    EXPECT_EQ(ExtensionOf("Img001.lbl"), ".lbl");
    EXPECT_EQ(ExtensionOf("archive.tar.GZ"), ".GZ");
    EXPECT_EQ(ExtensionOf("Readme"), "Readme");
    EXPECT_EQ(ExtensionOf("trailing."), ".");
}

TEST(OpenWithHelper, BuiltInTableCandidates)
{
    CHelperList helpers;
    AddDefaultHelpers("C:\\VOL\\SOFTWARE", helpers);
    const CHelperList none;
    // TABLE: row 1 by content type, then rows 2, 4, 6, 7, 8 by ".LBL".
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "TABLE", ".lbl")),
              QStringList({"GRAFEL - Table", "SKYGLASS - Table", "Skyglass - Time Series", "Plainsight - Label",
                           "Tagwright - Label", "Skyglass - Image"}));
    // IMAGE: row 8 first (by content type, in any case), then 2, 4, 6, 7.
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "image", ".LBL")),
              QStringList({"Skyglass - Image", "SKYGLASS - Table", "Skyglass - Time Series", "Plainsight - Label",
                           "Tagwright - Label"}));
    // No entry of the content type: the "*" row, then the ".LBL" rows.
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "SPECTRUM", ".lbl")),
              QStringList({"*", "SKYGLASS - Table", "Skyglass - Time Series", "Plainsight - Label",
                           "Tagwright - Label", "Skyglass - Image"}));
    // A file without content type: its extension only.
    EXPECT_EQ(CollectCandidates(helpers, none, QString(), ".txt").size(), 0u);
}

TEST(OpenWithHelper, FirstOfAContentTypeAndFirstStarOnly)
{
    CHelperList helpers;
    helpers.push_back(Entry("*", "", "star one"));
    helpers.push_back(Entry("TABLE", "", "table one"));
    helpers.push_back(Entry("*", "", "star two"));
    helpers.push_back(Entry("table", ".LBL", "table two"));
    helpers.push_back(Entry("TABLE", ".lbl", "table three"));
    const CHelperList none;
    // Only the first TABLE joins by content type; the others by extension.
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "Table", ".lbl")),
              QStringList({"table one", "table two", "table three"}));
    // Only the first "*" when nothing matches.
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "IMAGE", ".img")), QStringList({"star one"}));
    // A "*" entry that also has the extension joins through that.
    helpers.push_back(Entry("*", ".DAT", "star dat"));
    EXPECT_EQ(Names(CollectCandidates(helpers, none, "TABLE", ".dat")),
              QStringList({"table one", "star dat"}));
    // "*" is taken literally, not as a pattern for content types.
    CHelperList starred;
    starred.push_back(Entry("*.*", "", "not a star"));
    EXPECT_TRUE(CollectCandidates(starred, none, "TABLE", ".lbl").empty());
}

TEST(OpenWithHelper, HelperMatchingTwiceIsListedOnceAndSystemViewersJoinLast)
{
    CHelperList helpers;
    helpers.push_back(Entry("TABLE", ".LBL", "both"));
    helpers.push_back(Entry("IMAGE", ".LBL", "by extension"));
    CHelperList viewers;
    viewers.push_back(Entry("", ".txt", "System viewer for: .txt"));
    viewers.push_back(Entry("text/plain", ".LBL", "System viewer for: .lbl"));
    viewers.push_back(Entry("", ".lbl", "System viewer for: .lbl (second)"));
    const CHelperRefList got = CollectCandidates(helpers, viewers, "TABLE", ".lbl");
    EXPECT_EQ(Names(got), QStringList({"both", "by extension", "System viewer for: .lbl"}));
    EXPECT_EQ(got[0], helpers[0].get());
    EXPECT_EQ(got[2], viewers[1].get());
    // A .txt file with one helper of that extension: that one, nothing else.
    CHelperList text;
    text.push_back(Entry("", ".TXT", "Notes"));
    EXPECT_EQ(Names(CollectCandidates(text, CHelperList(), QString(), ".txt")),
              QStringList({"Notes"}));
}

TEST(OpenWithHelper, MissingHelperNameAndArguments)
{
    const struct {
        const char* application;
        const char* name;
        const char* arguments;
    } rows[] = {
        {R"(C:\VOL\SOFTWARE\skyglass.exe)", "skyglass.exe", ""},
        {R"(C:\WIN\VIEW.EXE %1)", "VIEW.EXE", " %1"},
        {R"(C:\APP\a.exe -DDE %1)", "a.exe", " -DDE %1"},
        // An unquoted folder with a blank: the name after the last "\".
        {R"(C:\Program Files\V\v.exe)", "v.exe", ""},
        // Quoted programs lose their quotes; the arguments follow the quote.
        {R"("C:\Program Files\V\v.exe" "%1")", "v.exe", R"( "%1")"},
        {R"("C:\Tools\My Viewer.exe" /p "%1")", "My Viewer.exe", R"( /p "%1")"},
        {R"("/home/u/bin/viewer")", "viewer", ""},
        {R"("C:\Tools\viewer.exe)", "viewer.exe", ""},
        // Forward slashes separate folders inside the name too.
        {"C:/TOOLS/t.exe", "t.exe", ""},
        {"viewer", "viewer", ""},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        QString name = "x";
        QString arguments = "y";
        SplitMissingHelper(QString::fromUtf8(row.application), name, arguments);
        EXPECT_EQ(name, QString::fromUtf8(row.name)) << row.application;
        EXPECT_EQ(arguments, QString::fromUtf8(row.arguments)) << row.application;
    }
}

}  // namespace
