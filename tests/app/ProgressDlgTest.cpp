// The progress dialog: caption, text, stepping with event pumping, the
// owner's enabling rules, and keys that must not close it.

#include "app/gui/CProgressDlg.h"
#include "platform/CWinApp.h"
#include "platform/gui/CProgressCtrl.h"
#include "res/gui/ProgressTemplate.h"

#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ProgressDlg, CreateDisablesTheOwnerAndDestroyEnablesItOnce)
{
    QWidget owner;
    owner.show();
    QWidget child(&owner);  // the parent passed in may be a child window
    {
        CProgressDlg progress(0);
        EXPECT_EQ(progress.m_nCaptionID, 110u);
        ASSERT_TRUE(progress.Create(&child));
        EXPECT_EQ(progress.m_pOwner, &owner);
        EXPECT_TRUE(progress.m_bOwnerDisabled);
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_TRUE(progress.isVisible());
        EXPECT_TRUE(progress.isEnabled());  // its own window stays usable
        EXPECT_EQ(progress.windowTitle(), "Scanning system");

        EXPECT_TRUE(progress.DestroyWindow());
        EXPECT_TRUE(owner.isEnabled());
        EXPECT_FALSE(progress.m_bOwnerDisabled);
        // Something else disables the owner afterwards; the destructor,
        // finding no window, must not enable it again.
        owner.setEnabled(false);
    }
    EXPECT_FALSE(owner.isEnabled());
}

TEST(ProgressDlg, AnOwnerAlreadyDisabledStaysDisabled)
{
    QWidget owner;
    owner.setEnabled(false);
    {
        CProgressDlg progress;
        ASSERT_TRUE(progress.Create(&owner));
        EXPECT_FALSE(progress.m_bOwnerDisabled);
        EXPECT_FALSE(owner.isEnabled());
    }  // the destructor destroys the window
    EXPECT_FALSE(owner.isEnabled());
}

TEST(ProgressDlg, TheDestructorEnablesTheOwner)
{
    QWidget owner;
    {
        CProgressDlg progress;
        progress.Create(&owner);
        EXPECT_FALSE(owner.isEnabled());
        // A second Create fails and leaves the owner alone.
        EXPECT_FALSE(progress.Create(&owner));
        EXPECT_FALSE(owner.isEnabled());
    }
    EXPECT_TRUE(owner.isEnabled());
}

TEST(ProgressDlg, WithoutParentTheOwnerIsTheMainWindow)
{
    CWinApp app;
    QWidget main;
    app.m_pMainWnd = &main;
    {
        CProgressDlg progress;
        progress.Create(nullptr);
        EXPECT_EQ(progress.m_pOwner, &main);
        EXPECT_FALSE(main.isEnabled());
    }
    EXPECT_TRUE(main.isEnabled());
}

TEST(ProgressDlg, TextStepsAndRestartAfterTen)
{
    QWidget owner;
    CProgressDlg progress;
    progress.Create(&owner);
    progress.SetMessageText("Scanning: D:/Data");
    EXPECT_EQ(progress.GetDlgItemText(res::IDC_PROGRESS_TEXT), "Scanning: D:/Data");
    ASSERT_NE(progress.m_progress, nullptr);
    EXPECT_EQ(progress.m_progress->GetPos(), 0);  // a caller that never steps
    int lower = -1, upper = -1;
    progress.m_progress->GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 10);
    for (unsigned i = 0; i < 10; ++i)
        EXPECT_EQ(progress.StepIt(), i);
    EXPECT_EQ(progress.m_progress->GetPos(), 10);
    progress.StepIt();
    EXPECT_GT(progress.m_progress->GetPos(), 0);
    EXPECT_LT(progress.m_progress->GetPos(), 10);  // started over
}

TEST(ProgressDlg, StepItHandlesPendingEvents)
{
    QWidget owner;
    CProgressDlg progress;
    progress.Create(&owner);
    int handled = 0;
    QMetaObject::invokeMethod(&owner, [&] { ++handled; }, Qt::QueuedConnection);
    EXPECT_EQ(handled, 0);
    progress.SetMessageText("no pumping here");
    EXPECT_EQ(handled, 0);
    progress.StepIt();
    EXPECT_EQ(handled, 1);
}

TEST(ProgressDlg, EnterAndEscDoNotCloseIt)
{
    QWidget owner;
    CProgressDlg progress;
    progress.Create(&owner);
    QTest::keyClick(&progress, Qt::Key_Return);
    QTest::keyClick(&progress, Qt::Key_Enter);
    QTest::keyClick(&progress, Qt::Key_Escape);
    progress.close();
    EXPECT_TRUE(progress.IsWindowCreated());
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_EQ(progress.GetModalResult(), -1);
}

TEST(ProgressDlg, WithoutAWindowEveryCallIsHarmless)
{
    CProgressDlg progress(0);
    progress.SetMessageText("ignored");
    EXPECT_EQ(progress.StepIt(), 0u);
    EXPECT_FALSE(progress.DestroyWindow());
    EXPECT_EQ(progress.GetDlgItem(res::IDC_PROGRESS_TEXT), nullptr);
}

TEST(ProgressDlg, AnotherCaptionIdIsKept)
{
    CProgressDlg progress(101);
    EXPECT_EQ(progress.m_nCaptionID, 101u);
    QWidget owner;
    progress.Create(&owner);
    EXPECT_EQ(progress.windowTitle(), "&About Vellora...");
}

}  // namespace
