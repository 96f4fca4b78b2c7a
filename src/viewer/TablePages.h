#pragma once
// A table's two views in tabs: its rows (TableView) and its plot
// (PlotView). A series, a time series or a spectrum opens on its plot,
// any other table on its rows; the other view is made when its tab is
// first shown, so a table of millions of rows reads no values for a plot
// nobody looks at.

#include "product/Product.h"

#include <QTabWidget>

namespace viewer {

class PlotView;
class TableView;

class TablePages : public QTabWidget {
    Q_OBJECT
public:
    TablePages(const product::Product& product, int objectIndex, QWidget* parent = nullptr);

    // The views made so far; null until their tab has been shown.
    TableView* rows() const { return m_rows; }
    PlotView* plot() const { return m_plot; }
    void ShowRows();
    void ShowPlot();

    // Asks for a file and exports the view shown (CSV, or PNG/SVG).
    void Export();

    // Whether an object opens on its plot.
    static bool PlotFirst(const product::TableObject& table);

private:
    void MakePage(int index);

    product::Product m_product;
    int m_object = -1;
    int m_rowsIndex = -1;
    int m_plotIndex = -1;
    TableView* m_rows = nullptr;
    PlotView* m_plot = nullptr;
};

}  // namespace viewer
