// Start-up: the Volume Contents dialog with and without AAREADME.TXT, its
// buttons and keys, the browser window built only on Explore, and the
// Content button's viewing mode.

#include "app/gui/CBrowserApp.h"
#include "app/gui/CVolumeContentsDlg.h"
#include "browser/CBrowserDlg.h"
#include "platform/ProgramDir.h"
#include "platform/WinTypes.h"
#include "platform/gui/CListBox.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "support/VolumeTest.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Lines(const CVolumeContentsDlg& dlg)
{
    QStringList lines;
    for (int i = 0; i < dlg.m_listContents->GetCount(); ++i)
        lines << dlg.m_listContents->GetText(i);
    return lines;
}

QString SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Morvath/Vellora.conf");
}

// Shown buttons of the dialog (not shown on screen, so "not hidden").
bool Shown(QWidget* w) { return w && !w->isHidden(); }

class Startup : public VolumeTest {
protected:
    // Expects the start-up dialog; check() looks at it, then act() ends it.
    void ExpectContents(std::function<void(CVolumeContentsDlg&)> check, std::function<int(CVolumeContentsDlg&)> act)
    {
        runner.ExpectDialog([check, act](CDialog& shown) {
            auto* dlg = dynamic_cast<CVolumeContentsDlg*>(&shown);
            EXPECT_NE(dlg, nullptr);
            if (!dlg)
                return IDCANCEL;
            check(*dlg);
            return act(*dlg);
        });
    }

    // The real application object, made after the fixture's: the last one
    // made is the program's.
    CBrowserApp app{&CBrowserDlg::Make};
    ScriptedRunner runner;
};

int Click(CVolumeContentsDlg& dlg, QPushButton* button)
{
    button->click();
    return dlg.GetModalResult();
}

TEST_F(Startup, ListsTheDescriptionFileLineByLineWithBlankLines)
{
    volume.write("AAREADME.TXT", "VOLUME ONE\r\n\r\nThis volume holds\n\n\nlabels.\nlast line without end");
    ExpectContents(
        [](CVolumeContentsDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), "Vellora - Volume Contents");
            EXPECT_EQ(dlg.m_strContentsFile, "D:/AAREADME.TXT");
            EXPECT_EQ(Lines(dlg), (QStringList{"VOLUME ONE", "", "This volume holds", "", "", "labels.",
                                               "last line without end"}));
            EXPECT_TRUE(Shown(dlg.m_btnExplore));
            EXPECT_TRUE(Shown(dlg.m_btnExit));
            EXPECT_FALSE(Shown(dlg.m_btnDone));
        },
        [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });

    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner.DialogCount(), 1);  // no browser window
    EXPECT_EQ(app.m_pszAppName, "Vellora");
    EXPECT_EQ(app.m_pszRegistryKey, "Morvath");
    EXPECT_EQ(app.m_pszProfileName, "Vellora");
    EXPECT_EQ(app.m_strProgramDir, platform::ProgramDirectory());
    EXPECT_FALSE(app.m_strProgramDir.endsWith('/'));
}

TEST_F(Startup, TheFileIsFoundWhateverTheCaseOfItsName)
{
    volume.write("aareadme.txt", "lower-case disc\n");
    ExpectContents([](CVolumeContentsDlg& dlg) { EXPECT_EQ(Lines(dlg), QStringList{"lower-case disc"}); },
                   [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, AMissingFileGivesTheWarningWithTheDriveLetter)
{
    const QStringList expected{"*** No contents description file present ***", "", "",
                               "Volume is not PDS compliant and may not contain PDS labeled data.", "",
                               "If you continue you will be exploring drive D:"};
    ExpectContents(
        [&](CVolumeContentsDlg& dlg) {
            EXPECT_TRUE(dlg.m_strContentsFile.isEmpty());
            EXPECT_EQ(Lines(dlg), expected);
            EXPECT_TRUE(Shown(dlg.m_btnExplore));
            EXPECT_FALSE(Shown(dlg.m_btnDone));
        },
        [](CVolumeContentsDlg& dlg) {
            QTest::keyClick(&dlg, Qt::Key_Escape);
            return dlg.GetModalResult();
        });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner.DialogCount(), 1);
}

TEST_F(Startup, TheLetterIsTheCurrentDrivesOrTheCharacterBeforeA)
{
    TempDir other;
    drives.SetDrive(5, other.path());
    QDir::setCurrent(other.path());
    ExpectContents([](CVolumeContentsDlg& dlg) {
        EXPECT_EQ(Lines(dlg).value(5), "If you continue you will be exploring drive E:");
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();

    // A current directory on no drive at all: drive 0, character 64.
    drives.Clear();
    drives.SetDrive(5, other.path());
    QDir::setCurrent(volume.path());
    volume.write("AAREADME.TXT", "not reached through drive @\n");
    ExpectContents([](CVolumeContentsDlg& dlg) {
        EXPECT_TRUE(dlg.m_strContentsFile.isEmpty());
        EXPECT_EQ(Lines(dlg).value(5), "If you continue you will be exploring drive @:");
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, AFileThatCannotBeReadLeavesTheListEmpty)
{
    // Present (its status can be read) but not a readable file.
    QDir(volume.path()).mkdir("AAREADME.TXT");
    ExpectContents([](CVolumeContentsDlg& dlg) {
        EXPECT_EQ(dlg.m_strContentsFile, "D:/AAREADME.TXT");
        EXPECT_EQ(dlg.m_listContents->GetCount(), 0);
        EXPECT_TRUE(Shown(dlg.m_btnExplore));
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, AnEmptyFileGivesAnEmptyList)
{
    volume.write("AAREADME.TXT", "");
    ExpectContents([](CVolumeContentsDlg& dlg) { EXPECT_EQ(dlg.m_listContents->GetCount(), 0); },
                   [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, ExitEscAndTheCloseBoxEndWithoutTouchingTheSettingsStore)
{
    volume.write("AAREADME.TXT", "x\n");
    volume.write("vellor.ini", "[never read]\n");
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) {
        QTest::keyClick(dlg.m_listContents, Qt::Key_Escape);
        return dlg.GetModalResult();
    });
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) {
        dlg.show();
        dlg.close();
        return dlg.GetModalResult();
    });
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner.DialogCount(), 3);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(SettingsFile()).path()));
}

TEST_F(Startup, ExploreAndEnterRunTheBrowserWithTheFileName)
{
    volume.write("AAREADME.TXT", "x\n");
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExplore); });
    runner.ExpectDialog([&](CDialog& shown) {
        auto* browser = dynamic_cast<CBrowserDlg*>(&shown);
        EXPECT_NE(browser, nullptr);
        if (!browser)
            return IDCANCEL;
        EXPECT_EQ(browser->m_strContentsFile, "D:/AAREADME.TXT");
        EXPECT_EQ(app.m_pMainWnd, browser);
        return IDOK;
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.m_pMainWnd, nullptr);

    // Enter anywhere in the dialog is Explore; the missing file's name is
    // handed over all the same.
    QFile::remove(volume.file("AAREADME.TXT"));
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) {
        QTest::keyClick(dlg.m_listContents, Qt::Key_Return);
        return dlg.GetModalResult();
    });
    runner.ExpectDialog([&](CDialog& shown) {
        EXPECT_EQ(static_cast<CBrowserDlg&>(shown).m_strContentsFile, "D:/AAREADME.TXT");
        return IDCANCEL;
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner.DialogCount(), 4);
}

TEST_F(Startup, ContentButtonShowsTheFileInViewingModeWithOnlyDone)
{
    volume.write("AAREADME.TXT", "first\n\nthird\n");
    ExpectContents([](CVolumeContentsDlg&) {}, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExplore); });
    runner.ExpectDialog([&](CDialog& shown) {
        auto& browser = static_cast<CBrowserDlg&>(shown);
        browser.m_btnContent->click();
        // The browser goes on after the viewing dialog.
        EXPECT_EQ(browser.GetModalResult(), -1);
        browser.m_btnExit->click();
        return browser.GetModalResult();
    });
    ExpectContents(
        [](CVolumeContentsDlg& dlg) {
            EXPECT_EQ(dlg.m_bStartupMode, 0);
            EXPECT_EQ(Lines(dlg), (QStringList{"first", "", "third"}));
            EXPECT_FALSE(Shown(dlg.m_btnExplore));
            EXPECT_FALSE(Shown(dlg.m_btnExit));
            EXPECT_TRUE(Shown(dlg.m_btnDone));
        },
        [](CVolumeContentsDlg& dlg) {
            EXPECT_EQ(Click(dlg, dlg.m_btnDone), IDOK);
            return dlg.GetModalResult();
        });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner.DialogCount(), 3);
}

TEST_F(Startup, ContentButtonWithAMissingFileShowsAnEmptyList)
{
    CVolumeContentsDlg dlg;
    dlg.SetContentsFile("D:/AAREADME.TXT");  // as the browser hands it on
    ExpectContents([](CVolumeContentsDlg& shown) {
        EXPECT_EQ(shown.m_listContents->GetCount(), 0);
        EXPECT_TRUE(Shown(shown.m_btnDone));
        EXPECT_FALSE(Shown(shown.m_btnExplore));
    }, [](CVolumeContentsDlg& shown) {
        QTest::keyClick(shown.m_listContents, Qt::Key_Return);
        return shown.GetModalResult();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(Startup, AHugeDescriptionIsCutAtTheLineLimitWithAMarker)
{
    const QString cut = "*** The rest of the file is not shown: it is longer than 100,000 lines or 4 MB ***";
    QByteArray text;
    text.reserve(CVolumeContentsDlg::kMaxLines * 2 + 100);
    for (int i = 0; i < CVolumeContentsDlg::kMaxLines; ++i)
        text += "x\n";
    // Exactly at the limit: everything shows, and nothing is said.
    volume.write("AAREADME.TXT", text);
    ExpectContents([](CVolumeContentsDlg& dlg) {
        EXPECT_EQ(dlg.m_listContents->GetCount(), CVolumeContentsDlg::kMaxLines);
        EXPECT_EQ(dlg.m_listContents->GetText(CVolumeContentsDlg::kMaxLines - 1), "x");
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
    // One line more: the limit's lines and the marker.
    volume.write("AAREADME.TXT", text + "y\n");
    ExpectContents([&](CVolumeContentsDlg& dlg) {
        ASSERT_EQ(dlg.m_listContents->GetCount(), CVolumeContentsDlg::kMaxLines + 1);
        EXPECT_EQ(dlg.m_listContents->GetText(CVolumeContentsDlg::kMaxLines - 1), "x");
        EXPECT_EQ(dlg.m_listContents->GetText(CVolumeContentsDlg::kMaxLines), cut);
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, AnOverlongLineIsCutAndTheNextLineStillShows)
{
    // A description file with one line of 1 MB (a binary file, say).
    volume.write("AAREADME.TXT", QByteArray(1024 * 1024, 'z') + "\nsecond\n");
    ExpectContents([](CVolumeContentsDlg& dlg) {
        ASSERT_EQ(dlg.m_listContents->GetCount(), 2);
        EXPECT_EQ(dlg.m_listContents->GetText(0), QString(CVolumeContentsDlg::kMaxLineLength, u'z'));
        EXPECT_EQ(dlg.m_listContents->GetText(1), "second");
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

TEST_F(Startup, AFileLargerThanTheByteLimitShowsWhatFitsAndTheMarker)
{
    // Lines of 64 KiB of NUL bytes: the byte limit ends the list long
    // before the line limit would.
    QByteArray line(65535, '\0');
    line += '\n';
    QByteArray text;
    for (int i = 0; i < 80; ++i)
        text += line;
    volume.write("AAREADME.TXT", text);
    ExpectContents([](CVolumeContentsDlg& dlg) {
        const int count = dlg.m_listContents->GetCount();
        // 4 MiB hold exactly 64 lines; the marker follows them.
        ASSERT_EQ(count, 65);
        EXPECT_EQ(dlg.m_listContents->GetText(63), QString(65535, QChar(0)));
        EXPECT_EQ(dlg.m_listContents->GetText(64),
                  "*** The rest of the file is not shown: it is longer than 100,000 lines or 4 MB ***");
    }, [](CVolumeContentsDlg& dlg) { return Click(dlg, dlg.m_btnExit); });
    app.InitInstance();
}

}  // namespace
