// The search for a missing helper with the progress window up: the window
// is stepped once per folder and keeps its owner disabled meanwhile.

#include "open/SearchForFile.h"
#include "open/gui/RecordingProgress.h"
#include "support/ScopedDrives.h"
#include "support/TempDir.h"

#include <QDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class SearchWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedCwd = QDir::currentPath();
        drives.SetDrive(4, volume.path());
        QDir::setCurrent(volume.path());
    }
    void TearDown() override { QDir::setCurrent(m_savedCwd); }

    ScopedDrives drives;
    TempDir volume;
    QString m_savedCwd;
};

TEST_F(SearchWindow, ShownProgressWindowIsSteppedPerFolder)
{
    volume.write("S/a/b/tool.exe", "x");
    QWidget owner;
    owner.show();
    RecordingProgress progress;
    ASSERT_TRUE(progress.Create(&owner));
    bool ownerDisabledAtEveryStep = true;
    progress.onStep = [&] { ownerDisabledAtEveryStep = ownerDisabledAtEveryStep && !owner.isEnabled(); };
    QString found;
    EXPECT_TRUE(SearchForFile("D:/S", "tool.exe", found, &progress));
    EXPECT_EQ(progress.steps, 3);
    EXPECT_TRUE(ownerDisabledAtEveryStep);
    progress.DestroyWindow();
    EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
