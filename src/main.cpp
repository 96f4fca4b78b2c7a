// Vellora: started in a PDS volume's folder, or given it as its one
// argument, which becomes the current drive, it shows the volume's
// description and then the browser window.

#include "app/CBrowserApp.h"
#include "app/CommandLine.h"
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

    CBrowserApp theApp;
    theApp.Drives().InitFromStartDir(QDir::currentPath());
    GuiModalRunner runner;
    CModalRunner::Install(&runner);
    theApp.InitInstance();
    CModalRunner::Install(nullptr);
    return 0;
}
