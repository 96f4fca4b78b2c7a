#include "viewer/ViewerMain.h"

#include "viewer/Thumbnail.h"
#include "viewer/ViewerWindow.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace viewer {

std::optional<int> RunViewer(int& argc, char** argv)
{
    const bool wantsWindow = argc == 2 && std::strncmp(argv[1], "--", 2) != 0;
    const bool wantsThumbnail = argc >= 2 && std::strcmp(argv[1], "--thumbnail") == 0;
    if (wantsThumbnail) {
        // No window: a thumbnailer runs without a display.
        QCoreApplication application(argc, argv);
        QString err;
        const int status = RunThumbnail(QCoreApplication::arguments().mid(2), err);
        const QByteArray text = err.toUtf8();
        std::fwrite(text.data(), 1, std::size_t(text.size()), stderr);
        return status;
    }
    if (!wantsWindow)
        return std::nullopt;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvath"));
    QApplication::setApplicationName(QStringLiteral("vellora-view"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vellora Viewer"));
    // Docks and task bars match the window to the viewer's desktop entry
    // (its StartupWMClass is the application name).
    QApplication::setDesktopFileName(QStringLiteral("org.morvath.VelloraView"));
    ViewerWindow window;
    if (argc == 2)
        window.OpenFile(QApplication::arguments().at(1));
    window.show();
    return QApplication::exec();
}

}  // namespace viewer
