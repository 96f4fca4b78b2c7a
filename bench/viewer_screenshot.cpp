// Takes the viewer's screenshots for docs/screenshots/ (see
// bench/viewer_screenshots.sh): the real window offscreen, 1100 x 720,
// grabbed as drawn.
//   viewer_screenshot OUT.png FILE image|label [dark]
// The scale comes from QT_SCALE_FACTOR; "dark" uses Fusion with a dark
// palette.

#include "viewer/ImageView.h"
#include "viewer/ViewerWindow.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTabWidget>

#include <cstdio>
#include <cstring>

namespace {

QPalette DarkPalette()
{
    QPalette palette;
    const QColor window(0x2d, 0x2d, 0x30), base(0x1e, 0x1e, 0x1e), text(0xe8, 0xe8, 0xe8);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Dark, QColor(0x15, 0x15, 0x15));
    palette.setColor(QPalette::Mid, QColor(0x40, 0x40, 0x40));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    return palette;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: viewer_screenshot OUT.png FILE image|label [dark]\n");
        return 2;
    }
    QApplication application(argc, argv);
    if (argc > 4 && std::strcmp(argv[4], "dark") == 0) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    } else {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    viewer::ViewerWindow window;
    window.resize(1100, 720);
    window.show();
    window.OpenFile(QString::fromLocal8Bit(argv[2]));
    if (viewer::ImageView* view = window.currentImageView()) {
        view->loader().WaitIdle();
        view->loader().WaitIdle();
    }
    if (std::strcmp(argv[3], "label") == 0)
        window.SelectObject(window.currentObject()), window.tabs().setCurrentIndex(1);
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
