// Compares the two plotting libraries Debian offers on one million points:
// QCustomPlot (Qt 6 build) and Qt Charts. For each, the time to hand over
// the points and draw the first picture offscreen, then to zoom to a tenth
// of the range and draw again, then back to the whole range. The points are
// a noisy sine, as a long series looks. Prints one line per step.

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <qcustomplot.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr int kPoints = 1'000'000;
constexpr int kWidth = 1000;
constexpr int kHeight = 600;

struct Points {
    QVector<double> x;
    QVector<double> y;
};

Points MakePoints()
{
    Points points;
    points.x.resize(kPoints);
    points.y.resize(kPoints);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 0.1);
    for (int i = 0; i < kPoints; ++i) {
        points.x[i] = i;
        points.y[i] = std::sin(i * 1e-4) + noise(random);
    }
    return points;
}

double Millis(QElapsedTimer& timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

void BenchCustomPlot(const Points& points)
{
    QElapsedTimer timer;
    timer.start();
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    QCPGraph* graph = plot.addGraph();
    graph->setData(points.x, points.y, true);
    plot.rescaleAxes();
    QPixmap first = plot.toPixmap(kWidth, kHeight);
    std::printf("QCustomPlot  first plot      %8.1f ms\n", Millis(timer));
    plot.xAxis->setRange(kPoints * 0.45, kPoints * 0.55);
    QPixmap zoomed = plot.toPixmap(kWidth, kHeight);
    std::printf("QCustomPlot  zoom to 1/10    %8.1f ms\n", Millis(timer));
    plot.xAxis->setRange(0, kPoints);
    QPixmap whole = plot.toPixmap(kWidth, kHeight);
    std::printf("QCustomPlot  zoom out        %8.1f ms\n", Millis(timer));
    graph->setAdaptiveSampling(false);
    QPixmap unsampled = plot.toPixmap(kWidth, kHeight);
    std::printf("QCustomPlot  whole, no adaptive sampling %8.1f ms\n", Millis(timer));
}

void BenchCharts(const Points& points)
{
    QElapsedTimer timer;
    timer.start();
    QList<QPointF> list;
    list.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i)
        list.append(QPointF(points.x[i], points.y[i]));
    auto* series = new QLineSeries;
    series->replace(list);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    QChartView view(chart);  // owns the chart, which owns the series
    view.resize(kWidth, kHeight);
    QPixmap first = view.grab();
    std::printf("Qt Charts    first plot      %8.1f ms\n", Millis(timer));
    chart->axes(Qt::Horizontal).first()->setRange(kPoints * 0.45, kPoints * 0.55);
    QPixmap zoomed = view.grab();
    std::printf("Qt Charts    zoom to 1/10    %8.1f ms\n", Millis(timer));
    chart->axes(Qt::Horizontal).first()->setRange(0, kPoints);
    QPixmap whole = view.grab();
    std::printf("Qt Charts    zoom out        %8.1f ms\n", Millis(timer));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const Points points = MakePoints();
    std::printf("%d points, %d x %d pixels, offscreen\n", kPoints, kWidth, kHeight);
    BenchCustomPlot(points);
    BenchCharts(points);
    return 0;
}
