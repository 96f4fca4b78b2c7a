// Name matching of the path translation: names whose lower case is longer
// than the name itself, and deep paths translated again after the folders
// on their way changed.

#include "platform/DriveTable.h"
#include "platform/NameCache.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(NameCache, NamesShownInLowerCaseFindTheirFile)
{
    TempDir folder;
    // A capital I with dot above lower-cases to "i" and a combining dot.
    const QString dotted = QString::fromUtf8("D\xc4\xb0Z\xc4\xb0N.LBL");
    folder.write(dotted, "x");
    folder.write("PLAIN.LBL", "y");
    NameCache names;
    EXPECT_EQ(names.Match(folder.path(), dotted), dotted);
    EXPECT_EQ(names.Match(folder.path(), dotted.toLower()), dotted);
    EXPECT_EQ(names.Match(folder.path(), dotted.left(1) + dotted.mid(1).toLower()), dotted);
    EXPECT_EQ(names.Match(folder.path(), "plain.lbl"), "PLAIN.LBL");
    EXPECT_EQ(names.Match(folder.path(), QString::fromUtf8("di\xcc\x87zin.lbx")), QString());
}

TEST(NameCache, DeepPathsFollowTheFoldersOnTheirWay)
{
    TempDir volume;
    volume.mkdir("ONE/TWO/THREE/FOUR/FIVE");
    DriveTable drives;
    drives.SetDrive(4, volume.path());
    const QString deep = "D:/One/Two/Three/Four/Five";
    EXPECT_EQ(drives.ToHostPath(deep), volume.path() + "/ONE/TWO/THREE/FOUR/FIVE");
    EXPECT_EQ(drives.ToHostPath(deep + "/Six"), volume.path() + "/ONE/TWO/THREE/FOUR/FIVE/Six");
    EXPECT_EQ(drives.ToHostPath(deep + "/Six/x.lbl"), volume.path() + "/ONE/TWO/THREE/FOUR/FIVE/Six/x.lbl");

    // A folder on the way renamed: the next translation finds it.
    ASSERT_TRUE(QDir(volume.path()).rename("ONE/TWO", "ONE/two"));
    EXPECT_EQ(drives.ToHostPath(deep), volume.path() + "/ONE/two/THREE/FOUR/FIVE");
    EXPECT_EQ(drives.ToHostPath(deep + "/Six"), volume.path() + "/ONE/two/THREE/FOUR/FIVE/Six");
    // An entry of the exact name appearing beside it wins from then on.
    volume.mkdir("ONE/Two/THREE/FOUR/FIVE");
    if (QDir(volume.file("ONE")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() == 2) {
        EXPECT_EQ(drives.ToHostPath(deep + "/Six"), volume.path() + "/ONE/Two/THREE/FOUR/FIVE/Six");
    }
}

}  // namespace
