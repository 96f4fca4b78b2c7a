#pragma once
// The application object: the start-up sequence. It shows the volume's
// description in the Volume Contents dialog and, when the user explores,
// loads the browser session and runs the browser window on it; the program
// ends when InitInstance returns.

#include "platform/CWinApp.h"

#include <QString>

#include <functional>
#include <memory>

class BrowserSession;
class CDialog;

class CBrowserApp : public CWinApp {
public:
    // Builds the browser window over a loaded session, with the name of the
    // volume's description file.
    using BrowserFactory =
        std::function<std::unique_ptr<CDialog>(BrowserSession& session, const QString& contentsFile)>;

    // Without a factory, Explore ends the program like Exit (after the
    // session was loaded).
    explicit CBrowserApp(BrowserFactory makeBrowser = {});
    ~CBrowserApp() override;

    // Always false: there is no message loop outside the modal dialogs.
    bool InitInstance() override;

    // The folder of the program's executable, without a trailing separator.
    QString m_strProgramDir;

private:
    BrowserFactory m_makeBrowser;
};

// The description file name for a drive letter ("D:/AAREADME.TXT").
QString ContentsFileName(QChar driveLetter);
