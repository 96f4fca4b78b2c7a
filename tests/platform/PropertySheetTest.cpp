// The property sheet framework: tabs in the order of adding, pages built
// when first shown, read back when left, committed on OK and Apply, left
// alone on Cancel, and the Apply button following the pages' modified state.

#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CPropertyPage.h"
#include "platform/gui/CPropertySheet.h"
#include "res/StringTable.h"
#include "res/gui/PropertySheetTemplate.h"
#include "support/ScriptedRunner.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int IDC_TEXT = 1010;

constexpr dlg::Control kPageControls[] = {
    {dlg::IDC_STATIC, dlg::Kind::Static, "Text:", 7, 9, 30, 8},
    {IDC_TEXT, dlg::Kind::Edit, "", 40, 7, 100, 14},
};
constexpr dlg::Template kSmallPage{500, "First", 150, 60, dlg::Child, kPageControls};
constexpr dlg::Template kLargePage{501, "Second", 200, 90, dlg::Child, kPageControls};
constexpr dlg::Template kThirdPage{502, "Third", 120, 40, dlg::Child, kPageControls};

class TextPage : public CPropertyPage {
public:
    explicit TextPage(const dlg::Template& t, QString text) : CPropertyPage(t), m_strText(std::move(text)) {}

    QString m_strText;
    int m_nInit = 0;
    int m_nCommits = 0;
    int m_nResets = 0;
    bool m_bRefuseToLeave = false;

    QLineEdit* Edit() const { return GetDlgItemAs<QLineEdit>(IDC_TEXT); }
    void OnOK() override { ++m_nCommits; }
    void OnCancel() override { ++m_nResets; }
    bool OnKillActive() override { return !m_bRefuseToLeave && CPropertyPage::OnKillActive(); }

protected:
    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, IDC_TEXT, m_strText); }
    bool OnInitDialog() override
    {
        ++m_nInit;
        return CPropertyPage::OnInitDialog();
    }
};

class Sheet : public ::testing::Test {
protected:
    Sheet() : sheet(res::kPropertySheetTemplate, QStringLiteral("Sample Sheet"))
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.AddPage(&third);
    }

    QPushButton* Button(int id) const { return sheet.GetDlgItemAs<QPushButton>(id); }
    void Click(int id) const
    {
        ASSERT_NE(Button(id), nullptr) << id;
        Button(id)->click();
    }

    ScriptedRunner runner;
    TextPage first{kSmallPage, QStringLiteral("one")};
    TextPage second{kLargePage, QStringLiteral("two")};
    TextPage third{kThirdPage, QStringLiteral("three")};
    CPropertySheet sheet;
};

TEST_F(Sheet, TabsFollowTheOrderOfAddingAndOnlyTheStartPageIsBuilt)
{
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetPageIndex(&third), 2);
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_FALSE(sheet.SetActivePage(3));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    runner.ExpectDialog([&](CDialog& shown) {
        EXPECT_EQ(&shown, &sheet);
        EXPECT_EQ(sheet.windowTitle(), "Sample Sheet");
        QTabWidget* tabs = sheet.GetTabControl();
        EXPECT_NE(tabs, nullptr);
        if (!tabs)
            return IDCANCEL;
        EXPECT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(0), "First");
        EXPECT_EQ(tabs->tabText(1), "Second");
        EXPECT_EQ(tabs->tabText(2), "Third");
        EXPECT_EQ(tabs->currentIndex(), 1);
        EXPECT_EQ(sheet.GetActivePage(), &second);
        // Only the page shown has controls, with its member written in.
        EXPECT_FALSE(first.IsWindowCreated());
        EXPECT_TRUE(second.IsWindowCreated());
        EXPECT_FALSE(third.IsWindowCreated());
        EXPECT_EQ(second.m_nInit, 1);
        EXPECT_EQ(second.Edit()->text(), "two");
        EXPECT_EQ(second.Edit()->accessibleName(), "Text:");
        // The buttons and their state.
        EXPECT_EQ(Button(IDOK)->text(), "OK");
        EXPECT_TRUE(Button(IDOK)->isDefault());
        EXPECT_EQ(Button(IDCANCEL)->text(), "Cancel");
        EXPECT_EQ(Button(res::ID_APPLY_NOW)->text(), "&Apply");
        EXPECT_FALSE(Button(res::ID_APPLY_NOW)->isEnabled());
        // The user picks the third tab: it is built now, once.
        tabs->tabBar()->setCurrentIndex(2);
        EXPECT_TRUE(third.IsWindowCreated());
        EXPECT_EQ(third.Edit()->text(), "three");
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(2);
        EXPECT_EQ(third.m_nInit, 1);
        EXPECT_FALSE(first.IsWindowCreated());
        return IDCANCEL;
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    // The run is over: the pages' controls are gone and the pages no longer
    // hang in the sheet's widgets.
    EXPECT_FALSE(second.IsWindowCreated());
    EXPECT_FALSE(third.IsWindowCreated());
    EXPECT_EQ(second.parentWidget(), nullptr);
    EXPECT_EQ(sheet.GetTabControl(), nullptr);
}

TEST_F(Sheet, TheLargestPageSetsTheSizeAndTheButtonsLieBelowTheTabs)
{
    runner.ExpectDialog([&](CDialog&) {
        const QRect tabs = sheet.GetTabControl()->geometry();
        const QSize largest = sheet.MapDialogRect(0, 0, 200, 90).size();
        EXPECT_GE(tabs.width(), largest.width());
        EXPECT_GE(tabs.height(), largest.height());
        EXPECT_TRUE(sheet.rect().contains(tabs));
        const QRect ok = Button(IDOK)->geometry();
        const QRect cancel = Button(IDCANCEL)->geometry();
        const QRect apply = Button(res::ID_APPLY_NOW)->geometry();
        EXPECT_GT(ok.top(), tabs.bottom());
        EXPECT_LT(ok.right(), cancel.left());
        EXPECT_LT(cancel.right(), apply.left());
        EXPECT_EQ(ok.top(), apply.top());
        EXPECT_TRUE(sheet.rect().contains(apply));
        EXPECT_EQ(ok.size(), sheet.MapDialogRect(0, 0, 50, 14).size());
        // The page sits inside the tab control.
        const QRect page(first.mapTo(&sheet, QPoint(0, 0)), first.size());
        EXPECT_TRUE(tabs.contains(page)) << page.x() << "," << page.y();
        return IDCANCEL;
    });
    sheet.DoModal();
}

TEST_F(Sheet, LeavingAPageReadsItBackAndOkCommitsEveryBuiltPage)
{
    runner.ExpectDialog([&](CDialog&) {
        first.Edit()->setText("one, edited");
        EXPECT_EQ(first.m_strText, "one");
        sheet.GetTabControl()->setCurrentIndex(1);
        EXPECT_EQ(first.m_strText, "one, edited");  // read back on leaving
        second.Edit()->setText("two, edited");
        Click(IDOK);
        EXPECT_EQ(sheet.GetModalResult(), IDOK);
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(second.m_strText, "two, edited");  // the active page is left by OK
    EXPECT_EQ(first.m_nCommits, 1);
    EXPECT_EQ(second.m_nCommits, 1);
    EXPECT_EQ(third.m_nCommits, 0);  // never shown: no commit
    EXPECT_EQ(third.m_strText, "three");
    EXPECT_EQ(first.m_nResets + second.m_nResets, 0);
}

TEST_F(Sheet, CancelReadsNothingBackAndResetsTheBuiltPages)
{
    runner.ExpectDialog([&](CDialog&) {
        first.Edit()->setText("lost");
        QTest::keyClick(first.Edit(), Qt::Key_Escape);  // Esc in a page closes the sheet
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(first.m_strText, "one");
    EXPECT_EQ(first.m_nResets, 1);
    EXPECT_EQ(second.m_nResets, 0);
    EXPECT_EQ(first.m_nCommits, 0);

    // The close box is Cancel too.
    runner.ExpectDialog([&](CDialog&) {
        first.Edit()->setText("lost again");
        sheet.show();
        sheet.close();
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(first.m_strText, "one");
}

TEST_F(Sheet, EnterInAPageIsTheSheetsOk)
{
    runner.ExpectDialog([&](CDialog&) {
        first.Edit()->setText("typed");
        QTest::keyClick(first.Edit(), Qt::Key_Return);
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.m_strText, "typed");
}

TEST_F(Sheet, ApplyFollowsTheModifiedStateCommitsAndStaysOpen)
{
    runner.ExpectDialog([&](CDialog&) {
        QPushButton* apply = Button(res::ID_APPLY_NOW);
        apply->click();  // disabled: nothing happens
        EXPECT_EQ(first.m_nCommits, 0);
        first.SetModified(true);
        EXPECT_TRUE(apply->isEnabled());
        sheet.GetTabControl()->setCurrentIndex(1);
        second.SetModified(true);
        first.SetModified(false);
        EXPECT_TRUE(apply->isEnabled());  // another page is still modified
        second.Edit()->setText("applied");
        first.SetModified(true);
        apply->click();
        EXPECT_EQ(second.m_strText, "applied");
        EXPECT_EQ(first.m_nCommits, 1);
        EXPECT_EQ(second.m_nCommits, 1);
        EXPECT_FALSE(apply->isEnabled());
        EXPECT_FALSE(first.IsModified());
        EXPECT_FALSE(second.IsModified());
        EXPECT_EQ(sheet.GetModalResult(), -1);  // still open
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        // Apply does not make Cancel an OK.
        Click(IDCANCEL);
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(first.m_nCommits, 1);
    EXPECT_EQ(second.m_nResets, 1);
}

TEST_F(Sheet, APageThatRefusesToBeLeftKeepsTheUser)
{
    runner.ExpectDialog([&](CDialog&) {
        first.m_bRefuseToLeave = true;
        sheet.GetTabControl()->setCurrentIndex(2);
        EXPECT_EQ(sheet.GetTabControl()->currentIndex(), 0);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_FALSE(third.IsWindowCreated());
        EXPECT_FALSE(sheet.SetActivePage(1));
        Click(IDOK);
        EXPECT_EQ(sheet.GetModalResult(), -1);
        EXPECT_EQ(first.m_nCommits, 0);
        first.m_bRefuseToLeave = false;
        Click(IDOK);
        return sheet.GetModalResult();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.m_nCommits, 1);
}

TEST_F(Sheet, EveryRunStartsAfresh)
{
    for (int run = 0; run < 2; ++run) {
        runner.ExpectDialog([&](CDialog&) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_TRUE(first.IsWindowCreated());
            EXPECT_FALSE(second.IsWindowCreated());
            EXPECT_EQ(first.Edit()->text(), "one");
            EXPECT_FALSE(Button(res::ID_APPLY_NOW)->isEnabled());
            first.SetModified(true);
            sheet.GetTabControl()->setCurrentIndex(1);
            Click(IDCANCEL);
            return sheet.GetModalResult();
        });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(first.m_nInit, 2);
    EXPECT_EQ(second.m_nInit, 2);
}

TEST(PropertySheetCaption, ComesFromTheStringTable)
{
    CPropertySheet sheet(res::kPropertySheetTemplate, res::LoadString(106u));
    EXPECT_EQ(sheet.windowTitle(), "Property Sheet");
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetActivePage(), nullptr);
    sheet.SetTitle("Other");
    EXPECT_EQ(sheet.windowTitle(), "Other");
}

}  // namespace
