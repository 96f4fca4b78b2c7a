// Vellora: started in a PDS volume's folder, given it as its one argument
// or asked for it (--choose), which becomes the current drive, it shows the
// volume's description and then the browser window. This is where the
// program's pieces are put together: the modal runner that shows real
// windows, the drive table of the start folder, and the application object
// with the browser window it runs.

#include "app/gui/CBrowserApp.h"
#include "app/CommandLine.h"
#include "browser/CBrowserDlg.h"
#include "platform/DriveTable.h"
#include "platform/TerminationSignals.h"
#include "platform/gui/GuiModalRunner.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    // Settled before Qt starts, so --help, --version and errors need no
    // display; Qt sees no arguments of the user's.
    CommandLine commandLine(argc, argv);
    if (const std::optional<int> status = commandLine.Apply(stdout, stderr))
        return *status;
    int qtArgc = 1;
    QApplication qtApp(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellora"));
    QApplication::setOrganizationName(QStringLiteral("Morvath"));
    QApplication::setDesktopFileName(QStringLiteral("org.morvath.Vellora"));

    GuiModalRunner runner;
    CModalRunner::Install(&runner);
    // A logout or Ctrl+C closes the windows as the user would.
    const TerminationSignals terminationSignals;
    // From the desktop's menu the volume's folder is asked for first; the
    // chosen one is then the start folder, as a FOLDER argument is.
    if (const std::optional<int> status = commandLine.ChooseFolder(stderr)) {
        CModalRunner::Install(nullptr);
        return *status;
    }

    DriveTable drives;
    drives.InitFromStartDir(QDir::currentPath());
    DriveTable::Install(&drives);

    CBrowserApp theApp(&CBrowserDlg::Make);
    theApp.InitInstance();

    CModalRunner::Install(nullptr);
    DriveTable::Install(nullptr);
    return 0;
}
