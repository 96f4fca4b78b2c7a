#include "platform/gui/CListModel.h"

#include <algorithm>

int CListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(1, static_cast<int>(m_columns.size()));
}

QVariant CListModel::data(const QModelIndex& index, int role) const
{
    const Row* row = At(index.row());
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return index.column() < row->texts.size() ? row->texts[index.column()] : QString();
    case Qt::DecorationRole:
        if (index.column() == 0 && row->image >= 0 && row->image < m_images.size())
            return m_images[row->image];
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() < static_cast<int>(m_columns.size()))
            return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant CListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(m_columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CListModel::SetImages(const QList<QIcon>& images)
{
    m_images = images;
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

int CListModel::InsertColumn(int position, const Column& column)
{
    position = std::clamp(position, 0, static_cast<int>(m_columns.size()));
    const bool firstReal = m_columns.empty();
    if (!firstReal)
        beginInsertColumns({}, position, position);
    m_columns.insert(m_columns.begin() + position, column);
    for (Row& row : m_rows) {
        if (position < row.texts.size() && position > 0)
            row.texts.insert(position, QString());
    }
    if (!firstReal)
        endInsertColumns();
    else
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    return position;
}

bool CListModel::RemoveColumn(int position)
{
    if (position < 0 || position >= static_cast<int>(m_columns.size()))
        return false;
    const bool lastReal = m_columns.size() == 1;
    if (!lastReal)
        beginRemoveColumns({}, position, position);
    m_columns.erase(m_columns.begin() + position);
    for (Row& row : m_rows) {
        if (position > 0 && position < row.texts.size())
            row.texts.removeAt(position);
    }
    if (!lastReal)
        endRemoveColumns();
    else
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    return true;
}

int CListModel::InsertSorted(const QString& text, int image)
{
    const auto place = std::upper_bound(m_rows.begin(), m_rows.end(), text, [](const QString& value, const Row& row) {
        return QString::compare(value, row.texts.front(), Qt::CaseInsensitive) < 0;
    });
    const int position = static_cast<int>(place - m_rows.begin());
    beginInsertRows({}, position, position);
    Row row;
    row.texts.append(text);
    row.image = image;
    m_rows.insert(m_rows.begin() + position, std::move(row));
    endInsertRows();
    return position;
}

bool CListModel::SetText(int position, int column, const QString& text)
{
    Row* row = At(position);
    if (!row || column < 0 || (column > 0 && column >= static_cast<int>(m_columns.size())))
        return false;
    while (row->texts.size() <= column)
        row->texts.append(QString());
    row->texts[column] = text;
    const QModelIndex cell = index(position, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    return true;
}

QString CListModel::Text(int position, int column) const
{
    const Row* row = At(position);
    if (!row || column < 0 || column >= row->texts.size())
        return {};
    return row->texts[column];
}

CListModel::Row* CListModel::At(int position)
{
    return position >= 0 && position < static_cast<int>(m_rows.size()) ? &m_rows[position] : nullptr;
}

const CListModel::Row* CListModel::At(int position) const
{
    return position >= 0 && position < static_cast<int>(m_rows.size()) ? &m_rows[position] : nullptr;
}

void CListModel::RemoveRow(int position)
{
    if (!At(position))
        return;
    beginRemoveRows({}, position, position);
    m_rows.erase(m_rows.begin() + position);
    endRemoveRows();
}

void CListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void CListModel::Reorder(const std::vector<int>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> newRowOf(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newRowOf[order[i]] = static_cast<int>(i);
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const int old : order)
        sorted.push_back(std::move(m_rows[old]));
    m_rows = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
