// The Options button of the browser window: what the sheet gets, what comes
// back on OK only, the status line, and what outlives a restart.

#include "browser/CBrowserDlg.h"
#include "options/CNewHelperDlg.h"
#include "options/COptions.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "platform/gui/CListCtrl.h"
#include "res/gui/OptionsGeneralTemplate.h"
#include "res/gui/PropertySheetTemplate.h"
#include "support/FakeXdg.h"
#include "support/LoadedSession.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"
#include "support/VolumeTest.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

void Click(const CDialog& dialog, int id)
{
    auto* button = dialog.GetDlgItemAs<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// The names in the file list, sorted.
QStringList Listed(const CBrowserDlg& browser)
{
    QStringList names;
    for (int i = 0; browser.m_listFiles && i < browser.m_listFiles->GetItemCount(); ++i)
        names << browser.m_listFiles->GetItemText(i, 0);
    names.sort();
    return names;
}

class BrowserOptions : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        volume.write("AAREADME.TXT", "Sample volume\n");
        volume.write("ALPHA.LBL", "OBJECT = TABLE\nEND\n");
        volume.write("BETA.LBL", "OBJECT = IMAGE\nEND\n");
        volume.write("GAMMA.IMG", "data");
        volume.write("DELTA.TXT", "text");
        app.SetRegistryKey(QStringLiteral("Morvath"));
    }

    // Runs the browser window; act() works on it while it is open.
    void Run(CBrowserDlg& browser, const std::function<void(CBrowserDlg&)>& act)
    {
        runner.ExpectDialog([&browser, act](CDialog&) {
            act(browser);
            return IDOK;
        });
        browser.DoModal();
    }

    // Presses "Options..." in the browser; sheet() acts on the Options sheet
    // and closes it.
    void Options(CBrowserDlg& browser, const std::function<void(COptions&)>& sheet)
    {
        runner.ExpectDialog([sheet](CDialog& shown) {
            auto* options = dynamic_cast<COptions*>(&shown);
            EXPECT_NE(options, nullptr);
            if (!options)
                return IDCANCEL;
            sheet(*options);
            return options->GetModalResult();
        });
        ASSERT_NE(browser.m_btnOptions, nullptr);
        browser.m_btnOptions->click();
    }

    static QLineEdit* Mask(COptions& options)
    {
        options.SetActivePage(&options.m_pageGeneral);
        return options.m_pageGeneral.GetDlgItemAs<QLineEdit>(res::IDC_FILE_MASK);
    }
    static QCheckBox* FullPath(COptions& options)
    {
        options.SetActivePage(&options.m_pageGeneral);
        return options.m_pageGeneral.GetDlgItemAs<QCheckBox>(res::IDC_SHOW_FULL_PATH);
    }

    FakeXdg xdg;
    ScriptedRunner runner;
};

TEST_F(BrowserOptions, TheSheetGetsTheListsAndCopiesOfTheSettings)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    browser.Session().m_systemViewerList.push_back(
        std::make_unique<CHelperEntry>("text/plain", "/usr/bin/ed \"%1\"", "text/plain", ".txt", "System viewer for: .txt", ""));
    Run(browser, [&](CBrowserDlg& b) {
        b.Session().m_strFileMask = "*.lbl";
        b.Session().m_bTranslate = 1;
        b.Session().m_bShowFullPath = 1;
        Options(b, [&](COptions& options) {
            EXPECT_EQ(options.windowTitle(), "Property Sheet");
            EXPECT_EQ(options.GetActivePage(), &options.m_pageHelpers);
            EXPECT_EQ(options.parentWidget(), nullptr);
            EXPECT_EQ(options.m_pageHelpers.m_pHelperList, &b.Session().m_helperList);
            EXPECT_EQ(options.m_pageHelpers.m_pDefaultHelperList, &b.Session().m_defaultHelperList);
            EXPECT_EQ(options.m_pageRegistry.m_pSystemViewers, &b.Session().m_systemViewerList);
            EXPECT_EQ(options.m_pageGeneral.m_strFileMask, "*.lbl");
            EXPECT_EQ(options.m_pageGeneral.m_bTranslate, 1);
            EXPECT_EQ(options.m_pageGeneral.m_bShowFullPath, 1);
            EXPECT_EQ(options.m_pageHelpers.m_lbHelpers->GetCount(), 8);
            options.SetActivePage(2);
            EXPECT_EQ(options.m_pageRegistry.m_lbExtensions->GetText(0), ".txt");
            // The translate box shows the setting, greyed.
            options.SetActivePage(0);
            auto* translate = options.m_pageGeneral.GetDlgItemAs<QCheckBox>(res::IDC_TRANSLATE);
            EXPECT_TRUE(translate->isChecked());
            EXPECT_FALSE(translate->isEnabled());
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_bTranslate, 1);  // back unchanged
    });
}

TEST_F(BrowserOptions, TheFullPathOptionHidesAndShowsTheStatusLineOnOk)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        b.Session().m_bShowFullPath = 1;
        ASSERT_NE(b.m_staticStatus, nullptr);
        EXPECT_FALSE(b.m_staticStatus->isHidden());
        Options(b, [&](COptions& options) {
            FullPath(options)->setChecked(false);
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_bShowFullPath, 0);
        EXPECT_TRUE(b.m_staticStatus->isHidden());

        // Cancel leaves it hidden, whatever the box said.
        Options(b, [&](COptions& options) {
            FullPath(options)->setChecked(true);
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_bShowFullPath, 0);
        EXPECT_TRUE(b.m_staticStatus->isHidden());

        Options(b, [&](COptions& options) {
            EXPECT_FALSE(FullPath(options)->isChecked());
            FullPath(options)->setChecked(true);
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_bShowFullPath, 1);
        EXPECT_FALSE(b.m_staticStatus->isHidden());
    });
}

TEST_F(BrowserOptions, OkWithoutVisitingGeneralSetsTheStatusLineFromTheUnchangedValue)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        b.Session().m_bShowFullPath = 0;
        b.Session().m_strFileMask = "*.img";
        EXPECT_FALSE(b.m_staticStatus->isHidden());  // visible until the sheet says otherwise
        Options(b, [&](COptions& options) {
            EXPECT_FALSE(options.m_pageGeneral.IsWindowCreated());
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*.img");
        EXPECT_EQ(b.Session().m_bShowFullPath, 0);
        EXPECT_TRUE(b.m_staticStatus->isHidden());
    });
}

TEST_F(BrowserOptions, OnlyOkHandsTheMaskBack)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        b.Session().m_strFileMask = "*.lbl";
        // Cancel: nothing comes back.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("*");
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*.lbl");
        // Apply, then Cancel: the browser keeps its old mask.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("*");
            options.m_pageGeneral.SetModified(true);
            Click(options, res::ID_APPLY_NOW);
            EXPECT_EQ(options.m_pageGeneral.m_strFileMask, "*");
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*.lbl");
        // OK: the new mask, even an empty one.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("");
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "");
    });
}

TEST_F(BrowserOptions, OkRefillsTheFileListWithTheMaskAndCancelLeavesIt)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        EXPECT_EQ(b.Session().m_strFileMask, "*.lbl");
        EXPECT_EQ(Listed(b), QStringList({"Alpha.lbl", "Beta.lbl"}));
        // A label appears on the volume; only a refill shows it.
        volume.write("EPSILON.LBL", "OBJECT = TABLE\nEND\n");

        // Cancel: the old mask, no refill.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("*");
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*.lbl");
        EXPECT_EQ(Listed(b), QStringList({"Alpha.lbl", "Beta.lbl"}));

        // OK without visiting General: a refill with the unchanged mask.
        Options(b, [&](COptions& options) { Click(options, IDOK); });
        EXPECT_EQ(b.Session().m_strFileMask, "*.lbl");
        EXPECT_EQ(Listed(b), QStringList({"Alpha.lbl", "Beta.lbl", "Epsilon.lbl"}));
        EXPECT_EQ(b.m_staticStatus->text(), "D:");

        // A mask that matches every name lists every file.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("*");
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*");
        EXPECT_EQ(Listed(b), QStringList({"Aareadme.txt", "Alpha.lbl", "Beta.lbl", "Delta.txt", "Epsilon.lbl",
                                          "Gamma.img"}));

        // Apply, then Cancel: the browser keeps its mask and its list.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("*.img");
            Click(options, res::ID_APPLY_NOW);
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "*");
        EXPECT_EQ(Listed(b).size(), 6);

        // An empty mask is handed to the list as it is: nothing matches.
        Options(b, [&](COptions& options) {
            Mask(options)->setText("");
            Click(options, IDOK);
        });
        EXPECT_EQ(b.Session().m_strFileMask, "");
        EXPECT_TRUE(Listed(b).isEmpty());
    });
}

TEST_F(BrowserOptions, GeneralSettingsOutliveARestartAndAddedHelpersDoNot)
{
    {
        LoadedSession session(programDir.path());
        CBrowserDlg browser(session);
        Run(browser, [&](CBrowserDlg& b) {
            Options(b, [&](COptions& options) {
                runner.ExpectDialog([](CDialog& shown) {
                    auto& dialog = dynamic_cast<CNewHelperDlg&>(shown);
                    dialog.m_editName->setText("Session helper");
                    dialog.m_editContentType->setText("IMAGE");
                    dialog.m_editApplication->setText("/usr/bin/true");
                    dialog.m_editDescription->setText("Lasts for this run.");
                    Click(dialog, IDOK);
                    return dialog.GetModalResult();
                });
                options.m_pageHelpers.OnAdd();
                Mask(options)->setText("*.img");
                FullPath(options)->setChecked(false);
                Click(options, IDOK);
            });
            EXPECT_EQ(b.Session().m_helperList.size(), 9u);
            EXPECT_EQ(b.Session().m_helperList.back()->m_strName, "Session helper");
        });
    }
    LoadedSession restartedSession(programDir.path());
    CBrowserDlg restarted(restartedSession);
    EXPECT_EQ(restarted.Session().m_strFileMask, "*.img");
    EXPECT_EQ(restarted.Session().m_bShowFullPath, 0);
    EXPECT_EQ(restarted.Session().m_bTranslate, 1);
    ASSERT_EQ(restarted.Session().m_helperList.size(), 8u);
    for (const auto& helper : restarted.Session().m_helperList)
        EXPECT_NE(helper->m_strName, "Session helper");
    Run(restarted, [](CBrowserDlg& b) {
        // The saved "off" does not hide the status line at start-up.
        EXPECT_FALSE(b.m_staticStatus->isHidden());
    });
}

TEST_F(BrowserOptions, CancelledSettingsAreNotSaved)
{
    {
        LoadedSession session(programDir.path());
        CBrowserDlg browser(session);
        Run(browser, [&](CBrowserDlg& b) {
            Options(b, [&](COptions& options) {
                Mask(options)->setText("*.txt");
                Click(options, res::ID_APPLY_NOW);
                Click(options, IDCANCEL);
            });
        });
    }
    LoadedSession restartedSession(programDir.path());
    CBrowserDlg restarted(restartedSession);
    EXPECT_EQ(restarted.Session().m_strFileMask, "*.lbl");
}

TEST_F(BrowserOptions, HelperChangesReachTheBrowsersListWithTheirTiming)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        CHelperEntry* star = nullptr;
        for (const auto& helper : b.Session().m_helperList) {
            if (helper->m_strName == "*")
                star = helper.get();
        }
        ASSERT_NE(star, nullptr);
        Options(b, [&](COptions& options) {
            CListBox* list = options.m_pageHelpers.m_lbHelpers;
            list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);  // "*"
            options.m_pageHelpers.OnDelete();
            Click(options, IDCANCEL);
        });
        EXPECT_EQ(b.Session().m_helperList.size(), 8u);
        Options(b, [&](COptions& options) {
            options.m_pageHelpers.m_lbHelpers->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            options.m_pageHelpers.OnDelete();
            Click(options, IDOK);
        });
        ASSERT_EQ(b.Session().m_helperList.size(), 7u);
        for (const auto& helper : b.Session().m_helperList)
            EXPECT_NE(helper.get(), star);
        // Default brings it back as a new copy, and Cancel keeps that.
        Options(b, [&](COptions& options) {
            runner.ExpectBox(IDOK);
            Click(options.m_pageHelpers, 1051);
            Click(options, IDCANCEL);
        });
        ASSERT_EQ(b.Session().m_helperList.size(), 8u);
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(b.Session().m_helperList[i]->m_strName, b.Session().m_defaultHelperList[i]->m_strName);
            EXPECT_NE(b.Session().m_helperList[i].get(), b.Session().m_defaultHelperList[i].get());
        }
    });
}

}  // namespace
