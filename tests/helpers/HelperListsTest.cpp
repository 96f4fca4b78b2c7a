// Helper records, the built-in table and the list operations.

#include "helpers/CHelperEntry.h"
#include "helpers/HelperLists.h"

#include <QStringList>
#include "support/QtPrinters.h"
#include <gtest/gtest.h>

#include <set>

namespace {

QStringList Fields(const CHelperEntry& e)
{
    return {e.m_strContentType, e.m_strApplication, e.m_strDescription,
            e.m_strExtension,   e.m_strName,        e.m_strMessage};
}

TEST(HelperEntry, ConstructorTakesTheSixFieldsInOrder)
{
    const CHelperEntry entry("TABLE", "C:\\a.exe", "desc", ".LBL", "name", "msg|line");
    EXPECT_EQ(Fields(entry), QStringList({"TABLE", "C:\\a.exe", "desc", ".LBL", "name", "msg|line"}));
}

TEST(HelperEntry, CopyTakesEveryFieldAndNullGivesInvalidCall)
{
    const CHelperEntry source("IMAGE", "app", "d", ".IMG", "n", "m");
    const CHelperEntry copy(&source);
    EXPECT_EQ(Fields(copy), Fields(source));

    const CHelperEntry invalid(static_cast<const CHelperEntry*>(nullptr));
    EXPECT_EQ(Fields(invalid), QStringList(6, "Invalid call to CHelperEntry()"));
}

TEST(HelperLists, DefaultTableInOrderWithExactTexts)
{
    CHelperList list;
    AddDefaultHelpers("C:\\VOL\\SOFTWARE", list);
    const QStringList expected[] = {
        {"TABLE", "C:\\VOL\\SOFTWARE\\grafel.exe", "View data as multi-panel graphs.", "", "GRAFEL - Table", ""},
        {"TABLE", "C:\\VOL\\SOFTWARE\\skyglass.exe", "View data as a table.", ".LBL", "SKYGLASS - Table", ""},
        {"TIME_SERIES", "C:\\VOL\\SOFTWARE\\grafel.exe", "View data as multi-panel graphs.", "", "GRAFEL - Time series", ""},
        {"TIME_SERIES", "C:\\VOL\\SOFTWARE\\skyglass.exe", "View data as a table.", ".LBL", "Skyglass - Time Series", ""},
        {"*", "C:\\VOL\\SOFTWARE\\plainsight.exe", "View file as text.", "", "*", ""},
        {"LABEL", "C:\\VOL\\SOFTWARE\\plainsight.exe", "View label as plain text.", ".LBL", "Plainsight - Label", ""},
        {"LABEL", "C:\\VOL\\SOFTWARE\\tagwright.exe", "View label in an explorer.", ".LBL", "Tagwright - Label", ""},
        {"IMAGE", "C:\\VOL\\SOFTWARE\\skyglass.exe", "View image data.", ".LBL", "Skyglass - Image", ""},
    };
    ASSERT_EQ(list.size(), std::size(expected));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(Fields(*list[i]), expected[i]) << "row " << i + 1;
        EXPECT_TRUE(list[i]->m_strMessage.isEmpty());
    }
    // Appends: a second call adds eight more after the first eight.
    AddDefaultHelpers("/opt/v", list);
    ASSERT_EQ(list.size(), 16u);
    EXPECT_EQ(list[8]->m_strApplication, "/opt/v\\grafel.exe");
}

TEST(HelperLists, CopyAppendsCopiesThatShareNothing)
{
    CHelperList defaults;
    AddDefaultHelpers("C:\\P", defaults);
    CHelperList helpers;
    helpers.push_back(std::make_unique<CHelperEntry>("X", "x", "", "", "first", ""));

    CopyHelpers(defaults, helpers);
    ASSERT_EQ(helpers.size(), 9u);
    EXPECT_EQ(helpers[0]->m_strName, "first");
    std::set<const CHelperEntry*> originals;
    for (const auto& entry : defaults)
        originals.insert(entry.get());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        EXPECT_EQ(Fields(*helpers[i + 1]), Fields(*defaults[i]));
        EXPECT_EQ(originals.count(helpers[i + 1].get()), 0u);
    }
    // Editing a copy leaves its source alone.
    helpers[1]->m_strApplication = "changed";
    EXPECT_EQ(defaults[0]->m_strApplication, "C:\\P\\grafel.exe");
}

TEST(HelperLists, CopyTwiceGivesEveryEntryTwice)
{
    CHelperList defaults;
    AddDefaultHelpers("C:\\P", defaults);
    CHelperList helpers;
    CopyHelpers(defaults, helpers);
    CopyHelpers(defaults, helpers);
    ASSERT_EQ(helpers.size(), 16u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(Fields(*helpers[i]), Fields(*defaults[i]));
        EXPECT_EQ(Fields(*helpers[i + 8]), Fields(*defaults[i]));
        EXPECT_NE(helpers[i].get(), helpers[i + 8].get());
    }
}

TEST(HelperLists, CopyOfAnEmptyListChangesNothing)
{
    CHelperList empty;
    CHelperList helpers;
    AddDefaultHelpers("C:\\P", helpers);
    const CHelperEntry* first = helpers.front().get();
    CopyHelpers(empty, helpers);
    EXPECT_EQ(helpers.size(), 8u);
    EXPECT_EQ(helpers.front().get(), first);
    CHelperList alsoEmpty;
    CopyHelpers(empty, alsoEmpty);
    EXPECT_TRUE(alsoEmpty.empty());
}

TEST(HelperLists, CopyIntoItselfCopiesEachEntryOnce)
{
    CHelperList helpers;
    AddDefaultHelpers("C:\\P", helpers);
    CopyHelpers(helpers, helpers);
    ASSERT_EQ(helpers.size(), 16u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(Fields(*helpers[i + 8]), Fields(*helpers[i]));
}

// An entry that reports when it is deleted, to watch the order.
class WatchedEntry : public CHelperEntry {
public:
    WatchedEntry(const QString& name, QStringList& deleted)
        : CHelperEntry("", "", "", "", name, ""), m_deleted(deleted)
    {
    }
    ~WatchedEntry() override { m_deleted.append(m_strName); }

private:
    QStringList& m_deleted;
};

TEST(HelperLists, DeleteFreesEveryEntryFromTheTail)
{
    QStringList deleted;
    CHelperList list;
    for (const char* name : {"a", "b", "c"})
        list.push_back(std::make_unique<WatchedEntry>(name, deleted));
    DeleteHelpers(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(deleted, QStringList({"c", "b", "a"}));
    DeleteHelpers(list);  // an empty list stays empty
    EXPECT_TRUE(list.empty());
}

TEST(HelperLists, DefaultButtonLeavesEqualListsSharingNothing)
{
    CHelperList defaults;
    AddDefaultHelpers("C:\\P", defaults);
    CHelperList helpers;
    CopyHelpers(defaults, helpers);
    helpers.push_back(std::make_unique<CHelperEntry>("*", "added", "", ".TXT", "mine", ""));
    helpers[0]->m_strApplication = "edited";

    DeleteHelpers(helpers);
    CopyHelpers(defaults, helpers);
    ASSERT_EQ(helpers.size(), defaults.size());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        EXPECT_EQ(Fields(*helpers[i]), Fields(*defaults[i]));
        EXPECT_NE(helpers[i].get(), defaults[i].get());
    }
}

}  // namespace
