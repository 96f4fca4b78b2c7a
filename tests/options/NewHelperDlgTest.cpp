// The New Helper dialog: its controls, the order in which OK reports an
// empty field, texts kept exactly as typed, and the Browse button.

#include "options/CNewHelperDlg.h"
#include "platform/WinTypes.h"
#include "res/gui/NewHelperTemplate.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* const kIncomplete = "A Helper entry must have a \"%1\" defined\nin order to be complete.";

struct Fields {
    QString name, contentType, application, description, extension;
};

void Fill(CNewHelperDlg& dialog, const Fields& f)
{
    dialog.m_editName->setText(f.name);
    dialog.m_editContentType->setText(f.contentType);
    dialog.m_editApplication->setText(f.application);
    dialog.m_editDescription->setText(f.description);
    dialog.m_editExtension->setText(f.extension);
}

void Click(const CDialog& dialog, int id)
{
    auto* button = dialog.GetDlgItemAs<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

TEST(NewHelper, ShowsItsControlsAndTheCallersTexts)
{
    ScriptedRunner runner;
    CNewHelperDlg dialog;
    dialog.m_strName = "Name";
    dialog.m_strContentType = "TABLE";
    dialog.m_strApplication = "/bin/view";
    dialog.m_strDescription = "Text";
    dialog.m_strExtension = ".tab";
    runner.ExpectDialog([&](CDialog&) {
        EXPECT_EQ(dialog.windowTitle(), "New Helper");
        EXPECT_EQ(dialog.m_editName, dialog.GetDlgItem(res::IDC_NEW_NAME));
        EXPECT_EQ(dialog.m_editContentType, dialog.GetDlgItem(res::IDC_NEW_CONTENT_TYPE));
        EXPECT_EQ(dialog.m_editApplication, dialog.GetDlgItem(res::IDC_NEW_APPLICATION));
        EXPECT_EQ(dialog.m_editDescription, dialog.GetDlgItem(res::IDC_NEW_DESCRIPTION));
        EXPECT_EQ(dialog.m_editExtension, dialog.GetDlgItem(res::IDC_NEW_EXTENSION));
        EXPECT_EQ(dialog.m_staticName, dialog.GetDlgItem(res::IDC_NEW_NAME_LABEL));
        EXPECT_EQ(dialog.m_staticExtension, dialog.GetDlgItem(res::IDC_NEW_EXTENSION_LABEL));
        EXPECT_EQ(dialog.m_staticName->text(), "Name:");
        EXPECT_EQ(dialog.m_staticExtension->text(), "Extension:");
        EXPECT_EQ(dialog.m_editName->text(), "Name");
        EXPECT_EQ(dialog.m_editContentType->text(), "TABLE");
        EXPECT_EQ(dialog.m_editApplication->text(), "/bin/view");
        EXPECT_EQ(dialog.m_editDescription->text(), "Text");
        EXPECT_EQ(dialog.m_editExtension->text(), ".tab");
        EXPECT_EQ(dialog.m_editName->accessibleName(), "Name:");
        EXPECT_EQ(dialog.m_editContentType->accessibleName(), "Content type:");
        EXPECT_EQ(dialog.m_editApplication->accessibleName(), "Application:");
        EXPECT_EQ(dialog.m_editDescription->accessibleName(), "Description:");
        EXPECT_EQ(dialog.m_editExtension->accessibleName(), "Extension:");
        EXPECT_TRUE(dialog.GetDlgItemAs<QPushButton>(IDOK)->isDefault());
        EXPECT_EQ(dialog.GetDlgItemText(IDCANCEL), "Cancel");
        EXPECT_EQ(dialog.GetDlgItemText(res::IDC_NEW_BROWSE), "&Browse");
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        EXPECT_TRUE(labels.contains("All fields must be filled in. Selecting the \"Browse\" button will display a "
                                    "dialog for selecting an existing application."));
        // The tab order is the template's.
        EXPECT_EQ(dialog.m_editName->nextInFocusChain(), dialog.m_editContentType);
        Click(dialog, IDCANCEL);
        return dialog.GetModalResult();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_strName, "Name");
}

TEST(NewHelper, OkReportsTheFirstEmptyFieldInItsOrder)
{
    struct Case {
        Fields fields;
        const char* missing;  // null: accepted
    };
    const Case cases[] = {
        {{"", "", "", "", ""}, "Name"},
        {{"", "T", "A", "D", "E"}, "Name"},
        {{"N", "", "", "", ""}, "Content Type"},
        {{"N", "T", "", "", "E"}, "Application"},
        {{"N", "T", "A", "", "E"}, "Description"},
        {{"N", "T", "A", "D", ""}, nullptr},
        {{" ", " ", " ", " ", ""}, nullptr},  // blanks are content
    };
    for (const Case& c : cases) {
        ScriptedRunner runner;
        CNewHelperDlg dialog;
        runner.ExpectDialog([&](CDialog&) {
            Fill(dialog, c.fields);
            if (c.missing)
                runner.ExpectBox(IDOK);
            Click(dialog, IDOK);
            if (c.missing) {
                // The dialog stays open with its contents.
                EXPECT_EQ(dialog.GetModalResult(), -1) << c.missing;
                EXPECT_EQ(dialog.m_editExtension->text(), c.fields.extension);
                EXPECT_TRUE(dialog.m_strName.isEmpty());
                EXPECT_EQ(runner.Boxes().size(), 1u);
                if (!runner.Boxes().empty()) {
                    EXPECT_EQ(runner.Boxes()[0].text, QString::fromLatin1(kIncomplete).arg(c.missing));
                    EXPECT_EQ(runner.Boxes()[0].kind.buttons, MessageButtons::Ok);
                }
                Click(dialog, IDCANCEL);
            }
            return dialog.GetModalResult();
        });
        EXPECT_EQ(dialog.DoModal(), c.missing ? IDCANCEL : IDOK);
        if (!c.missing) {
            EXPECT_EQ(dialog.m_strName, c.fields.name);
            EXPECT_EQ(dialog.m_strExtension, c.fields.extension);
        }
    }
}

TEST(NewHelper, TextsAreKeptExactlyAsTyped)
{
    ScriptedRunner runner;
    CNewHelperDlg dialog;
    runner.ExpectDialog([&](CDialog&) {
        QTest::keyClicks(dialog.m_editName, " Mixed Case ");
        Fill(dialog, {dialog.m_editName->text(), "time_series", "\"/opt/my tools/v\" %1", "  two  blanks", "lbl"});
        QTest::keyClick(dialog.m_editName, Qt::Key_Return);  // Enter is OK
        return dialog.GetModalResult();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, " Mixed Case ");
    EXPECT_EQ(dialog.m_strContentType, "time_series");
    EXPECT_EQ(dialog.m_strApplication, "\"/opt/my tools/v\" %1");
    EXPECT_EQ(dialog.m_strDescription, "  two  blanks");
    EXPECT_EQ(dialog.m_strExtension, "lbl");
}

TEST(NewHelper, BrowsePutsTheChosenProgramIntoTheApplication)
{
    ScriptedRunner runner;
    CNewHelperDlg dialog;
    runner.ExpectDialog([&](CDialog&) {
        Fill(dialog, {"N", "T", "old", "D", "E"});
        runner.ExpectFileDialog([&](FileDialogRequest& request) {
            EXPECT_EQ(request.filter,
                      "Executable files (*.exe, *.com, *.bat)|*.exe;*.com;*.bat|All files (*.*)|*.*||");
            EXPECT_TRUE(request.title.isEmpty());
            EXPECT_EQ(request.parent, &dialog);
            request.chosenPath = "/usr/local/bin/skyglass";
            return true;
        });
        Click(dialog, res::IDC_NEW_BROWSE);
        EXPECT_EQ(dialog.m_editApplication->text(), "/usr/local/bin/skyglass");
        EXPECT_EQ(dialog.m_editName->text(), "N");
        EXPECT_EQ(dialog.m_editExtension->text(), "E");

        // Cancel in the file dialog changes nothing.
        runner.ExpectFileDialog([](FileDialogRequest&) { return false; });
        dialog.OnBrowse();
        EXPECT_EQ(dialog.m_editApplication->text(), "/usr/local/bin/skyglass");

        // A program in a folder with a blank in its name is quoted, so that
        // the command line keeps it whole.
        runner.ExpectFileDialog([](FileDialogRequest& request) {
            request.chosenPath = "/home/user/Planetary Tools/view";
            return true;
        });
        dialog.OnBrowse();
        EXPECT_EQ(dialog.m_editApplication->text(), "\"/home/user/Planetary Tools/view\"");
        EXPECT_EQ(dialog.GetModalResult(), -1);  // still open
        Click(dialog, IDOK);
        return dialog.GetModalResult();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strApplication, "\"/home/user/Planetary Tools/view\"");
}

}  // namespace
