// vellora-view: shows PDS data products in a window, writes their
// thumbnails, and reads them from the command line.

#include "viewcli/ViewProgram.h"
#include "viewer/ViewerMain.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (const std::optional<int> status = viewer::RunViewer(argc, argv))
        return *status;
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellora-view"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLORA_VERSION_TEXT));
    viewcli::ViewProgram program;
    const int status = program.Run(QCoreApplication::arguments().mid(1));
    std::fwrite(program.out().data(), 1, program.out().size(), stdout);
    std::fwrite(program.err().data(), 1, program.err().size(), stderr);
    return std::fflush(stdout) == 0 ? status : 1;
}
