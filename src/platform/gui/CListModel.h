#pragma once
// The item store behind CListCtrl: rows of texts, an image index and a
// pointer, with column headings, kept in a vector for fast bulk filling.

#include <QAbstractTableModel>
#include <QIcon>

#include <vector>

class CListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString heading;
        Qt::Alignment alignment;
        int width;
    };
    struct Row {
        QStringList texts;  // index 0 is the item text
        int image = -1;
        void* data = nullptr;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void SetImages(const QList<QIcon>& images);
    int InsertColumn(int index, const Column& column);
    bool RemoveColumn(int index);
    const std::vector<Column>& Columns() const { return m_columns; }

    // Inserts at the first place whose text is greater, without regard to
    // case, than text; returns the row.
    int InsertSorted(const QString& text, int image);
    bool SetText(int row, int column, const QString& text);
    QString Text(int row, int column) const;
    Row* At(int row);
    const Row* At(int row) const;
    void RemoveRow(int row);
    void Clear();
    // Reorders the rows by a permutation (new row i is old row order[i]).
    void Reorder(const std::vector<int>& order);
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    QList<QIcon> m_images;
};
