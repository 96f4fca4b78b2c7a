// The browser window's shell: construction, controls, layout, the About
// entry, the Help button, the keys that end it and the teardown.

#include "browser/CBrowserDlg.h"
#include "platform/WinTypes.h"
#include "res/gui/BrowserTemplate.h"
#include "support/LoadedSession.h"
#include "support/ScriptedRunner.h"
#include "support/VolumeTest.h"

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include "platform/gui/CListCtrl.h"
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include "platform/gui/CTreeCtrl.h"
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class Browser : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        QDir::setCurrent(volume.mkdir("DATA/IMAGES"));
    }

    // Runs the window; check() gets it initialised and returns its result.
    int Run(CBrowserDlg& browser, std::function<int(CBrowserDlg&)> check)
    {
        runner.ExpectDialog([&browser, check](CDialog& shown) {
            EXPECT_EQ(&shown, &browser);
            return check(browser);
        });
        return browser.DoModal();
    }

    ScriptedRunner runner;
};

TEST_F(Browser, ConstructionSetsTheDefaultsAndFillsTheLists)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    EXPECT_EQ(QDir::currentPath(), volume.path());  // the drive's root
    EXPECT_FALSE(browser.m_bLayoutReady);
    EXPECT_EQ(browser.Session().m_strFileMask, "*.lbl");
    EXPECT_EQ(browser.Session().m_bTranslate, 1);
    EXPECT_EQ(browser.m_nChangedItem, -1);
    EXPECT_TRUE(browser.m_strContentsFile.isEmpty());
    EXPECT_TRUE(browser.Session().m_systemViewerList.empty());
    ASSERT_EQ(browser.Session().m_defaultHelperList.size(), 8u);
    ASSERT_EQ(browser.Session().m_helperList.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NE(browser.Session().m_helperList[i].get(), browser.Session().m_defaultHelperList[i].get());
        EXPECT_EQ(browser.Session().m_helperList[i]->m_strName, browser.Session().m_defaultHelperList[i]->m_strName);
    }
    EXPECT_TRUE(browser.Session().m_defaultHelperList[0]->m_strApplication.startsWith(programDir.path()));
    EXPECT_EQ(browser.m_imageList.GetImageCount(), 3);
    EXPECT_EQ(browser.m_imageList.GetImageSize(), QSize(16, 16));
    EXPECT_FALSE(browser.m_hIcon.isNull());
}

TEST_F(Browser, InitialisationBindsEveryControl)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [](CBrowserDlg& b) {
        EXPECT_TRUE(b.m_bLayoutReady);
        EXPECT_EQ(b.windowTitle(), "Vellora");
        for (QWidget* control : std::initializer_list<QWidget*>{
                 b.m_picLogo, b.m_picLogo2, b.m_picBanner, b.m_btnOptions, b.m_btnExit, b.m_btnHelp,
                 b.m_btnContent, b.m_btnDetails, b.m_btnList, b.m_btnUpDir, b.m_staticStatus, b.m_listFiles,
                 b.m_treeFolders})
            EXPECT_NE(control, nullptr);
        EXPECT_EQ(b.m_btnHelp->text(), "&Help");
        EXPECT_EQ(b.m_btnContent->text(), "Content");
        EXPECT_EQ(b.m_btnOptions->text(), "Options...");
        EXPECT_EQ(b.m_btnExit->text(), "Exit");
        EXPECT_TRUE(b.m_btnExit->isDefault());
        EXPECT_FALSE(b.m_picLogo->pixmap().isNull());
        EXPECT_FALSE(b.m_picBanner->pixmap().isNull());
        EXPECT_FALSE(b.m_picLogo2->pixmap().isNull());
        for (QPushButton* button : {b.m_btnUpDir, b.m_btnList, b.m_btnDetails}) {
            EXPECT_TRUE(button->text().isEmpty());
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_FALSE(button->accessibleName().isEmpty());
        }
        EXPECT_FALSE(b.m_bmpUpDir.isNull());
        EXPECT_EQ(b.m_treeFolders->accessibleName(), "Folders");
        EXPECT_EQ(b.m_listFiles->accessibleName(), "Files");
        EXPECT_EQ(b.m_staticStatus->text(), "D:");
        EXPECT_EQ(b.m_strCurrentFolder, "D:");
        EXPECT_FALSE(b.windowIcon().isNull());
        // The About entry of the window menu.
        EXPECT_NE(b.SystemMenu(), nullptr);
        const QList<QAction*> actions = b.SystemMenu() ? b.SystemMenu()->actions() : QList<QAction*>();
        EXPECT_EQ(actions.size(), 2);
        if (actions.size() != 2)
            return IDOK;
        EXPECT_TRUE(actions[0]->isSeparator());
        EXPECT_EQ(actions[1]->text(), "&About Vellora...");
        return IDOK;
    });
}

TEST_F(Browser, LayoutFor800By600)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [](CBrowserDlg& b) {
        auto rect = [&](int id) { return b.GetDlgItem(id)->geometry(); };
        const QRect folders = b.GetDlgItem(res::IDC_UPDIR)->geometry();
        const QRect listBefore = rect(res::IDC_FILE_LIST);
        const QRect treeBefore = rect(res::IDC_FOLDER_TREE);
        const QRect statusBefore = rect(res::IDC_STATUS);
        std::map<int, QRect> before;
        for (int id : {res::IDC_OPTIONS, res::ID_HELP, res::IDC_CONTENT, res::IDC_BROWSER_EXIT, res::IDC_LOGO,
                       res::IDC_LOGO2, res::IDC_BANNER})
            before[id] = rect(id);

        b.OnSize(0, 800, 600);

        for (int id : {res::IDC_OPTIONS, res::ID_HELP, res::IDC_CONTENT, res::IDC_BROWSER_EXIT}) {
            EXPECT_EQ(rect(id).x(), 800 - before[id].width() - 14) << id;
            EXPECT_EQ(rect(id).y(), before[id].y()) << id;
            EXPECT_EQ(rect(id).size(), before[id].size()) << id;
        }
        EXPECT_EQ(rect(res::IDC_LOGO2).x(), 800 - before[res::IDC_LOGO2].width() - 10);
        EXPECT_EQ(rect(res::IDC_LOGO).x(), 800 - before[res::IDC_LOGO].width() - 10);
        EXPECT_EQ(rect(res::IDC_BANNER).x(), 800 - before[res::IDC_BANNER].width() - 3);
        EXPECT_EQ(rect(res::IDC_BANNER).y(), before[res::IDC_BANNER].y());

        const QRect list = rect(res::IDC_FILE_LIST);
        EXPECT_EQ(list.topLeft(), listBefore.topLeft());
        EXPECT_EQ(list.width(), 800 - rect(res::IDC_BROWSER_EXIT).width() - listBefore.x() - 28);
        EXPECT_EQ(list.height(), 540);
        const QRect tree = rect(res::IDC_FOLDER_TREE);
        EXPECT_EQ(tree.topLeft(), treeBefore.topLeft());
        EXPECT_EQ(tree.width(), treeBefore.width());
        EXPECT_EQ(tree.height(), 540);
        const QRect status = rect(res::IDC_STATUS);
        EXPECT_EQ(status.x(), statusBefore.x());
        EXPECT_EQ(status.y(), 578);
        EXPECT_EQ(status.width(), 786);
        EXPECT_EQ(status.height(), statusBefore.height());
        // The labels and the picture buttons never move.
        EXPECT_EQ(b.GetDlgItem(res::IDC_UPDIR)->geometry(), folders);

        // A size event of the window lays it out the same way.
        QResizeEvent sized(QSize(900, 700), QSize(800, 600));
        QCoreApplication::sendEvent(&b, &sized);
        EXPECT_EQ(rect(res::IDC_STATUS).y(), 678);
        EXPECT_EQ(rect(res::IDC_FILE_LIST).height(), 640);
        return IDOK;
    });
}

// A window that gets a size of 800 x 600 while it is built, before its
// initialisation.
class SizedWhileBuilt : public CBrowserDlg {
public:
    using CBrowserDlg::CBrowserDlg;

protected:
    bool OnInitDialog() override
    {
        QResizeEvent event(QSize(800, 600), size());
        QCoreApplication::sendEvent(this, &event);
        return CBrowserDlg::OnInitDialog();
    }
};

TEST_F(Browser, ASizeEventBeforeInitialisationMovesNothing)
{
    LoadedSession session(programDir.path());
    SizedWhileBuilt browser(session);
    Run(browser, [](CBrowserDlg& b) {
        // Every control still stands where the template puts it.
        const dlg::Template& t = b.Template();
        for (const dlg::Control& c : t.controls) {
            if (c.id == dlg::IDC_STATIC)
                continue;
            EXPECT_EQ(b.GetDlgItem(c.id)->geometry(), b.MapDialogRect(c.x, c.y, c.cx, c.cy)) << c.id;
        }
        EXPECT_NE(b.m_listFiles->height(), 540);
        return IDOK;
    });
}

TEST_F(Browser, ExitEnterEscAndTheCloseBoxEndIt)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    EXPECT_EQ(Run(browser, [](CBrowserDlg& b) {
        b.m_btnExit->click();
        return b.GetModalResult();
    }), IDOK);
    EXPECT_EQ(Run(browser, [](CBrowserDlg& b) {
        QTest::keyClick(b.m_listFiles->ActiveView(), Qt::Key_Return);
        return b.GetModalResult();
    }), IDOK);
    EXPECT_EQ(Run(browser, [](CBrowserDlg& b) {
        QTest::keyClick(b.m_treeFolders, Qt::Key_Escape);
        return b.GetModalResult();
    }), IDCANCEL);
    EXPECT_EQ(Run(browser, [](CBrowserDlg& b) {
        b.show();
        b.close();
        return b.GetModalResult();
    }), IDCANCEL);
}

TEST_F(Browser, TeardownFreesTheLists)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [](CBrowserDlg&) { return IDOK; });
    EXPECT_TRUE(browser.Session().m_helperList.empty());
    EXPECT_TRUE(browser.Session().m_defaultHelperList.empty());
    EXPECT_TRUE(browser.Session().m_systemViewerList.empty());
    EXPECT_FALSE(browser.m_bLayoutReady);
}

TEST_F(Browser, TheAboutEntryRunsTheAboutBox)
{
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [this](CBrowserDlg& b) {
        runner.ExpectDialog([](CDialog& about) {
            EXPECT_EQ(about.windowTitle(), "About Vellora");
            EXPECT_EQ(about.GetDlgItemText(1050), "vellor Version 1.0");
            EXPECT_FALSE(about.GetDlgItemText(1052).isEmpty());
            QTest::keyClick(&about, Qt::Key_Return);
            EXPECT_EQ(about.GetModalResult(), IDOK);
            return about.GetModalResult();
        });
        b.SystemMenu()->actions().at(1)->trigger();
        EXPECT_EQ(runner.DialogCount(), 2);
        b.OnSysCommand(0xF060);  // any other command: nothing here
        EXPECT_EQ(runner.DialogCount(), 2);
        return IDOK;
    });
}

TEST_F(Browser, HelpOpensTheHelpPageBesideTheProgram)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const QString page = programDir.write("vellora.html", "<html></html>");
    LoadedSession session(programDir.path());
    CBrowserDlg browser(session);
    Run(browser, [&](CBrowserDlg& b) {
        b.m_btnHelp->click();
        EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
        // Without the page, the user is told so.
        QFile::remove(page);
        runner.ExpectBox(IDOK);
        b.m_btnHelp->click();
        EXPECT_EQ(catcher.urls.size(), 1);
        EXPECT_EQ(runner.Boxes().back().text, "The help page vellora.html could not be found.");
        EXPECT_EQ(runner.Boxes().back().caption, "Vellora");
        EXPECT_EQ(b.GetModalResult(), -1);
        return IDOK;
    });
    QDesktopServices::unsetUrlHandler("file");
}

TEST_F(Browser, TheHelpPageShippedWithTheProgramExists)
{
    const QString source = QStringLiteral(VELLORA_SOURCE_DIR) + "/src/res/vellora.html";
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* needle : {"Volume Contents", "Explore", "Content", "Options...", "vellor.ini",
                               "About Vellora...", "Help", "Exit"})
        EXPECT_TRUE(text.contains(QLatin1String(needle))) << needle;
}

}  // namespace

#include "BrowserShellTest.moc"
