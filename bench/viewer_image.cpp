// Drives the viewer window offscreen over an image for bench/viewer.sh:
//   viewer_image first FILE    opens the window, draws the first picture, exits
//   viewer_image memory FILE   prints the resident memory at fit, at 1:1 and
//                              while panning across the whole image at 1:1,
//                              and the peak, in MB
// The window is 1100 x 760 pixels.

#include "viewer/ImageView.h"
#include "viewer/ViewerWindow.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {

// A line of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key)) + 1).trimmed().split(' ').at(0).toDouble() / 1024;
    return -1;
}

void Draw(viewer::ImageView& view)
{
    view.loader().WaitIdle();
    view.canvas().grab();
    view.loader().WaitIdle();
    view.canvas().grab();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "first") != 0 && std::strcmp(argv[1], "memory") != 0)) {
        std::fprintf(stderr, "usage: viewer_image first|memory FILE\n");
        return 2;
    }
    QApplication application(argc, argv);
    viewer::ViewerWindow window;
    window.resize(1100, 760);
    window.show();
    if (!window.OpenFile(QString::fromLocal8Bit(argv[2])) || !window.currentImageView()) {
        std::fprintf(stderr, "viewer_image: %s shows no image\n", argv[2]);
        return 1;
    }
    viewer::ImageView& view = *window.currentImageView();
    Draw(view);
    if (std::strcmp(argv[1], "first") == 0)
        return 0;

    std::printf("fit        %7.1f MB\n", StatusMb("VmRSS:"));
    viewer::ImageCanvas& canvas = view.canvas();
    canvas.ActualSize();
    Draw(view);
    std::printf("1:1        %7.1f MB\n", StatusMb("VmRSS:"));
    // Across the image at 1:1, a view at a time, row by row: every tile
    // of the image is read once.
    double highest = 0;
    int steps = 0;
    const double lines = double(view.loader().reader().array().Lines());
    const double samples = double(view.loader().reader().array().Samples());
    for (double y = canvas.height() / 2.0; y < lines + canvas.height() / 2.0; y += canvas.height())
        for (double x = canvas.width() / 2.0; x < samples + canvas.width() / 2.0; x += canvas.width()) {
            canvas.CentreOn(QPointF(x, y));
            Draw(view);
            ++steps;
            highest = std::max(highest, StatusMb("VmRSS:"));
        }
    std::printf("panning    %7.1f MB at most over %d views\n", highest, steps);
    std::printf("peak       %7.1f MB\n", StatusMb("VmHWM:"));
    return 0;
}
