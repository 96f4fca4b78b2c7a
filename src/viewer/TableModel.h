#pragma once
// The rows of a table as a Qt model. Nothing is read when the model is
// made: each cell the view asks for is read from the mapped file then
// (fixed-width records by position, delimited records through the
// reader's index), and the last rows read are kept decoded, so a table of
// ten million rows costs no more to show than one of ten. Headers read
// "NAME [UNIT]"; values follow the column's format unless raw values are
// asked for.

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
    // The rows the model offers: the table's, up to what a Qt model can
    // count.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    bool rawValues() const { return m_raw; }
    void setRawValues(bool raw);

    // The text of a cell as shown.
    QString CellText(int row, int column) const;
    // "NAME [UNIT]", or NAME alone.
    static QString HeaderText(const product::Field& field);

private:
    const std::vector<product::Value>& Row(int row) const;

    std::shared_ptr<const product::TableReader> m_reader;
    std::vector<ValueFormat> m_formats;
    bool m_raw = false;

    // The rows read last, decoded: a view asks for every cell of a row
    // in turn, and a delimited row is split once for all of them.
    struct CachedRow {
        int row = -1;
        std::vector<product::Value> values;
    };
    static constexpr std::size_t kCachedRows = 64;
    mutable std::vector<CachedRow> m_cache;
    mutable std::size_t m_nextSlot = 0;
};

}  // namespace viewer
