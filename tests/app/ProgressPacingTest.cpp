// The progress window paints at most once per frame interval however fast
// it is stepped, while its text and bar always hold the latest state, and
// it paints that state once the interval has passed.

#include "app/gui/CProgressDlg.h"
#include "platform/gui/CProgressCtrl.h"
#include "res/gui/ProgressTemplate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST(ProgressPacing, FastStepsPaintOncePerFrameWithTheLatestState)
{
    QWidget owner;
    owner.show();
    CProgressDlg progress;
    // A frame interval no test run reaches: only the first step paints.
    progress.m_nFrameMs = 3600 * 1000;
    ASSERT_TRUE(progress.Create(&owner));
    QWidget* text = progress.GetDlgItem(res::IDC_PROGRESS_TEXT);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(progress.m_progress, nullptr);
    QCoreApplication::processEvents();
    PaintCounter textPaints;
    PaintCounter barPaints;
    text->installEventFilter(&textPaints);
    progress.m_progress->installEventFilter(&barPaints);

    for (int i = 0; i < 200; ++i) {
        progress.SetMessageText("Scanning: D:/Folder" + QString::number(i));
        // The bar's position before the step: 0 to 10, then 1 to 10 again.
        const unsigned before = i == 0 ? 0u : static_cast<unsigned>((i - 1) % 10 + 1);
        EXPECT_EQ(progress.StepIt(), before);
    }
    // The state is always the latest...
    EXPECT_EQ(progress.GetDlgItemText(res::IDC_PROGRESS_TEXT), "Scanning: D:/Folder199");
    EXPECT_EQ(progress.m_progress->value(), progress.m_progress->GetPos());
    // ... but the window was painted for the first frame only.
    EXPECT_LE(textPaints.paints, 1);
    EXPECT_LE(barPaints.paints, 1);

    // Once the interval has passed, the next turn of the event loop paints
    // the latest state.
    progress.m_nFrameMs = 0;
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_GE(textPaints.paints, 1);
    EXPECT_GE(barPaints.paints, 1);
    const int textAfter = textPaints.paints;
    QCoreApplication::processEvents();
    EXPECT_EQ(textPaints.paints, textAfter);  // nothing left to paint

    // Every step paints when each one is a frame of its own.
    barPaints.paints = 0;
    for (int i = 0; i < 5; ++i)
        progress.StepIt();
    QCoreApplication::processEvents();
    EXPECT_GE(barPaints.paints, 5);
    progress.DestroyWindow();
    EXPECT_TRUE(owner.isEnabled());
}

TEST(ProgressPacing, HeldPaintingEndsWithTheWindow)
{
    QWidget owner;
    CProgressDlg progress;
    progress.m_nFrameMs = 3600 * 1000;
    ASSERT_TRUE(progress.Create(&owner));
    progress.StepIt();
    progress.StepIt();
    progress.SetMessageText("held");
    ASSERT_TRUE(progress.DestroyWindow());
    // A refresh still posted finds no window and does nothing.
    QCoreApplication::processEvents();
    // Built again, it paints its first frame at once.
    ASSERT_TRUE(progress.Create(&owner));
    EXPECT_TRUE(progress.GetDlgItem(res::IDC_PROGRESS_TEXT)->updatesEnabled());
    progress.SetMessageText("again");
    EXPECT_TRUE(progress.GetDlgItem(res::IDC_PROGRESS_TEXT)->updatesEnabled());
    EXPECT_EQ(progress.GetDlgItemText(res::IDC_PROGRESS_TEXT), "again");
}

}  // namespace
