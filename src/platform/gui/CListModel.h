#pragma once
// The item store behind CListCtrl: rows of texts and an image index, in the
// order they were inserted at, with column headings. The owner of the list
// decides the order; rows added at the end cost nothing to move.

#include <QAbstractTableModel>
#include <QIcon>
#include <QSet>

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

    // Inserts a row at position (clamped to the rows there are); returns
    // the row.
    int Insert(int position, const QString& text, int image);
    bool SetText(int row, int column, const QString& text);
    QString Text(int row, int column) const;
    const Row* At(int row) const;
    void Clear();

private:
    // Subitem texts seen, so that equal texts of different rows share one
    // string: a column of a few distinct values (content types, sizes)
    // holds one copy of each, not one per row. Emptied with the rows.
    static constexpr qsizetype kMaxSharedTexts = 4096;
    QSet<QString> m_sharedTexts;

    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    QList<QIcon> m_images;
};
