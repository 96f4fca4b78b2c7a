// Vellora: started in a PDS volume's folder, which becomes the current
// drive, it shows the volume's description and then the browser window.

#include "app/CBrowserApp.h"
#include "platform/DriveTable.h"
#include "platform/gui/GuiModalRunner.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellora"));
    QApplication::setOrganizationName(QStringLiteral("Morvath"));
    QApplication::setDesktopFileName(QStringLiteral("vellora"));

    DriveTable drives;
    drives.InitFromStartDir(QDir::currentPath());
    DriveTable::Install(&drives);
    CBrowserApp theApp;
    GuiModalRunner runner;
    CModalRunner::Install(&runner);
    theApp.InitInstance();
    CModalRunner::Install(nullptr);
    DriveTable::Install(nullptr);
    return 0;
}
