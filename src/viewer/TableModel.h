#pragma once
// The rows of a table as a Qt model. Nothing is read when the model is
// made: each cell the view asks for is read from the mapped file then
// (fixed-width records by position, delimited records through the
// reader's index), and the last rows read are kept decoded. Headers read
// "NAME [UNIT]"; values follow the column's format unless raw values are
// asked for.
//
// Qt's table view keeps one entry per row in its header, made when the
// model is set (about a second for ten million rows), so the model offers
// a window of at most kWindowRows rows starting at firstRow(); the view
// moves the window as it scrolls (SetFirstRow changes the values shown,
// not the number of rows, which costs nothing). Row headers show the
// table's own row numbers.

#include "product/TableReader.h"
#include "viewer/ValueFormat.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

namespace viewer {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(std::shared_ptr<const product::TableReader> reader, QObject* parent = nullptr);

    const product::TableReader& reader() const { return *m_reader; }
    const std::shared_ptr<const product::TableReader>& readerShared() const { return m_reader; }
    static constexpr int kWindowRows = 100000;

    // The rows the model offers: the table's, at most kWindowRows.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The table's row (0-based) shown as the model's row 0.
    std::int64_t firstRow() const { return m_first; }
    // Moves the window; clamped so it stays within the table.
    void SetFirstRow(std::int64_t first);

    bool rawValues() const { return m_raw; }
    void setRawValues(bool raw);

    // The text of a cell as shown, by the table's row (0-based).
    QString CellText(std::int64_t row, int column) const;
    // "NAME [UNIT]", or NAME alone.
    static QString HeaderText(const product::Field& field);

private:
    const std::vector<product::Value>& Row(std::int64_t row) const;

    std::shared_ptr<const product::TableReader> m_reader;
    std::vector<ValueFormat> m_formats;
    bool m_raw = false;
    std::int64_t m_first = 0;

    // The rows read last, decoded: a view asks for every cell of a row
    // in turn, and a delimited row is split once for all of them.
    struct CachedRow {
        std::int64_t row = -1;
        std::vector<product::Value> values;
    };
    static constexpr std::size_t kCachedRows = 64;
    mutable std::vector<CachedRow> m_cache;
    mutable std::size_t m_nextSlot = 0;
};

}  // namespace viewer
