// The dialog framework: building from templates, dialog units, the modal
// runner seam, Enter/Esc/close, data exchange, the list box and progress
// bar wrappers, and the open-file filter conversion.

#include "platform/WinTypes.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CImageList.h"
#include "platform/gui/CListBox.h"
#include "platform/gui/CProgressCtrl.h"
#include "platform/gui/GuiModalRunner.h"
#include "support/ScriptedRunner.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include "platform/gui/CTreeCtrl.h"
#include <gtest/gtest.h>

namespace {

constexpr int IDC_NAME = 1010;
constexpr int IDC_FLAG = 1035;
constexpr int IDC_LIST = 1029;
constexpr int IDC_OTHER = 1051;
constexpr int IDC_TREE = 1000;
constexpr int IDC_NOTE = 1005;

constexpr dlg::Control kSampleControls[] = {
    {dlg::IDC_STATIC, dlg::Kind::Static, "Name:", 7, 7, 40, 8},
    {IDC_NAME, dlg::Kind::Edit, "", 7, 17, 100, 14},
    {IDC_FLAG, dlg::Kind::CheckBox, "Flag:", 7, 35, 80, 10, dlg::LeftText},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Viewers", 120, 7, 40, 8},
    {IDC_LIST, dlg::Kind::ListBox, "", 120, 17, 60, 60, dlg::Sorted},
    {dlg::IDC_STATIC, dlg::Kind::Static, "Folders", 7, 50, 40, 8},
    {IDC_TREE, dlg::Kind::TreeView, "", 7, 60, 100, 40},
    {IDC_NOTE, dlg::Kind::Static, "note", 120, 80, 60, 8, dlg::Hidden | dlg::Disabled},
    {IDC_OTHER, dlg::Kind::PushButton, "Other", 7, 110, 50, 14},
    {IDOK, dlg::Kind::DefPushButton, "OK", 70, 110, 50, 14},
    {IDCANCEL, dlg::Kind::PushButton, "Cancel", 130, 110, 50, 14},
};
constexpr dlg::Template kSampleTemplate{900, "Sample", 190, 130, dlg::SystemMenu, kSampleControls};

constexpr dlg::Control kBareControls[] = {
    {IDC_NOTE, dlg::Kind::Static, "", 5, 5, 50, 8},
};
constexpr dlg::Template kBareTemplate{901, "Bare", 60, 20, dlg::Visible, kBareControls};

class SampleDlg : public CDialog {
public:
    SampleDlg() : CDialog(kSampleTemplate) {}

    QString m_strName = QStringLiteral("first");
    int m_bFlag = 1;
    QLineEdit* m_editName = nullptr;
    CListBox* m_list = nullptr;
    bool m_bInitialised = false;
    int m_nDestroyed = 0;
    std::vector<int> m_commands;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Control(dx, IDC_NAME, m_editName);
        DDX_Control(dx, IDC_LIST, m_list);
        DDX_Text(dx, IDC_NAME, m_strName);
        DDX_Check(dx, IDC_FLAG, m_bFlag);
    }
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_list->AddString(QStringLiteral("zeta"));
        m_list->AddString(QStringLiteral("Alpha"));
        m_bInitialised = true;
        return true;
    }
    bool OnCommand(int id) override
    {
        m_commands.push_back(id);
        return CDialog::OnCommand(id);
    }
    void OnDestroy() override { ++m_nDestroyed; }
};

TEST(DialogFramework, DoModalHandsTheRunnerAFullyInitialisedDialog)
{
    ScriptedRunner runner;
    SampleDlg dlg;
    runner.ExpectDialog([&](CDialog& shown) {
        EXPECT_EQ(&shown, &dlg);
        EXPECT_TRUE(dlg.m_bInitialised);
        EXPECT_TRUE(dlg.IsWindowCreated());
        EXPECT_EQ(dlg.windowTitle(), "Sample");
        EXPECT_NE(dlg.GetDlgItemAs<QLineEdit>(IDC_NAME), nullptr);
        EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), dlg.m_editName);
        EXPECT_NE(dlg.GetDlgItemAs<QCheckBox>(IDC_FLAG), nullptr);
        EXPECT_NE(dlg.GetDlgItemAs<CTreeCtrl>(IDC_TREE), nullptr);
        EXPECT_EQ(dlg.GetDlgItem(4242), nullptr);
        // Members went into the controls.
        EXPECT_EQ(dlg.m_editName->text(), "first");
        EXPECT_TRUE(dlg.GetDlgItemAs<QCheckBox>(IDC_FLAG)->isChecked());
        EXPECT_EQ(dlg.m_list->GetText(0), "Alpha");
        // Style bits.
        EXPECT_TRUE(dlg.GetDlgItem(IDC_NOTE)->isHidden());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_NOTE)->isEnabled());
        EXPECT_TRUE(dlg.GetDlgItemAs<QPushButton>(IDOK)->isDefault());
        EXPECT_EQ(dlg.GetDlgItemAs<QCheckBox>(IDC_FLAG)->layoutDirection(), Qt::RightToLeft);
        // Views and edits are named after their label.
        EXPECT_EQ(dlg.GetDlgItem(IDC_NAME)->accessibleName(), "Name:");
        EXPECT_EQ(dlg.GetDlgItem(IDC_LIST)->accessibleName(), "Viewers");
        EXPECT_EQ(dlg.GetDlgItem(IDC_TREE)->accessibleName(), "Folders");
        EXPECT_EQ(dlg.GetDlgItemAs<QPushButton>(IDC_OTHER)->text(), "Other");
        return 7;
    });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.m_nDestroyed, 1);
    EXPECT_FALSE(dlg.IsWindowCreated());
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), nullptr);
}

TEST(DialogFramework, DialogUnitsFollowTheFont)
{
    ScriptedRunner runner;
    for (int pointSize : {9, 18}) {
        SampleDlg dlg;
        QFont font = dlg.font();
        font.setPointSize(pointSize);
        dlg.setFont(font);
        const QSize base = CDialog::BaseUnits(font);
        const QFontMetrics metrics(font);
        EXPECT_EQ(base.height(), metrics.height());
        const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ(base.width(), (letters / 26 + 1) / 2);
        runner.ExpectDialog([&](CDialog&) {
            const QRect edit = dlg.GetDlgItem(IDC_NAME)->geometry();
            EXPECT_EQ(edit.x(), (7 * base.width() + 2) / 4);
            EXPECT_EQ(edit.y(), (17 * base.height() + 4) / 8);
            EXPECT_EQ(edit.width(), (100 * base.width() + 2) / 4);
            EXPECT_EQ(edit.height(), (14 * base.height() + 4) / 8);
            EXPECT_EQ(dlg.size(), QSize((190 * base.width() + 2) / 4, (130 * base.height() + 4) / 8));
            EXPECT_EQ(dlg.MapDialogRect(4, 8, 0, 0).topLeft(), QPoint(base.width(), base.height()));
            return IDOK;
        });
        dlg.DoModal();
    }
}

TEST(DialogFramework, EnterRunsTheDefaultButtonEscAndCloseBoxCancel)
{
    ScriptedRunner runner;
    SampleDlg dlg;
    runner.ExpectDialog([&](CDialog&) {
        dlg.m_editName->setText("changed");
        // Enter in the edit reaches the dialog and runs the default button;
        // OK reads the controls back.
        QTest::keyClick(dlg.m_editName, Qt::Key_Return);
        EXPECT_EQ(dlg.GetModalResult(), IDOK);
        return dlg.GetModalResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "changed");
    EXPECT_EQ(dlg.m_commands, std::vector<int>{IDOK});

    runner.ExpectDialog([&](CDialog&) {
        dlg.m_editName->setText("discarded");
        QTest::keyClick(&dlg, Qt::Key_Escape);
        return dlg.GetModalResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strName, "changed");

    runner.ExpectDialog([&](CDialog&) {
        dlg.show();
        dlg.close();
        EXPECT_FALSE(dlg.isVisible());
        return dlg.GetModalResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nDestroyed, 3);  // each run builds and destroys its controls

    // A focused push button is the default for the moment.
    runner.ExpectDialog([&](CDialog&) {
        dlg.show();
        dlg.activateWindow();
        dlg.GetDlgItem(IDC_OTHER)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_OTHER), Qt::Key_Return);
        EXPECT_EQ(dlg.m_commands.back(), IDC_OTHER);
        EXPECT_EQ(dlg.GetModalResult(), -1);
        dlg.EndDialog(42);
        return dlg.GetModalResult();
    });
    EXPECT_EQ(dlg.DoModal(), 42);
}

TEST(DialogFramework, ModelessCreateBuildsShowsAndDestroys)
{
    CDialog parent(kSampleTemplate);
    parent.BuildDialog();
    CDialog bare(kBareTemplate);
    ASSERT_TRUE(bare.Create(&parent));
    EXPECT_TRUE(bare.IsWindowCreated());
    EXPECT_TRUE(bare.isVisible());  // the template is visible
    EXPECT_EQ(bare.parent(), nullptr);  // not part of the parent's widget tree
    EXPECT_FALSE(bare.Create(&parent));  // once only
    EXPECT_TRUE(bare.DestroyWindow());
    EXPECT_FALSE(bare.isVisible());
    EXPECT_FALSE(bare.DestroyWindow());
    EXPECT_EQ(bare.GetDlgItem(IDC_NOTE), nullptr);
}

constexpr dlg::Control kNarrowControls[] = {
    {IDC_NOTE, dlg::Kind::Static, "A label far wider than its place", 5, 5, 10, 8, dlg::NoWrap},
    {IDC_FLAG, dlg::Kind::CheckBox, "A check box far wider than its place", 5, 20, 10, 10},
    {IDC_NAME, dlg::Kind::Static, "A wrapping text that needs several lines in its narrow place", 5, 35, 40, 8},
};
constexpr dlg::Template kNarrowTemplate{902, "Narrow", 60, 60, 0, kNarrowControls};

TEST(DialogFramework, TextsThatWouldBeCutOffGrowToFit)
{
    CDialog dlg(kNarrowTemplate);
    ASSERT_TRUE(dlg.BuildDialog());
    for (int id : {IDC_NOTE, IDC_FLAG}) {
        QWidget* control = dlg.GetDlgItem(id);
        EXPECT_GE(control->width(), control->sizeHint().width()) << id;
        EXPECT_EQ(control->height(), dlg.MapDialogRect(0, 0, 0, id == IDC_NOTE ? 8 : 10).height()) << id;
    }
    QWidget* wrapped = dlg.GetDlgItem(IDC_NAME);
    EXPECT_EQ(wrapped->width(), dlg.MapDialogRect(0, 0, 40, 0).width());
    EXPECT_GT(wrapped->height(), dlg.MapDialogRect(0, 0, 0, 8).height());
}

TEST(DialogFramework, WithoutRunnerADialogIsCancelled)
{
    CModalRunner* previous = CModalRunner::Install(nullptr);
    SampleDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CModalRunner::Install(previous);
}

TEST(ListBox, SortedInsertionIgnoresCaseAndKeepsItemData)
{
    CListBox list(true, false);
    int a = 1, b = 2, c = 3, d = 4;
    EXPECT_EQ(list.AddString("Table viewer"), 0);
    list.SetItemDataPtr(0, &a);
    EXPECT_EQ(list.AddString("another"), 0);
    list.SetItemDataPtr(0, &b);
    EXPECT_EQ(list.AddString("Zeta"), 2);
    list.SetItemDataPtr(2, &c);
    // Equal names both stay, the newer after the older.
    EXPECT_EQ(list.AddString("ANOTHER"), 1);
    list.SetItemDataPtr(1, &d);
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetText(0), "another");
    EXPECT_EQ(list.GetText(1), "ANOTHER");
    EXPECT_EQ(list.GetText(2), "Table viewer");
    EXPECT_EQ(list.GetItemDataPtr(0), &b);
    EXPECT_EQ(list.GetItemDataPtr(1), &d);
    EXPECT_EQ(list.GetItemDataPtr(2), &a);
    EXPECT_EQ(list.GetItemDataPtr(3), &c);
    EXPECT_EQ(list.FindStringExact(-1, "zeta"), 3);
    EXPECT_EQ(list.FindStringExact(-1, "missing"), CListBox::LB_ERR);

    EXPECT_EQ(list.GetCurSel(), CListBox::LB_ERR);
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.SetCurSel(-1), CListBox::LB_ERR);
    EXPECT_EQ(list.GetCurSel(), CListBox::LB_ERR);
    EXPECT_EQ(list.SetCurSel(9), CListBox::LB_ERR);

    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.DeleteString(7), CListBox::LB_ERR);
    EXPECT_EQ(list.GetItemDataPtr(0), &d);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ListBox, UnsortedAppendsAndMultiSelectionHasACaret)
{
    CListBox list(false, true);
    for (const char* text : {"b", "", "a", ""})
        list.AddString(text);
    EXPECT_EQ(list.GetText(0), "b");
    EXPECT_EQ(list.GetText(3), "");
    EXPECT_EQ(list.SetCurSel(1), CListBox::LB_ERR);  // not for multi-selection boxes
    EXPECT_EQ(list.GetSelCount(), 0);
    list.SetSel(1);
    list.SetSel(3);
    EXPECT_EQ(list.GetSelCount(), 2);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetSel(1), 1);
    EXPECT_EQ(list.GetSel(0), 0);
    EXPECT_EQ(list.SetCaretIndex(2), 0);
    EXPECT_EQ(list.GetCaretIndex(), 2);
    EXPECT_EQ(list.GetSelCount(), 2);  // moving the caret keeps the selection
    list.SetSel(-1, false);
    EXPECT_EQ(list.GetSelCount(), 0);
    int selChanges = 0;
    QObject::connect(&list, &CListBox::selChange, [&] { ++selChanges; });
    list.SetSel(0);
    EXPECT_GE(selChanges, 1);
}

TEST(ProgressCtrl, StepsAndStartsOverPastTheUpperEnd)
{
    CProgressCtrl bar;
    bar.SetRange(0, 10);
    bar.SetStep(1);
    bar.SetPos(0);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bar.StepIt(), i);
    EXPECT_EQ(bar.GetPos(), 10);
    EXPECT_EQ(bar.value(), 10);
    EXPECT_EQ(bar.StepIt(), 10);
    EXPECT_LT(bar.GetPos(), 10);
    EXPECT_EQ(bar.GetPos(), 1);
    // Only the low 16 bits of the range reach the control.
    bar.SetRange(0x10000 + 2, 0x10000 + 8);
    int lower = 0, upper = 0;
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 2);
    EXPECT_EQ(upper, 8);
}

TEST(ImageList, CutsAStripIntoImages)
{
    QPixmap strip(48, 16);
    strip.fill(Qt::red);
    CImageList images;
    ASSERT_TRUE(images.Create(strip, 16));
    EXPECT_EQ(images.GetImageCount(), 3);
    EXPECT_FALSE(images.GetIcon(2).isNull());
    EXPECT_TRUE(images.GetIcon(3).isNull());
    EXPECT_FALSE(images.Create(QPixmap(), 16));
}

TEST(GuiModalRunner, ConvertsWindowsFilters)
{
    EXPECT_EQ(GuiModalRunner::ConvertFilter("Programs (*.exe)|*.exe;*.com|All Files (*.*)|*.*||"),
              "Programs (*.exe *.com);;All Files (*)");
    EXPECT_EQ(GuiModalRunner::ConvertFilter("Text|*.txt||"), "Text (*.txt)");
    EXPECT_EQ(GuiModalRunner::ConvertFilter(""), "");
}

}  // namespace
