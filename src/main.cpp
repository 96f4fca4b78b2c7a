// Vellora: started in a PDS volume's folder, which becomes the current
// drive, it shows the volume's description and then the browser window.

#include "app/CBrowserApp.h"
#include "platform/gui/GuiModalRunner.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellora"));
    QApplication::setOrganizationName(QStringLiteral("Morvath"));
    QApplication::setDesktopFileName(QStringLiteral("vellora"));

    CBrowserApp theApp;
    theApp.Drives().InitFromStartDir(QDir::currentPath());
    GuiModalRunner runner;
    CModalRunner::Install(&runner);
    theApp.InitInstance();
    CModalRunner::Install(nullptr);
    return 0;
}
