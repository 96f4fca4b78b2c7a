#pragma once
// Every text the table and plot views show, in one place. Messages are
// whole sentences with %1, %2 for their arguments.

#include <QString>

namespace viewer::texts {

// Table view.
inline QString RawValues() { return QStringLiteral("Raw values"); }
inline QString RawValuesTip() { return QStringLiteral("Show the values as stored, without the column's format"); }
inline QString Copy() { return QStringLiteral("Copy"); }
inline QString ExportCsv() { return QStringLiteral("Export CSV…"); }
inline QString GoToRow() { return QStringLiteral("Go to row"); }
inline QString Go() { return QStringLiteral("Go"); }
inline QString TableLabel() { return QStringLiteral("Table rows"); }
inline QString Indexing() { return QStringLiteral("Finding the rows of the table…"); }
inline QString RowCount() { return QStringLiteral("%1 rows, %2 columns"); }
inline QString CopyCapped() { return QStringLiteral("Only the first %1 selected rows were copied."); }
inline QString Copied() { return QStringLiteral("%1 rows copied."); }
inline QString Exporting() { return QStringLiteral("Writing %1…"); }
inline QString Exported() { return QStringLiteral("Wrote %1."); }
inline QString CsvFilter() { return QStringLiteral("CSV files (*.csv)"); }
inline QString ExportCsvTitle() { return QStringLiteral("Export the table as CSV"); }
inline QString NotATable() { return QStringLiteral("Object %1 is not a table."); }

// Plot view.
inline QString XAxis() { return QStringLiteral("X"); }
inline QString YAxis() { return QStringLiteral("Y"); }
inline QString RowNumber() { return QStringLiteral("Row number"); }
inline QString ElementIndex() { return QStringLiteral("Element index"); }
inline QString PlotLabel() { return QStringLiteral("Plot"); }
inline QString Autoscale() { return QStringLiteral("Autoscale"); }
inline QString ExportPng() { return QStringLiteral("Export PNG…"); }
inline QString ExportSvg() { return QStringLiteral("Export SVG…"); }
inline QString PngFilter() { return QStringLiteral("PNG pictures (*.png)"); }
inline QString SvgFilter() { return QStringLiteral("SVG drawings (*.svg)"); }
inline QString ExportPlotTitle() { return QStringLiteral("Export the plot"); }
inline QString Loading() { return QStringLiteral("Reading the values…"); }
inline QString NothingToPlot() { return QStringLiteral("Object %1 has no numeric values to plot."); }
inline QString NotPlottable()
{
    return QStringLiteral("Object %1 has %2 axes; only tables and 1-D arrays are plotted.");
}
inline QString PlotThinned() { return QStringLiteral("%1 rows: every %2th is plotted."); }
inline QString PointCount() { return QStringLiteral("%1 points"); }
inline QString WriteFailed() { return QStringLiteral("Could not write %1."); }
inline QString Unnamed() { return QStringLiteral("(unnamed)"); }

}  // namespace viewer::texts
