// The system viewer scan over a fake association database.

#include "helpers/SystemViewers.h"
#include "support/FakeXdg.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class SystemViewers : public ::testing::Test {
protected:
    CHelperList Scan()
    {
        CHelperList list;
        ScanSystemViewers(list);
        return list;
    }
    QStringList Extensions()
    {
        QStringList names;
        for (const auto& entry : Scan())
            names << entry->m_strExtension;
        return names;
    }
    void Viewer(const char* id, const QByteArray& exec, const QByteArray& more = QByteArray(),
                const char* dataDir = FakeXdg::kDataDir)
    {
        xdg.desktopEntry(QString::fromLatin1(id),
                         "[Desktop Entry]\nType=Application\nName=" + QByteArray(id) + "\nExec=" + exec + "\n" + more,
                         dataDir);
    }

    FakeXdg xdg;
};

TEST_F(SystemViewers, TheTextExampleEndToEnd)
{
    xdg.globs("50:text/plain:*.txt\n");
    xdg.program("textview");
    Viewer("textview.desktop", "textview --read-only %F");
    xdg.write("config/mimeapps.list", "[Default Applications]\ntext/plain=textview.desktop;\n");

    const CHelperList list = Scan();
    ASSERT_EQ(list.size(), 1u);
    const CHelperEntry& entry = *list[0];
    EXPECT_EQ(entry.m_strContentType, "text/plain");
    EXPECT_EQ(entry.m_strApplication, xdg.path("bin/textview") + " --read-only \"%1\"");
    EXPECT_EQ(entry.m_strDescription, "text/plain");
    EXPECT_EQ(entry.m_strExtension, ".txt");
    EXPECT_EQ(entry.m_strName, "System viewer for: .txt");
    EXPECT_EQ(entry.m_strMessage, "");
}

TEST_F(SystemViewers, OnlyExtensionsWithAStartableDefaultGiveRecords)
{
    xdg.globs("50:text/plain:*.txt\n50:image/png:*.png\n50:image/gif:*.gif\n50:text/x-log:*.log\n"
              "50:text/html:*.html\n50:text/html:*.htm\n50:application/pdf:*.pdf\n");
    xdg.program("viewer");
    Viewer("viewer.desktop", "viewer %f");
    Viewer("missing.desktop", "not-installed %f");
    Viewer("hidden.desktop", "viewer %f", "Hidden=true\n");
    xdg.write("config/mimeapps.list",
              "[Default Applications]\n"
              "text/plain=viewer.desktop\n"
              "image/png=missing.desktop\n"
              "image/gif=hidden.desktop\n"
              "text/html=viewer.desktop\n"
              "application/pdf=viewer.desktop\n");

    // Enumeration order: extensions first (".gif" < ".htm" < ...), then the
    // file type keys, which never give records. ".log" (no application),
    // ".png" (not installed) and ".gif" (hidden) give none, and ".pdf"
    // comes after ".log" all the same.
    EXPECT_EQ(Extensions(), (QStringList{".htm", ".html", ".pdf", ".txt"}));
}

TEST_F(SystemViewers, TheUsersDefaultWinsOverTheSystems)
{
    xdg.globs("50:image/png:*.png\n");
    xdg.program("sysview");
    xdg.program("myview");
    Viewer("sysview.desktop", "sysview %f");
    Viewer("myview.desktop", "myview %u", QByteArray(), FakeXdg::kDataHome);
    xdg.write("share/applications/mimeapps.list", "[Default Applications]\nimage/png=sysview.desktop\n");
    xdg.write("etc-xdg/mimeapps.list", "[Default Applications]\nimage/png=sysview.desktop\n");
    const CHelperList before = Scan();
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0]->m_strApplication, xdg.path("bin/sysview") + " \"%1\"");

    xdg.write("config/mimeapps.list", "[Default Applications]\nimage/png=myview.desktop\n");
    const CHelperList after = Scan();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0]->m_strApplication, xdg.path("bin/myview") + " \"%1\"");
}

TEST_F(SystemViewers, NoDatabaseGivesAnEmptyList)
{
    EXPECT_TRUE(Scan().empty());
    // Globs but no applications: keys without commands.
    xdg.globs("50:text/plain:*.txt\n");
    EXPECT_TRUE(Scan().empty());
}

TEST_F(SystemViewers, RecordsAreAppendedAfterWhatTheListHolds)
{
    xdg.globs("50:text/plain:*.txt\n");
    xdg.program("viewer");
    Viewer("viewer.desktop", "viewer %f");
    xdg.write("share/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=viewer.desktop;\n");
    CHelperList list;
    list.push_back(std::make_unique<CHelperEntry>("a", "b", "c", "d", "e", "f"));
    ScanSystemViewers(list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->m_strName, "e");
    EXPECT_EQ(list[1]->m_strName, "System viewer for: .txt");
}

}  // namespace
