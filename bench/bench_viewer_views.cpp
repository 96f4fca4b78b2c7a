// Times the viewer's table and plot views as a user meets them, offscreen:
// - a table of 10,000,000 fixed-width binary rows: from making the view to
//   its first rows painted, and a jump to the last row (painted);
// - a series of 1,000,000 points: from making the view to the first plot
//   painted, then each of a series of zooms and pans, painted.
// The data are generated into a temporary folder (about 170 MB). Prints
// one line per step with the target it is held to.
//
// bench_viewer_views [--rows N] [--points N]
// bench_viewer_views --shots DIR [--dark] [--product LABEL]
//   instead writes pictures of both views (table-*.png, plot-*.png), on
//   LABEL or a small generated table; the scale comes from QT_SCALE_FACTOR.

#include "product/OpenProduct.h"
#include "viewer/PlotView.h"
#include "viewer/TableView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>

#include <qcustomplot.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Put32(std::string& out, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out += char((v >> (8 * i)) & 0xFF);
}

void PutDouble(std::string& out, double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, 8);
    for (int i = 7; i >= 0; --i)
        out += char((bits >> (8 * i)) & 0xFF);
}

// Records of 16 bytes: INDEX (MSB 4-byte integer), VALUE (IEEE double),
// FLAGS (4 characters). The label is PDS3, detached.
QString WriteTable(const QString& folder, std::int64_t rows)
{
    QFile data(folder + QStringLiteral("/TABLE.DAT"));
    if (!data.open(QIODevice::WriteOnly))
        return {};
    std::string chunk;
    for (std::int64_t i = 0; i < rows; ++i) {
        Put32(chunk, std::uint32_t(i));
        PutDouble(chunk, std::sin(double(i) * 1e-3) * 1000);
        chunk += i % 2 ? "ODD " : "EVEN";
        if (chunk.size() >= (1 << 22)) {
            data.write(chunk.data(), qint64(chunk.size()));
            chunk.clear();
        }
    }
    data.write(chunk.data(), qint64(chunk.size()));
    const QString label = QStringLiteral(
                              "PDS_VERSION_ID = PDS3\nRECORD_TYPE = FIXED_LENGTH\nRECORD_BYTES = 16\n"
                              "FILE_RECORDS = %1\n^TABLE = \"TABLE.DAT\"\nOBJECT = TABLE\n"
                              "  INTERCHANGE_FORMAT = BINARY\n  ROWS = %1\n  COLUMNS = 3\n  ROW_BYTES = 16\n"
                              "  OBJECT = COLUMN\n    NAME = INDEX\n    DATA_TYPE = MSB_INTEGER\n"
                              "    START_BYTE = 1\n    BYTES = 4\n  END_OBJECT = COLUMN\n"
                              "  OBJECT = COLUMN\n    NAME = VALUE\n    DATA_TYPE = IEEE_REAL\n    START_BYTE = 5\n"
                              "    BYTES = 8\n    UNIT = \"DN\"\n    FORMAT = \"F12.3\"\n  END_OBJECT = COLUMN\n"
                              "  OBJECT = COLUMN\n    NAME = FLAGS\n    DATA_TYPE = CHARACTER\n    START_BYTE = 13\n"
                              "    BYTES = 4\n  END_OBJECT = COLUMN\nEND_OBJECT = TABLE\nEND\n")
                              .arg(rows);
    QFile file(folder + QStringLiteral("/TABLE.LBL"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(label.toUtf8());
    return file.fileName();
}

// A SERIES of `points` rows: a noisy wave against its sampling parameter.
QString WriteSeries(const QString& folder, std::int64_t points)
{
    QFile data(folder + QStringLiteral("/SERIES.DAT"));
    if (!data.open(QIODevice::WriteOnly))
        return {};
    std::string chunk;
    std::uint32_t state = 1;
    for (std::int64_t i = 0; i < points; ++i) {
        state = state * 1664525u + 1013904223u;
        PutDouble(chunk, std::sin(double(i) * 1e-4) + double(state >> 8) / double(1u << 24) * 0.2);
        if (chunk.size() >= (1 << 22)) {
            data.write(chunk.data(), qint64(chunk.size()));
            chunk.clear();
        }
    }
    data.write(chunk.data(), qint64(chunk.size()));
    const QString label = QStringLiteral(
                              "PDS_VERSION_ID = PDS3\nRECORD_TYPE = FIXED_LENGTH\nRECORD_BYTES = 8\n"
                              "FILE_RECORDS = %1\n^SERIES = \"SERIES.DAT\"\nOBJECT = SERIES\n"
                              "  INTERCHANGE_FORMAT = BINARY\n  ROWS = %1\n  COLUMNS = 1\n  ROW_BYTES = 8\n"
                              "  SAMPLING_PARAMETER_NAME = TIME\n  SAMPLING_PARAMETER_UNIT = \"SECOND\"\n"
                              "  SAMPLING_PARAMETER_INTERVAL = 0.125\n  MINIMUM_SAMPLING_PARAMETER = 0\n"
                              "  OBJECT = COLUMN\n    NAME = FIELD\n    DATA_TYPE = IEEE_REAL\n"
                              "    START_BYTE = 1\n    BYTES = 8\n    UNIT = \"NT\"\n  END_OBJECT = COLUMN\n"
                              "END_OBJECT = SERIES\nEND\n")
                              .arg(points);
    QFile file(folder + QStringLiteral("/SERIES.LBL"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(label.toUtf8());
    return file.fileName();
}

double Millis(QElapsedTimer& timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

bool Report(const char* step, double ms, double limit)
{
    const bool ok = ms <= limit;
    std::printf("%-44s %9.1f ms   (target %5.0f ms) %s\n", step, ms, limit, ok ? "ok" : "OVER");
    std::fflush(stdout);
    return ok;
}

bool BenchTable(const QString& label, std::int64_t rows)
{
    QElapsedTimer timer;
    timer.start();
    const product::Product product = product::OpenProduct(label);
    const double opened = double(timer.nsecsElapsed()) / 1e6;
    viewer::TableView view(product, 0);
    const double made = double(timer.nsecsElapsed()) / 1e6;
    view.resize(1000, 700);
    view.show();
    QPixmap painted = view.grab();
    std::printf("table: label read %.1f ms, view made %.1f ms, shown and painted %.1f ms\n", opened, made - opened,
                double(timer.nsecsElapsed()) / 1e6 - made);
    bool ok = Report(qPrintable(QStringLiteral("table %1 rows: first rows shown").arg(rows)), Millis(timer), 500);
    view.GoToRow(rows);
    painted = view.grab();
    ok &= Report("table: jump to the last row, painted", Millis(timer), 50);
    view.GoToRow(rows / 2);
    painted = view.grab();
    ok &= Report("table: jump to the middle row, painted", Millis(timer), 50);
    view.setRawValues(true);
    painted = view.grab();
    Report("table: raw values, painted", Millis(timer), 50);
    if (view.currentRow() != rows / 2 - 1)
        std::printf("table: the current row is not the middle one\n");
    return ok;
}

bool BenchPlot(const QString& label, std::int64_t points)
{
    QElapsedTimer timer;
    timer.start();
    const product::Product product = product::OpenProduct(label);
    viewer::PlotView view(product, 0);
    view.resize(1000, 700);
    view.show();
    view.WaitUntilLoaded();
    QPixmap painted = view.grab();
    bool ok = Report(qPrintable(QStringLiteral("plot %1 points: first plot").arg(points)), Millis(timer), 300);
    const double end = double(points - 1) * 0.125;
    const struct {
        const char* what;
        double low, high;
    } steps[] = {
        {"plot: zoom to the middle tenth", end * 0.45, end * 0.55},
        {"plot: zoom to a thousandth", end * 0.5, end * 0.501},
        {"plot: pan by half the width", end * 0.5005, end * 0.5015},
        {"plot: zoom out to a half", end * 0.25, end * 0.75},
        {"plot: whole range", 0, end},
    };
    for (const auto& step : steps) {
        view.ZoomX(step.low, step.high);
        painted = view.grab();
        ok &= Report(step.what, Millis(timer), 300);
    }
    view.Autoscale();
    painted = view.grab();
    ok &= Report("plot: autoscale", Millis(timer), 300);
    std::printf("plot: %d points handed to the plot for the whole range\n", view.plot()->graph(0)->dataCount());
    return ok;
}

void DarkPalette(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(220, 220, 220));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Text, QColor(220, 220, 220));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    app.setPalette(p);
}

int Shots(QApplication& app, const QString& folder, bool dark, QString label)
{
    QTemporaryDir scratch;
    if (dark)
        DarkPalette(app);
    else
        app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (label.isEmpty())
        label = WriteSeries(scratch.path(), 20000);
    const product::Product product = product::OpenProduct(label);
    const QString tag = QStringLiteral("%1-%2x")
                            .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"))
                            .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));
    QDir().mkpath(folder);
    viewer::TableView table(product, 0);
    table.resize(900, 520);
    table.show();
    table.WaitUntilLoaded();
    table.GoToRow(5);
    table.grab().save(folder + QStringLiteral("/table-%1.png").arg(tag));
    viewer::PlotView plot(product, 0);
    plot.resize(900, 520);
    plot.show();
    plot.WaitUntilLoaded();
    plot.grab().save(folder + QStringLiteral("/plot-%1.png").arg(tag));
    std::printf("wrote %s/table-%s.png and plot-%s.png\n", qPrintable(folder), qPrintable(tag), qPrintable(tag));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption rowsOption(QStringLiteral("rows"), QStringLiteral("table rows"), QStringLiteral("N"),
                                        QStringLiteral("10000000"));
    const QCommandLineOption pointsOption(QStringLiteral("points"), QStringLiteral("series points"),
                                          QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption shotsOption(QStringLiteral("shots"), QStringLiteral("write pictures into DIR"),
                                         QStringLiteral("DIR"));
    const QCommandLineOption darkOption(QStringLiteral("dark"), QStringLiteral("dark palette"));
    const QCommandLineOption productOption(QStringLiteral("product"), QStringLiteral("label to show"),
                                           QStringLiteral("LABEL"));
    parser.addOptions({rowsOption, pointsOption, shotsOption, darkOption, productOption});
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet(shotsOption))
        return Shots(app, parser.value(shotsOption), parser.isSet(darkOption), parser.value(productOption));
    const std::int64_t rows = parser.value(rowsOption).toLongLong();
    const std::int64_t points = parser.value(pointsOption).toLongLong();

    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    const QString table = WriteTable(folder.path(), rows);
    const QString series = WriteSeries(folder.path(), points);
    if (table.isEmpty() || series.isEmpty()) {
        std::fprintf(stderr, "cannot write the test data in %s\n", qPrintable(folder.path()));
        return 2;
    }
    std::printf("data written in %.0f ms (%s)\n", Millis(timer), qPrintable(folder.path()));
    bool ok = BenchTable(table, rows);
    ok &= BenchPlot(series, points);
    return ok ? 0 : 1;
}
