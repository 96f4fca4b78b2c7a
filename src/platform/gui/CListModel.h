#pragma once
// The item store behind CListCtrl: rows of texts, an image index and a
// pointer, with column headings. The rows are kept in blocks of at most a
// few hundred, so that inserting a row at its sorted place moves the rows
// of one block instead of every row behind it: filling a list of N items in
// any order costs about N log N, not N squared.

#include <QAbstractTableModel>
#include <QIcon>
#include <QSet>

#include <cstddef>
#include <utility>
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

private:
    // A block is split when it grows past kMaxBlock rows; blocks rebuilt
    // whole are filled to half of that, leaving room to insert.
    static constexpr std::size_t kMaxBlock = 512;

    int Count() const { return m_count; }
    // The block holding row (0 <= row < Count()) and the row's place in it.
    std::pair<std::size_t, std::size_t> Locate(int row) const;
    void InsertRow(int position, Row row);
    void RebuildBlocks(std::vector<Row> rows);
    template <typename Visit> void ForEachRow(Visit visit)
    {
        for (std::vector<Row>& block : m_blocks) {
            for (Row& row : block)
                visit(row);
        }
    }

    // Subitem texts seen, so that equal texts of different rows share one
    // string: a column of a few distinct values (content types, sizes)
    // holds one copy of each, not one per row. Emptied with the rows.
    static constexpr qsizetype kMaxSharedTexts = 4096;
    QSet<QString> m_sharedTexts;

    std::vector<Column> m_columns;
    std::vector<std::vector<Row>> m_blocks;  // never an empty block
    std::vector<int> m_firstRows;            // the row number of each block's first row
    int m_count = 0;
    QList<QIcon> m_images;
};
