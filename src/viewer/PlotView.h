#pragma once
// The plot of one data object: one or more of its quantities against
// another (by default the sampling parameter, a time column or the first
// numeric column), times as dates on the axis; zoom by the wheel, pan by
// dragging, autoscale, export as PNG or SVG. The values are read in a
// worker thread and kept whole; the plot is handed only the points each
// pixel column needs for the visible range (Decimate), again after each
// zoom or pan, so millions of points draw as fast as a thousand.

#include "product/Product.h"
#include "viewer/PlotSource.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QCustomPlot;
class QLabel;
class QListWidget;
class QPushButton;

namespace viewer {

class PlotView : public QWidget {
    Q_OBJECT
public:
    PlotView(const product::Product& product, int objectIndex, QWidget* parent = nullptr);
    ~PlotView() override;

    QCustomPlot* plot() const { return m_plot; }
    QComboBox* xChoice() const { return m_x; }
    QListWidget* yChoices() const { return m_y; }
    int seriesCount() const;
    // The line under the plot: points, thinning, problems.
    QString statusText() const;

    // Blocks until the values being read are there and drawn.
    void WaitUntilLoaded();

    // Draws the quantities `ys` against `x` (indices into the source's
    // quantities, as the choices list them).
    void SetQuantities(int x, const std::vector<int>& ys);
    // Shows the whole of every series.
    void Autoscale();
    // Shows x from `low` to `high`, as a zoom by the user does.
    void ZoomX(double low, double high);
    // Write the plot as shown; empty on success, else the message.
    QString ExportPng(const QString& path, int width = 0, int height = 0);
    QString ExportSvg(const QString& path, int width = 0, int height = 0);

public slots:
    // Asks for a file name; the extension chooses PNG or SVG.
    void Export();

private:
    struct Loaded {
        std::shared_ptr<const PlotSource> source;
        int x = -1;
        std::vector<int> ys;
        std::vector<double> xs;
        std::vector<std::vector<double>> yValues;
        QString error;
    };
    void BuildControls();
    void Start(std::function<Loaded()> work);
    void ShowLoaded();
    void FillChoices();
    void OnChoicesChanged();
    void Redecimate();
    void ExportTo(const QString& title, const QString& filter, bool svgByDefault);
    void SetStatus(const QString& text);
    void ApplyPalette();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* m_x = nullptr;
    QListWidget* m_y = nullptr;
    QPushButton* m_autoscale = nullptr;
    QPushButton* m_exportPng = nullptr;
    QPushButton* m_exportSvg = nullptr;
    QCustomPlot* m_plot = nullptr;
    QLabel* m_status = nullptr;

    QFuture<Loaded> m_loading;
    QFutureWatcher<Loaded> m_watcher;
    bool m_applied = true;
    std::shared_ptr<const PlotSource> m_source;
    int m_shownX = -1;
    std::vector<int> m_shownYs;
    // The whole series, sorted by x; points without an x left out.
    std::vector<double> m_xs;
    std::vector<std::vector<double>> m_yValues;
    double m_xMin = 0, m_xMax = 0, m_yMin = 0, m_yMax = 0;
};

}  // namespace viewer
