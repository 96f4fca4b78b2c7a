// Vellora: started in a PDS volume's folder, or given it as its one
// argument, which becomes the current drive, it shows the volume's
// description and then the browser window. This is where the program's
// pieces are put together: the drive table of the start folder, the modal
// runner that shows real windows, and the application object with the
// browser window it runs.

#include "app/CBrowserApp.h"
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

    DriveTable drives;
    drives.InitFromStartDir(QDir::currentPath());
    DriveTable::Install(&drives);
    GuiModalRunner runner;
    CModalRunner::Install(&runner);
    // A logout or Ctrl+C closes the windows as the user would.
    const TerminationSignals terminationSignals;

    CBrowserApp theApp(&CBrowserDlg::Make);
    theApp.InitInstance();

    CModalRunner::Install(nullptr);
    DriveTable::Install(nullptr);
    return 0;
}
