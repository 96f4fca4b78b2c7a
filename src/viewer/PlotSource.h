#pragma once
// What the plot view can draw from one data object, and reading it: the
// quantities of a table (each numeric or time field, the row number, the
// sampling parameter of a SERIES or SPECTRUM when it is no column) or of a
// 1-D array (the element index and the values). Times read as seconds
// since 1970-01-01 UTC. Open and Read do file work: run them in a worker;
// every member is const and thread-safe once the source is made.

#include "product/ArrayReader.h"
#include "product/Product.h"
#include "product/TableReader.h"

#include <QString>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace viewer {

struct PlotQuantity {
    enum class Source { RowNumber, Sampling, Field, ElementIndex, Elements };
    Source source = Source::RowNumber;
    int field = -1;       // Source::Field: index into the table's fields
    QString title;        // "NAME [UNIT]"
    bool time = false;    // values are times (seconds since 1970 UTC)
    bool numeric = true;  // can be drawn against another quantity
};

class PlotSource {
public:
    // Throws product::Error naming what cannot be plotted.
    static std::shared_ptr<const PlotSource> Open(const product::Product& product, int objectIndex);

    const std::vector<PlotQuantity>& quantities() const { return m_quantities; }
    int defaultX() const { return m_defaultX; }
    int defaultY() const { return m_defaultY; }
    // Values are read for every step-th row: 1 unless the table has more
    // rows than a plot holds (kMaxPoints).
    std::int64_t rows() const { return m_rows; }
    std::int64_t step() const { return m_step; }
    QString problem() const;

    static constexpr std::int64_t kMaxPoints = 20'000'000;

    // The values of the quantities asked for, one vector each, in row
    // order; NaN where a row has no number.
    std::vector<std::vector<double>> Read(const std::vector<int>& quantities) const;

    // A PDS date or time as seconds since 1970-01-01 UTC:
    // "2001-02-03T04:05:06.5Z", "2001-034T04:05:06", "2001-02-03".
    static std::optional<double> ParseTime(std::string_view text);

private:
    PlotSource() = default;
    void DescribeTable(const product::TableObject& table);
    void DescribeArray(const product::ArrayObject& array);
    double ValueOf(const PlotQuantity& quantity, std::int64_t row, const std::vector<product::Value>* values) const;

    std::shared_ptr<const product::TableReader> m_table;
    std::shared_ptr<const product::ArrayReader> m_array;
    std::vector<PlotQuantity> m_quantities;
    int m_defaultX = 0;
    int m_defaultY = -1;
    std::int64_t m_rows = 0;
    std::int64_t m_step = 1;
    double m_samplingStart = 0;
    double m_samplingInterval = 1;
};

}  // namespace viewer
