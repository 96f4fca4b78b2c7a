// Listings opened relative to a parent listing, and listings without file
// details, as walks over deep trees use them.

#include "platform/FileFinder.h"
#include "platform/WinTypes.h"
#include "support/VolumeTest.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class RelativeListing : public VolumeTest {
protected:
    // Moves parent to the entry of this name; false if there is none.
    static bool MoveTo(FileFinder& parent, const QString& name)
    {
        do {
            if (parent.Entry().name == name)
                return true;
        } while (parent.FindNext());
        return false;
    }
    static std::map<QString, std::pair<std::uint32_t, std::int64_t>> All(FileFinder& finder, bool started)
    {
        std::map<QString, std::pair<std::uint32_t, std::int64_t>> found;
        for (bool more = started; more; more = finder.FindNext())
            found[finder.Entry().name] = {finder.Entry().attributes, finder.Entry().size};
        return found;
    }
};

TEST_F(RelativeListing, OpensTheCurrentEntryOfTheParent)
{
    volume.write("Top/Sub/a.txt", "12345");
    volume.write("Top/Sub/B.DAT", "");
    volume.mkdir("Top/Sub/Inner");
    FileFinder top;
    ASSERT_TRUE(top.FindFirst("D:/TOP\\*"));
    ASSERT_TRUE(MoveTo(top, "Sub"));
    FileFinder sub;
    const auto entries = All(sub, sub.FindFirstIn(top, "*"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at("a.txt"), std::make_pair(std::uint32_t{0x20}, std::int64_t{5}));
    EXPECT_EQ(entries.at("Inner").first, 0x10u);
    // The mask applies as in FindFirst.
    FileFinder masked;
    EXPECT_EQ(All(masked, masked.FindFirstIn(top, "*.dat")).size(), 1u);
}

TEST_F(RelativeListing, NeverOpensALinkOrAFileOrAClosedParent)
{
    volume.write("Top/file.txt", "x");
    volume.write("Real/inside.txt", "x");
    ASSERT_EQ(::symlink(QFile::encodeName(volume.file("Real")).constData(),
                        QFile::encodeName(volume.file("Top/link")).constData()), 0);
    FileFinder top;
    ASSERT_TRUE(top.FindFirst("D:/Top\\*"));
    ASSERT_TRUE(MoveTo(top, "link"));
    EXPECT_EQ(top.Entry().attributes, 0x410u);
    FileFinder through;
    EXPECT_FALSE(through.FindFirstIn(top, "*"));

    ASSERT_TRUE(top.FindFirst("D:/Top\\*"));
    ASSERT_TRUE(MoveTo(top, "file.txt"));
    FileFinder file;
    EXPECT_FALSE(file.FindFirstIn(top, "*"));

    top.Close();
    FileFinder closed;
    EXPECT_FALSE(closed.FindFirstIn(top, "*"));
    FileFinder never;
    EXPECT_FALSE(closed.FindFirstIn(never, "*"));
}

TEST_F(RelativeListing, WithoutDetailsFilesCarryOnlyTheirKind)
{
    volume.write("Box/data.bin", QByteArray(3000, 'x'));
    const QString readOnly = volume.write("Box/locked.txt", "x");
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    volume.mkdir("Box/Folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(volume.file("Box/pipe")).constData(), 0600), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(volume.file("Box/Folder")).constData(),
                        QFile::encodeName(volume.file("Box/folderlink")).constData()), 0);
    ASSERT_EQ(::symlink("/nonexistent", QFile::encodeName(volume.file("Box/dangling")).constData()), 0);

    FileFinder detailed;
    const auto full = All(detailed, detailed.FindFirst("D:/Box\\*"));
    EXPECT_EQ(full.at("data.bin"), std::make_pair(std::uint32_t{0x20}, std::int64_t{3000}));
    EXPECT_EQ(full.at("locked.txt").first, 0x21u);

    FileFinder kinds;
    kinds.SetDetails(false);
    const auto brief = All(kinds, kinds.FindFirst("D:/Box\\*"));
    ASSERT_EQ(brief.size(), full.size());
    EXPECT_EQ(brief.at("data.bin"), std::make_pair(std::uint32_t{0x20}, std::int64_t{0}));
    EXPECT_EQ(brief.at("locked.txt").first, 0x20u);
    EXPECT_EQ(brief.at("pipe").first, 0x20u);
    // Folders and links are told apart exactly as with details.
    for (const char* name : {"Folder", "folderlink", "dangling"})
        EXPECT_EQ(brief.at(name).first, full.at(name).first) << name;
    EXPECT_EQ(brief.at("Folder").first, 0x10u);
    EXPECT_EQ(brief.at("folderlink").first, 0x410u);
}

}  // namespace
