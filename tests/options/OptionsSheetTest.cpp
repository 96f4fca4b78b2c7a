// The Options sheet and its pages, run through the modal runner with lists
// of their own: tab order and start page, the General page's controls, the
// Registry page's sorted rows, and the Helpers page's buttons with the
// timing of their changes.

#include "helpers/HelperLists.h"
#include "options/CNewHelperDlg.h"
#include "options/COptions.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "res/gui/NewHelperTemplate.h"
#include "res/gui/OptionsGeneralTemplate.h"
#include "res/gui/OptionsHelpersTemplate.h"
#include "res/gui/OptionsRegistryTemplate.h"
#include "res/gui/PropertySheetTemplate.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CHelperEntry> Helper(const QString& name, const QString& contentType, const QString& extension = {},
                                     const QString& message = {})
{
    return std::make_unique<CHelperEntry>(contentType, "/opt/" + name.toLower() + "/run", name + " description",
                                          extension, name, message);
}

QStringList Rows(const CListBox* list)
{
    QStringList rows;
    for (int i = 0; list && i < list->GetCount(); ++i)
        rows << list->GetText(i);
    return rows;
}

QStringList Names(const CHelperList& list)
{
    QStringList names;
    for (const auto& helper : list)
        names << helper->m_strName;
    return names;
}

QStringList Labels(const QWidget* page)
{
    QStringList texts;
    for (const QLabel* label : page->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

void Click(const CDialog& dialog, int id)
{
    auto* button = dialog.GetDlgItemAs<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

class Options : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddDefaultHelpers("/programs", defaults);
        CopyHelpers(defaults, helpers);
        options.m_pageHelpers.m_pHelperList = &helpers;
        options.m_pageHelpers.m_pDefaultHelperList = &defaults;
        options.m_pageRegistry.m_pSystemViewers = &viewers;
    }

    // Runs the sheet; act() works on it and closes it.
    int Run(const std::function<void()>& act)
    {
        runner.ExpectDialog([this, act](CDialog& shown) {
            EXPECT_EQ(&shown, &options);
            act();
            return options.GetModalResult();
        });
        return options.DoModal();
    }

    // The row of a name on the Helpers page, or -1.
    int Row(const QString& name) const
    {
        const CListBox* list = options.m_pageHelpers.m_lbHelpers;
        for (int i = 0; list && i < list->GetCount(); ++i) {
            if (list->GetText(i) == name)
                return i;
        }
        return -1;
    }

    // Puts the caret on a row and selects it, as a click does.
    void Pick(const QString& name)
    {
        CListBox* list = options.m_pageHelpers.m_lbHelpers;
        ASSERT_NE(list, nullptr);
        const int row = Row(name);
        ASSERT_GE(row, 0) << name.toStdString();
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }

    QString EditText(int id) const { return options.m_pageHelpers.GetDlgItemText(id); }

    ScriptedRunner runner;
    CHelperList defaults;
    CHelperList helpers;
    CHelperList viewers;
    COptions options;
};

TEST_F(Options, TabsAreGeneralHelpersRegistryAndTheSheetOpensOnHelpers)
{
    Run([&] {
        EXPECT_EQ(options.windowTitle(), "Property Sheet");
        QTabWidget* tabs = options.GetTabControl();
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(0), "General");
        EXPECT_EQ(tabs->tabText(1), "Helpers");
        EXPECT_EQ(tabs->tabText(2), "Registry");
        EXPECT_EQ(tabs->currentIndex(), 1);
        EXPECT_EQ(options.GetActivePage(), &options.m_pageHelpers);
        EXPECT_TRUE(options.m_pageHelpers.IsWindowCreated());
        EXPECT_FALSE(options.m_pageGeneral.IsWindowCreated());
        EXPECT_FALSE(options.m_pageRegistry.IsWindowCreated());
        Click(options, IDCANCEL);
    });
    // The classes carry their own names and the pages can be made from them.
    EXPECT_STREQ(options.metaObject()->className(), "COptions");
    for (const QMetaObject* meta : {&COptionsGeneral::staticMetaObject, &COptionsHelpers::staticMetaObject,
                                    &COptionsRegistry::staticMetaObject}) {
        std::unique_ptr<QObject> page(meta->newInstance());
        ASSERT_NE(page, nullptr) << meta->className();
        EXPECT_STREQ(page->metaObject()->className(), meta->className());
        EXPECT_NE(qobject_cast<CPropertyPage*>(page.get()), nullptr);
    }
}

TEST_F(Options, GeneralPageShowsTheSettingsAndReadsThemBack)
{
    options.m_pageGeneral.m_strFileMask = "*.lbl";
    options.m_pageGeneral.m_bTranslate = 1;
    options.m_pageGeneral.m_bShowFullPath = 1;
    const int result = Run([&] {
        options.GetTabControl()->setCurrentIndex(0);
        COptionsGeneral& page = options.m_pageGeneral;
        ASSERT_TRUE(page.IsWindowCreated());
        auto* mask = page.GetDlgItemAs<QLineEdit>(res::IDC_FILE_MASK);
        auto* translate = page.GetDlgItemAs<QCheckBox>(res::IDC_TRANSLATE);
        auto* fullPath = page.GetDlgItemAs<QCheckBox>(res::IDC_SHOW_FULL_PATH);
        ASSERT_TRUE(mask && translate && fullPath);
        EXPECT_EQ(mask->text(), "*.lbl");
        EXPECT_EQ(mask->accessibleName(), "File Mask:");
        EXPECT_EQ(translate->text(), "Show translated names:");
        EXPECT_FALSE(translate->isEnabled());
        EXPECT_TRUE(translate->isChecked());
        EXPECT_EQ(fullPath->text(), "Show full path in status area:");
        EXPECT_TRUE(fullPath->isEnabled());
        EXPECT_TRUE(fullPath->isChecked());
        EXPECT_TRUE(Labels(&page).contains("General options for Vellora."));
        EXPECT_TRUE(Labels(&page).contains("File Mask:"));
        // The greyed box does not change on a click.
        QTest::mouseClick(translate, Qt::LeftButton);
        EXPECT_TRUE(translate->isChecked());

        mask->setText("");  // any text is a mask, the empty one included
        fullPath->setChecked(false);
        Click(options, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(options.m_pageGeneral.m_strFileMask, "");
    EXPECT_EQ(options.m_pageGeneral.m_bTranslate, 1);
    EXPECT_EQ(options.m_pageGeneral.m_bShowFullPath, 0);
}

TEST_F(Options, GeneralPageKeepsItsValuesWhenNeverShownOrCancelled)
{
    options.m_pageGeneral.m_strFileMask = "*.img";
    options.m_pageGeneral.m_bShowFullPath = 0;
    EXPECT_EQ(Run([&] { Click(options, IDOK); }), IDOK);
    EXPECT_EQ(options.m_pageGeneral.m_strFileMask, "*.img");
    EXPECT_EQ(options.m_pageGeneral.m_bShowFullPath, 0);
    EXPECT_FALSE(options.m_pageGeneral.IsWindowCreated());

    EXPECT_EQ(Run([&] {
                  options.SetActivePage(0);
                  options.m_pageGeneral.GetDlgItemAs<QLineEdit>(res::IDC_FILE_MASK)->setText("*");
                  Click(options, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(options.m_pageGeneral.m_strFileMask, "*.img");
}

TEST_F(Options, RegistryPageListsTheViewersSortedAndShowsTheFirst)
{
    viewers.push_back(std::make_unique<CHelperEntry>("application/zip", "/usr/bin/unzipper \"%1\"", "application/zip",
                                                     ".zip", "System viewer for: .zip", ""));
    viewers.push_back(
        std::make_unique<CHelperEntry>("", "/usr/bin/paint \"%1\"", "image/bmp", ".bmp", "System viewer for: .bmp", ""));
    viewers.push_back(std::make_unique<CHelperEntry>("text/plain", "/usr/bin/editor \"%1\"", "text/plain", ".txt",
                                                     "System viewer for: .txt", ""));
    std::vector<const CHelperEntry*> before;
    for (const auto& viewer : viewers)
        before.push_back(viewer.get());

    for (int opening = 0; opening < 2; ++opening) {
        Run([&] {
            options.GetTabControl()->setCurrentIndex(2);
            COptionsRegistry& page = options.m_pageRegistry;
            ASSERT_TRUE(page.IsWindowCreated());
            ASSERT_NE(page.m_lbExtensions, nullptr);
            EXPECT_EQ(Rows(page.m_lbExtensions), QStringList({".bmp", ".txt", ".zip"}));
            EXPECT_EQ(page.m_lbExtensions->GetCurSel(), 0);
            EXPECT_EQ(page.m_lbExtensions->GetItemDataPtr(0), viewers[1].get());
            EXPECT_EQ(page.m_lbExtensions->GetItemDataPtr(2), viewers[0].get());
            // .bmp: its content type is empty.
            EXPECT_EQ(page.m_editDescription->text(), "image/bmp");
            EXPECT_EQ(page.m_editContentType->text(), "");
            EXPECT_EQ(page.m_editApplication->text(), "/usr/bin/paint \"%1\"");
            EXPECT_EQ(page.m_editDescription, page.GetDlgItem(res::IDC_REG_DESCRIPTION));
            EXPECT_EQ(page.m_editContentType, page.GetDlgItem(res::IDC_REG_CONTENT_TYPE));
            EXPECT_EQ(page.m_editApplication, page.GetDlgItem(res::IDC_REG_APPLICATION));
            for (QLineEdit* edit : {page.m_editDescription, page.m_editContentType, page.m_editApplication})
                EXPECT_TRUE(edit->isReadOnly());
            EXPECT_EQ(page.m_editDescription->accessibleName(), "Description:");
            EXPECT_EQ(page.m_editContentType->accessibleName(), "Content type:");
            EXPECT_EQ(page.m_editApplication->accessibleName(), "Application:");
            EXPECT_EQ(page.m_lbExtensions->accessibleName(), "File Extension:");

            // The user picks .txt.
            page.m_lbExtensions->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
            EXPECT_EQ(page.m_editDescription->text(), "text/plain");
            EXPECT_EQ(page.m_editContentType->text(), "text/plain");
            EXPECT_EQ(page.m_editApplication->text(), "/usr/bin/editor \"%1\"");
            // Typing is refused.
            QTest::keyClicks(page.m_editApplication, "xyz");
            EXPECT_EQ(page.m_editApplication->text(), "/usr/bin/editor \"%1\"");

            const QStringList labels = Labels(&page);
            EXPECT_TRUE(labels.contains(
                "These are the viewers (or helper) applications available on your local system. This information "
                "is extracted from your system's  Registry. You can not edit anything in this dialog since making "
                "the wrong changes can"));
            EXPECT_TRUE(labels.contains(
                "adversely affect your system and its configuration. If you want to add an alternate viewer for a "
                "particular file extension use the \"Other\" property sheet."));
            for (const char* label : {"File Extension:", "Description:", "Content type:", "Application:"})
                EXPECT_TRUE(labels.contains(label)) << label;
            Click(options, opening == 0 ? IDOK : IDCANCEL);
        });
    }
    ASSERT_EQ(viewers.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(viewers[i].get(), before[i]);
    EXPECT_EQ(viewers[1]->m_strExtension, ".bmp");
}

TEST_F(Options, RegistryPageWithoutAListStaysEmpty)
{
    options.m_pageRegistry.m_pSystemViewers = nullptr;
    Run([&] {
        options.SetActivePage(2);
        COptionsRegistry& page = options.m_pageRegistry;
        EXPECT_EQ(page.m_lbExtensions->GetCount(), 0);
        EXPECT_TRUE(page.m_editDescription->text().isEmpty());
        EXPECT_TRUE(page.m_editApplication->text().isEmpty());
        Click(options, IDCANCEL);
    });
    viewers.clear();
    options.m_pageRegistry.m_pSystemViewers = &viewers;
    Run([&] {
        options.SetActivePage(2);
        EXPECT_EQ(options.m_pageRegistry.m_lbExtensions->GetCount(), 0);
        EXPECT_TRUE(options.m_pageRegistry.m_editContentType->text().isEmpty());
        Click(options, IDCANCEL);
    });
}

TEST_F(Options, HelpersPageListsTheNamesSortedAndShowsThePickedRow)
{
    helpers.push_back(Helper("From ini", "TABLE", "tab", "Read this|first"));
    Run([&] {
        COptionsHelpers& page = options.m_pageHelpers;
        ASSERT_NE(page.m_lbHelpers, nullptr);
        EXPECT_TRUE(page.m_lbHelpers->IsMultiSelection());
        EXPECT_EQ(Rows(page.m_lbHelpers),
                  QStringList({"*", "From ini", "GRAFEL - Table", "GRAFEL - Time series", "Plainsight - Label",
                               "Skyglass - Image", "SKYGLASS - Table", "Skyglass - Time Series",
                               "Tagwright - Label"}));
        for (int i = 0; i < page.m_lbHelpers->GetCount(); ++i) {
            const auto* helper = static_cast<const CHelperEntry*>(page.m_lbHelpers->GetItemDataPtr(i));
            ASSERT_NE(helper, nullptr);
            EXPECT_EQ(helper->m_strName, page.m_lbHelpers->GetText(i));
        }
        EXPECT_EQ(page.m_lbHelpers->GetSelCount(), 0);
        for (int id : {res::IDC_HELPER_APPLICATION, res::IDC_HELPER_DESCRIPTION, res::IDC_HELPER_CONTENT_TYPE,
                       res::IDC_HELPER_EXTENSION}) {
            EXPECT_TRUE(EditText(id).isEmpty()) << id;
            EXPECT_TRUE(page.GetDlgItemAs<QLineEdit>(id)->isReadOnly()) << id;
        }
        EXPECT_EQ(page.m_editApplication->accessibleName(), "Application:");
        EXPECT_EQ(page.m_editDescription->accessibleName(), "Description:");
        EXPECT_EQ(page.m_editContentType->accessibleName(), "Content Type:");
        EXPECT_EQ(page.m_editExtension->accessibleName(), "Extension:");
        EXPECT_EQ(page.m_lbHelpers->accessibleName(), "Name:");

        Pick("From ini");
        EXPECT_EQ(EditText(res::IDC_HELPER_APPLICATION), "/opt/from ini/run");
        EXPECT_EQ(EditText(res::IDC_HELPER_DESCRIPTION), "From ini description");
        EXPECT_EQ(EditText(res::IDC_HELPER_CONTENT_TYPE), "TABLE");
        EXPECT_EQ(EditText(res::IDC_HELPER_EXTENSION), "tab");
        // The message is shown nowhere on the page.
        for (const QLineEdit* edit : page.findChildren<QLineEdit*>())
            EXPECT_FALSE(edit->text().contains("Read this"));
        EXPECT_FALSE(Labels(&page).join(' ').contains("Read this"));

        // Shift-click extends the selection; the fields follow the caret.
        page.m_lbHelpers->setCurrentRow(Row("*"), QItemSelectionModel::Select);
        EXPECT_EQ(page.m_lbHelpers->GetSelCount(), 2);
        EXPECT_EQ(EditText(res::IDC_HELPER_APPLICATION), "/programs\\plainsight.exe");
        EXPECT_EQ(EditText(res::IDC_HELPER_CONTENT_TYPE), "*");
        EXPECT_EQ(EditText(res::IDC_HELPER_EXTENSION), "");

        // The buttons: three created disabled, Default enabled.
        for (auto [id, text] : {std::pair{res::IDC_HELPER_ADD, "&Add"}, std::pair{res::IDC_HELPER_EDIT, "&Edit"},
                                std::pair{res::IDC_HELPER_DELETE, "&Delete"}}) {
            auto* button = page.GetDlgItemAs<QPushButton>(id);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), text);
            EXPECT_FALSE(button->isEnabled());
        }
        EXPECT_EQ(page.GetDlgItemAs<QPushButton>(res::IDC_HELPER_DEFAULT)->text(), "Default");
        EXPECT_TRUE(page.GetDlgItem(res::IDC_HELPER_DEFAULT)->isEnabled());
        for (const char* label : {"Name:", "Application:", "Description:", "Content Type:", "Extension:"})
            EXPECT_TRUE(Labels(&page).contains(label)) << label;
        Click(options, IDCANCEL);
    });
}

TEST_F(Options, DefaultRestoresTheDefaultHelpersAsNewCopies)
{
    helpers.erase(helpers.begin() + 2);
    helpers.push_back(Helper("Mine", "IMAGE", ".img"));
    helpers.front()->m_strName = "Renamed";
    const int result = Run([&] {
        COptionsHelpers& page = options.m_pageHelpers;
        Pick("Mine");
        const QString shown = EditText(res::IDC_HELPER_APPLICATION);
        runner.ExpectBox(IDOK);
        Click(page, res::IDC_HELPER_DEFAULT);
        ASSERT_EQ(runner.Boxes().size(), 1u);
        EXPECT_EQ(runner.Boxes()[0].text,
                  "This will delete all current entries and\nreplace them with the default list of helpers.");
        EXPECT_EQ(runner.Boxes()[0].kind.buttons, MessageButtons::OkCancel);
        // The rows are the defaults', nothing is selected, the fields keep
        // what they showed.
        EXPECT_EQ(Rows(page.m_lbHelpers).size(), 8);
        EXPECT_TRUE(Rows(page.m_lbHelpers).contains("GRAFEL - Time series"));
        EXPECT_FALSE(Rows(page.m_lbHelpers).contains("Mine"));
        EXPECT_EQ(page.m_lbHelpers->GetSelCount(), 0);
        EXPECT_EQ(EditText(res::IDC_HELPER_APPLICATION), shown);
        for (int i = 0; i < page.m_lbHelpers->GetCount(); ++i) {
            const void* data = page.m_lbHelpers->GetItemDataPtr(i);
            EXPECT_TRUE(std::any_of(helpers.begin(), helpers.end(), [&](const auto& h) { return h.get() == data; }));
        }
        EXPECT_TRUE(page.IsModified());
        EXPECT_TRUE(options.GetDlgItem(res::ID_APPLY_NOW)->isEnabled());
        Click(options, IDCANCEL);  // the reset stays
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(helpers.size(), defaults.size());
    for (std::size_t i = 0; i < helpers.size(); ++i) {
        EXPECT_NE(helpers[i].get(), defaults[i].get());
        EXPECT_EQ(helpers[i]->m_strContentType, defaults[i]->m_strContentType);
        EXPECT_EQ(helpers[i]->m_strApplication, defaults[i]->m_strApplication);
        EXPECT_EQ(helpers[i]->m_strDescription, defaults[i]->m_strDescription);
        EXPECT_EQ(helpers[i]->m_strExtension, defaults[i]->m_strExtension);
        EXPECT_EQ(helpers[i]->m_strName, defaults[i]->m_strName);
        EXPECT_EQ(helpers[i]->m_strMessage, defaults[i]->m_strMessage);
    }
}

TEST_F(Options, CancelOnTheDefaultQuestionChangesNothing)
{
    helpers.push_back(Helper("Mine", "IMAGE"));
    std::vector<const CHelperEntry*> before;
    for (const auto& helper : helpers)
        before.push_back(helper.get());
    Run([&] {
        runner.ExpectBox(IDCANCEL);
        Click(options.m_pageHelpers, res::IDC_HELPER_DEFAULT);
        EXPECT_EQ(Rows(options.m_pageHelpers.m_lbHelpers).size(), 9);
        EXPECT_FALSE(options.m_pageHelpers.IsModified());
        EXPECT_FALSE(options.GetDlgItem(res::ID_APPLY_NOW)->isEnabled());
        Click(options, IDOK);
    });
    ASSERT_EQ(helpers.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(helpers[i].get(), before[i]);
}

TEST_F(Options, DefaultWithoutADefaultListLeavesTheHelpersEmpty)
{
    options.m_pageHelpers.m_pDefaultHelperList = nullptr;
    Run([&] {
        runner.ExpectBox(IDOK);
        options.m_pageHelpers.OnDefault();
        EXPECT_EQ(options.m_pageHelpers.m_lbHelpers->GetCount(), 0);
        Click(options, IDOK);
    });
    EXPECT_TRUE(helpers.empty());
}

TEST_F(Options, AddAppendsAtOnceAndCancelOnTheSheetKeepsIt)
{
    runner.ExpectDialog([&](CDialog&) {
        COptionsHelpers& page = options.m_pageHelpers;
        Pick("*");
        runner.ExpectDialog([](CDialog& shown) {
            auto& dialog = dynamic_cast<CNewHelperDlg&>(shown);
            EXPECT_EQ(dialog.windowTitle(), "New Helper");
            for (QLineEdit* edit : {dialog.m_editName, dialog.m_editContentType, dialog.m_editApplication,
                                    dialog.m_editDescription, dialog.m_editExtension})
                EXPECT_TRUE(edit && edit->text().isEmpty());
            dialog.m_editName->setText("  My viewer ");
            dialog.m_editContentType->setText("image");
            dialog.m_editApplication->setText("/usr/bin/viewer --flag");
            dialog.m_editDescription->setText("Shows IMAGES.");
            dialog.m_editExtension->setText("img");
            Click(dialog, IDOK);
            return dialog.GetModalResult();
        });
        page.OnAdd();
        EXPECT_EQ(helpers.size(), 9u);
        const int row = Row("  My viewer ");
        EXPECT_GE(row, 0);
        EXPECT_EQ(page.m_lbHelpers->GetItemDataPtr(row), helpers.back().get());
        EXPECT_EQ(page.m_lbHelpers->GetSel(row), 1);
        EXPECT_EQ(page.m_lbHelpers->GetSel(Row("*")), 1);  // added to the selection
        EXPECT_EQ(page.m_lbHelpers->GetCurSel(), row);
        EXPECT_EQ(EditText(res::IDC_HELPER_APPLICATION), "/usr/bin/viewer --flag");
        EXPECT_EQ(EditText(res::IDC_HELPER_EXTENSION), "img");
        EXPECT_TRUE(options.GetDlgItem(res::ID_APPLY_NOW)->isEnabled());
        Click(options, IDCANCEL);
        return options.GetModalResult();
    });
    EXPECT_EQ(options.DoModal(), IDCANCEL);
    ASSERT_EQ(helpers.size(), 9u);
    const CHelperEntry& added = *helpers.back();
    // Stored exactly as typed.
    EXPECT_EQ(added.m_strName, "  My viewer ");
    EXPECT_EQ(added.m_strContentType, "image");
    EXPECT_EQ(added.m_strApplication, "/usr/bin/viewer --flag");
    EXPECT_EQ(added.m_strDescription, "Shows IMAGES.");
    EXPECT_EQ(added.m_strExtension, "img");
    EXPECT_EQ(added.m_strMessage, "");
}

TEST_F(Options, AddCancelledInTheDialogAddsNothing)
{
    Run([&] {
        runner.ExpectDialog([](CDialog& shown) {
            Click(shown, IDCANCEL);
            return shown.GetModalResult();
        });
        options.m_pageHelpers.OnAdd();
        EXPECT_EQ(options.m_pageHelpers.m_lbHelpers->GetCount(), 8);
        EXPECT_FALSE(options.m_pageHelpers.IsModified());
        Click(options, IDOK);
    });
    EXPECT_EQ(helpers.size(), 8u);
}

TEST_F(Options, EditChangesTheHelperInPlace)
{
    helpers.push_back(Helper("Zeta", "TABLE", ".tab", "Note"));
    CHelperEntry* edited = helpers.back().get();
    Run([&] {
        COptionsHelpers& page = options.m_pageHelpers;
        Pick("Zeta");
        runner.ExpectDialog([](CDialog& shown) {
            auto& dialog = dynamic_cast<CNewHelperDlg&>(shown);
            EXPECT_EQ(dialog.m_editName->text(), "Zeta");
            EXPECT_EQ(dialog.m_editContentType->text(), "TABLE");
            EXPECT_EQ(dialog.m_editApplication->text(), "/opt/zeta/run");
            EXPECT_EQ(dialog.m_editDescription->text(), "Zeta description");
            EXPECT_EQ(dialog.m_editExtension->text(), ".tab");
            dialog.m_editName->setText("Alpha");
            dialog.m_editApplication->setText("/opt/alpha");
            Click(dialog, IDOK);
            return dialog.GetModalResult();
        });
        page.OnEdit();
        EXPECT_EQ(Row("Zeta"), -1);
        const int row = Row("Alpha");
        ASSERT_EQ(row, 1);  // its new sorted place, after "*"
        EXPECT_EQ(page.m_lbHelpers->GetItemDataPtr(row), edited);
        EXPECT_EQ(page.m_lbHelpers->GetCurSel(), row);
        EXPECT_EQ(EditText(res::IDC_HELPER_APPLICATION), "/opt/alpha");
        EXPECT_TRUE(page.IsModified());

        // Cancel in the dialog changes nothing.
        runner.ExpectDialog([](CDialog& shown) {
            dynamic_cast<CNewHelperDlg&>(shown).m_editName->setText("Lost");
            Click(shown, IDCANCEL);
            return shown.GetModalResult();
        });
        page.OnEdit();
        EXPECT_EQ(Row("Lost"), -1);
        Click(options, IDCANCEL);
    });
    ASSERT_EQ(helpers.size(), 9u);
    EXPECT_EQ(helpers.back().get(), edited);  // same place in the list
    EXPECT_EQ(edited->m_strName, "Alpha");
    EXPECT_EQ(edited->m_strApplication, "/opt/alpha");
    EXPECT_EQ(edited->m_strMessage, "Note");
}

TEST_F(Options, EditAndDeleteWithoutACaretRowDoNothing)
{
    Run([&] {
        COptionsHelpers& page = options.m_pageHelpers;
        page.m_lbHelpers->setCurrentRow(-1);
        page.OnEdit();
        page.OnDelete();
        EXPECT_TRUE(page.m_pendingDeletes.empty());
        EXPECT_FALSE(page.IsModified());
        Click(options, IDOK);
    });
    EXPECT_EQ(helpers.size(), 8u);
}

TEST_F(Options, DeleteWaitsForOkOrApply)
{
    // Delete, then Cancel: the helper stays.
    Run([&] {
        Pick("Tagwright - Label");
        options.m_pageHelpers.OnDelete();
        EXPECT_EQ(Row("Tagwright - Label"), -1);
        EXPECT_EQ(helpers.size(), 8u);
        EXPECT_TRUE(options.GetDlgItem(res::ID_APPLY_NOW)->isEnabled());
        Click(options, IDCANCEL);
    });
    EXPECT_EQ(Names(helpers).count("Tagwright - Label"), 1);
    EXPECT_TRUE(options.m_pageHelpers.m_pendingDeletes.empty());  // dropped, not kept for a later OK

    // Delete, Apply, OK: removed once, nothing else.
    COptions second;
    second.m_pageHelpers.m_pHelperList = &helpers;
    second.m_pageHelpers.m_pDefaultHelperList = &defaults;
    const QStringList before = Names(helpers);
    runner.ExpectDialog([&](CDialog&) {
        CListBox* list = second.m_pageHelpers.m_lbHelpers;
        for (int i = 0; i < list->GetCount(); ++i) {
            if (list->GetText(i) == "Tagwright - Label")
                list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
        }
        second.m_pageHelpers.OnDelete();
        Click(second, res::ID_APPLY_NOW);
        EXPECT_EQ(helpers.size(), 7u);
        EXPECT_TRUE(second.m_pageHelpers.m_pendingDeletes.empty());
        EXPECT_FALSE(second.GetDlgItem(res::ID_APPLY_NOW)->isEnabled());
        Click(second, IDOK);
        return second.GetModalResult();
    });
    EXPECT_EQ(second.DoModal(), IDOK);
    QStringList expected = before;
    expected.removeOne("Tagwright - Label");
    EXPECT_EQ(Names(helpers), expected);
}

TEST_F(Options, DeleteApplyCancelStaysDeleted)
{
    Run([&] {
        Pick("*");
        options.m_pageHelpers.OnDelete();
        Click(options, res::ID_APPLY_NOW);
        Click(options, IDCANCEL);
    });
    EXPECT_EQ(helpers.size(), 7u);
    EXPECT_EQ(Names(helpers).count("*"), 0);
}

TEST_F(Options, DefaultForgetsPendingDeletions)
{
    Run([&] {
        Pick("*");
        options.m_pageHelpers.OnDelete();
        runner.ExpectBox(IDOK);
        options.m_pageHelpers.OnDefault();
        EXPECT_TRUE(options.m_pageHelpers.m_pendingDeletes.empty());
        Click(options, IDOK);
    });
    EXPECT_EQ(helpers.size(), 8u);
    EXPECT_EQ(Names(helpers).count("*"), 1);
}

TEST_F(Options, APendingDeletionNoLongerInTheListIsSkipped)
{
    Run([&] {
        Pick("*");
        options.m_pageHelpers.OnDelete();
        // The helper leaves the list by other means before the commit.
        CHelperEntry* pending = options.m_pageHelpers.m_pendingDeletes.front();
        const auto it = std::find_if(helpers.begin(), helpers.end(), [&](const auto& h) { return h.get() == pending; });
        ASSERT_NE(it, helpers.end());
        helpers.erase(it);
        Click(options, IDOK);
    });
    EXPECT_EQ(helpers.size(), 7u);
}

// The widgets Tab stops at after `from`, following the focus chain.
std::vector<QWidget*> TabChain(QWidget* from, int count)
{
    std::vector<QWidget*> chain;
    for (QWidget* w = from->nextInFocusChain(); w && w != from && static_cast<int>(chain.size()) < count;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
    }
    return chain;
}

TEST_F(Options, PagesKeepTheirTemplatesTabOrderAndTheFirstControlHasTheFocus)
{
    Run([&] {
        COptionsHelpers& page = options.m_pageHelpers;
        EXPECT_EQ(options.focusWidget(), page.m_lbHelpers);
        const std::vector<QWidget*> expected = {
            page.m_editApplication, page.m_editDescription, page.m_editContentType, page.m_editExtension,
            page.GetDlgItem(res::IDC_HELPER_ADD), page.GetDlgItem(res::IDC_HELPER_EDIT),
            page.GetDlgItem(res::IDC_HELPER_DELETE), page.GetDlgItem(res::IDC_HELPER_DEFAULT),
            options.GetDlgItem(IDOK), options.GetDlgItem(IDCANCEL), options.GetDlgItem(res::ID_APPLY_NOW)};
        EXPECT_EQ(TabChain(page.m_lbHelpers, static_cast<int>(expected.size())), expected);
        options.SetActivePage(0);
        EXPECT_EQ(options.focusWidget(), options.m_pageGeneral.GetDlgItem(res::IDC_FILE_MASK));
        Click(options, IDCANCEL);
    });
}

TEST_F(Options, GrownTextsStayClearOfTheirNeighbours)
{
    Run([&] {
        options.SetActivePage(0);
        const COptionsGeneral& general = options.m_pageGeneral;
        const QWidget* translate = general.GetDlgItem(res::IDC_TRANSLATE);
        const QWidget* fullPath = general.GetDlgItem(res::IDC_SHOW_FULL_PATH);
        // Both boxes sit one above the other, and both texts fit.
        EXPECT_EQ(translate->geometry().right(), fullPath->geometry().right());
        EXPECT_GE(translate->width(), translate->sizeHint().width());
        EXPECT_GE(fullPath->width(), fullPath->sizeHint().width());
        EXPECT_TRUE(general.rect().contains(fullPath->geometry()));

        options.SetActivePage(2);
        const COptionsRegistry& registry = options.m_pageRegistry;
        const QList<QLabel*> labels = registry.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (const QLabel* label : labels) {
            EXPECT_TRUE(registry.rect().contains(label->geometry())) << label->text().toStdString();
            EXPECT_GE(label->height(), label->wordWrap() ? label->heightForWidth(label->width())
                                                         : label->sizeHint().height())
                << label->text().toStdString();
            for (const QLabel* other : labels) {
                if (other != label) {
                    EXPECT_FALSE(label->geometry().intersects(other->geometry()))
                        << label->text().toStdString() << " / " << other->text().toStdString();
                }
            }
            for (const QWidget* edit : {registry.m_editDescription, registry.m_editContentType,
                                        registry.m_editApplication})
                EXPECT_FALSE(label->geometry().intersects(edit->geometry())) << label->text().toStdString();
        }
        EXPECT_EQ(registry.m_editDescription->x(), registry.m_editApplication->x());
        EXPECT_EQ(registry.m_editContentType->x(), registry.m_editApplication->x());
        Click(options, IDCANCEL);
    });
}

TEST(ListBoxCaret, SelectingALineMovesTheCaretThere)
{
    CListBox list(true, true);
    for (const char* text : {"a", "b", "c"})
        list.AddString(text);
    list.SetSel(2);
    EXPECT_EQ(list.GetCaretIndex(), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SetSel(0, false);
    EXPECT_EQ(list.GetCaretIndex(), 2);
    list.SetSel(1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.GetSelCount(), 2);
}

}  // namespace
