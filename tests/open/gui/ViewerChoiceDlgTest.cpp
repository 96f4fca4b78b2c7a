// The viewer choice dialog: sorted names, the first line selected, OK,
// Enter and a double-click return a line's helper, Cancel returns none.

#include "open/gui/CViewerChoiceDlg.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "res/gui/ViewerChoiceTemplate.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<CHelperEntry> Helper(const QString& name, const QString& extension = QString())
{
    return std::make_unique<CHelperEntry>("TABLE", "C:\\bin\\" + name + ".exe", "About " + name, extension, name,
                                          QString());
}

class ViewerChoice : public ::testing::Test {
protected:
    // Runs the dialog over the candidates; act gets it initialised and
    // shown and returns the run's result.
    int Run(const std::function<int(CViewerChoiceDlg&)>& act)
    {
        for (const auto& entry : owned)
            candidates.push_back(entry.get());
        dialog.SetViewerList(&candidates);
        runner.ExpectDialog([&](CDialog& shown) {
            EXPECT_EQ(&shown, &dialog);
            dialog.show();
            return act(dialog);
        });
        return dialog.DoModal();
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (int i = 0; i < dialog.m_lbViewers->GetCount(); ++i)
            lines << dialog.m_lbViewers->GetText(i);
        return lines;
    }

    ScriptedRunner runner;
    CHelperList owned;
    CHelperRefList candidates;
    CViewerChoiceDlg dialog;
};

TEST_F(ViewerChoice, TemplateTextsAndControls)
{
    Run([](CViewerChoiceDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Available Viewers");
        EXPECT_EQ(dlg.Template().id, 153u);
        bool foundText = false;
        for (QLabel* label : dlg.findChildren<QLabel*>()) {
            foundText = foundText || label->text() ==
                                         "There is more than one viewer available for the file you have selected. "
                                         "Please select which viewer you would like to use, then press \"OK\" to "
                                         "proceed.";
        }
        EXPECT_TRUE(foundText);
        if (!dlg.m_lbViewers) {
            ADD_FAILURE() << "no list box";
            return IDCANCEL;
        }
        EXPECT_EQ(dlg.GetDlgItem(1029), dlg.m_lbViewers);
        EXPECT_TRUE(dlg.m_lbViewers->IsSorted());
        EXPECT_FALSE(dlg.m_lbViewers->IsMultiSelection());
        auto* ok = dlg.GetDlgItemAs<QPushButton>(IDOK);
        auto* cancel = dlg.GetDlgItemAs<QPushButton>(IDCANCEL);
        if (!ok || !cancel) {
            ADD_FAILURE() << "no buttons";
            return IDCANCEL;
        }
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(cancel->text(), "Cancel");
        EXPECT_EQ(dlg.focusWidget(), dlg.m_lbViewers);
        return IDCANCEL;
    });
}

TEST_F(ViewerChoice, ExplanationStaysClearOfTheList)
{
    // The explanation wraps to as many lines as the dialog's font needs;
    // none of them may lie under the list box, which keeps its bottom edge.
    owned.push_back(Helper("Zeta"));
    owned.push_back(Helper("Another"));
    Run([](CViewerChoiceDlg& dlg) {
        QLabel* text = nullptr;
        for (QLabel* label : dlg.findChildren<QLabel*>()) {
            if (label->text().startsWith("There is more than one viewer"))
                text = label;
        }
        if (!text || !dlg.m_lbViewers) {
            ADD_FAILURE() << "no explanation or no list box";
            return IDCANCEL;
        }
        const QRect list = dlg.m_lbViewers->geometry();
        EXPECT_GE(text->height(), text->heightForWidth(text->width()));
        EXPECT_LT(text->geometry().bottom(), list.top());
        EXPECT_EQ(list.bottom(), dlg.MapDialogRect(7, 35, 172, 73).bottom());
        EXPECT_GT(list.height(), 0);
        return IDCANCEL;
    });
}

TEST_F(ViewerChoice, NamesAreSortedAndOkAtOnceReturnsTheFirst)
{
    owned.push_back(Helper("Table viewer"));
    owned.push_back(Helper("Another"));
    owned.push_back(Helper("Zeta"));
    owned.push_back(Helper("System viewer for: .lbl"));
    owned.push_back(Helper("beta"));
    EXPECT_EQ(Run([](CViewerChoiceDlg& dlg) {
                  EXPECT_EQ(dlg.m_lbViewers->GetCurSel(), 0);
                  dlg.GetDlgItemAs<QPushButton>(IDOK)->click();
                  return dlg.GetModalResult();
              }),
              IDOK);
    EXPECT_EQ(dialog.GetSelectedViewer(), owned[1].get());
    // Lines and their item data after the run are gone with the controls;
    // check the order in a second run.
    CViewerChoiceDlg again;
    again.SetViewerList(&candidates);
    runner.ExpectDialog([&](CDialog&) {
        QStringList lines;
        for (int i = 0; i < again.m_lbViewers->GetCount(); ++i) {
            lines << again.m_lbViewers->GetText(i);
            EXPECT_EQ(again.m_lbViewers->GetItemDataPtr(i) != nullptr, true);
            EXPECT_EQ(static_cast<CHelperEntry*>(again.m_lbViewers->GetItemDataPtr(i))->m_strName, lines.back());
        }
        EXPECT_EQ(lines, QStringList({"Another", "beta", "System viewer for: .lbl", "Table viewer", "Zeta"}));
        return IDCANCEL;
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    // The candidates stay the caller's, in their own order.
    ASSERT_EQ(candidates.size(), 5u);
    EXPECT_EQ(candidates[0], owned[0].get());
}

TEST_F(ViewerChoice, SameNamesEachReturnTheirOwnHelper)
{
    owned.push_back(Helper("Twin", ".LBL"));
    owned.push_back(Helper("Twin", ".TXT"));
    std::vector<CHelperEntry*> chosen;
    for (int line = 0; line < 2; ++line) {
        CViewerChoiceDlg dlg;
        CHelperRefList list{owned[0].get(), owned[1].get()};
        dlg.SetViewerList(&list);
        runner.ExpectDialog([&](CDialog&) {
            EXPECT_EQ(dlg.m_lbViewers->GetCount(), 2);
            dlg.m_lbViewers->SetCurSel(line);
            dlg.OnOK();
            return dlg.GetModalResult();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        chosen.push_back(dlg.GetSelectedViewer());
    }
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_NE(chosen[0], nullptr);
    EXPECT_NE(chosen[1], nullptr);
    EXPECT_NE(chosen[0], chosen[1]);
}

TEST_F(ViewerChoice, DoubleClickOnALineReturnsItsHelper)
{
    owned.push_back(Helper("Alpha"));
    owned.push_back(Helper("Bravo"));
    owned.push_back(Helper("Charlie"));
    EXPECT_EQ(Run([](CViewerChoiceDlg& dlg) {
                  QListWidget* list = dlg.m_lbViewers;
                  const QPoint onBravo = list->visualItemRect(list->item(1)).center();
                  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onBravo);
                  EXPECT_EQ(dlg.GetModalResult(), -1);  // a single click only selects
                  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onBravo);
                  return dlg.GetModalResult();
              }),
              IDOK);
    EXPECT_EQ(dialog.GetSelectedViewer(), owned[1].get());
}

TEST_F(ViewerChoice, EnterChoosesTheSelectedLine)
{
    owned.push_back(Helper("Alpha"));
    owned.push_back(Helper("Bravo"));
    EXPECT_EQ(Run([](CViewerChoiceDlg& dlg) {
                  QTest::keyClick(dlg.m_lbViewers, Qt::Key_Down);
                  EXPECT_EQ(dlg.m_lbViewers->GetCurSel(), 1);
                  QTest::keyClick(dlg.m_lbViewers, Qt::Key_Return);
                  return dlg.GetModalResult();
              }),
              IDOK);
    EXPECT_EQ(dialog.GetSelectedViewer(), owned[1].get());
}

TEST_F(ViewerChoice, CancelEscapeAndCloseReturnNoHelper)
{
    owned.push_back(Helper("Alpha"));
    owned.push_back(Helper("Bravo"));
    EXPECT_EQ(Run([](CViewerChoiceDlg& dlg) {
                  dlg.GetDlgItemAs<QPushButton>(IDCANCEL)->click();
                  return dlg.GetModalResult();
              }),
              IDCANCEL);
    EXPECT_EQ(dialog.GetSelectedViewer(), nullptr);

    runner.ExpectDialog([&](CDialog&) {
        QTest::keyClick(dialog.m_lbViewers, Qt::Key_Escape);
        return dialog.GetModalResult();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetSelectedViewer(), nullptr);

    runner.ExpectDialog([&](CDialog&) {
        dialog.show();
        dialog.close();
        return dialog.GetModalResult();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetSelectedViewer(), nullptr);
}

TEST_F(ViewerChoice, EmptyOrMissingListGivesNoHelper)
{
    EXPECT_EQ(Run([](CViewerChoiceDlg& dlg) {
                  EXPECT_EQ(dlg.m_lbViewers->GetCount(), 0);
                  EXPECT_EQ(dlg.m_lbViewers->GetCurSel(), CListBox::LB_ERR);
                  dlg.GetDlgItemAs<QPushButton>(IDOK)->click();
                  return dlg.GetModalResult();
              }),
              IDCANCEL);
    EXPECT_EQ(dialog.GetSelectedViewer(), nullptr);

    CViewerChoiceDlg unset;
    EXPECT_EQ(unset.GetSelectedViewer(), nullptr);
    runner.ExpectDialog([&](CDialog&) {
        EXPECT_EQ(unset.m_lbViewers->GetCount(), 0);
        unset.OnOK();
        return unset.GetModalResult();
    });
    EXPECT_EQ(unset.DoModal(), IDCANCEL);
    EXPECT_EQ(unset.GetSelectedViewer(), nullptr);
}

}  // namespace
