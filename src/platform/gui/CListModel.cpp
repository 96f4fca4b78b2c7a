#include "platform/gui/CListModel.h"

#include <algorithm>

int CListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(m_rows.size()); }

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

int CListModel::Insert(int position, const QString& text, int image)
{
    position = std::clamp(position, 0, rowCount());
    beginInsertRows({}, position, position);
    Row row;
    row.texts.reserve(std::max<qsizetype>(1, static_cast<qsizetype>(m_columns.size())));  // one allocation
    row.texts.append(text);
    row.image = image;
    m_rows.insert(m_rows.begin() + position, std::move(row));
    endInsertRows();
    return position;
}

bool CListModel::SetText(int position, int column, const QString& text)
{
    if (!At(position) || column < 0 || (column > 0 && column >= static_cast<int>(m_columns.size())))
        return false;
    QStringList& texts = m_rows[static_cast<std::size_t>(position)].texts;
    while (texts.size() <= column)
        texts.append(QString());
    if (column == 0) {
        texts[column] = text;
    } else if (const auto shared = m_sharedTexts.constFind(text); shared != m_sharedTexts.constEnd()) {
        texts[column] = *shared;
    } else {
        if (m_sharedTexts.size() < kMaxSharedTexts)
            m_sharedTexts.insert(text);
        texts[column] = text;
    }
    const QModelIndex cell = index(position, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    return true;
}

QString CListModel::Text(int position, int column) const
{
    const Row* row = At(position);
    return row ? row->texts.value(column) : QString();
}

const CListModel::Row* CListModel::At(int position) const
{
    return position >= 0 && position < rowCount() ? &m_rows[static_cast<std::size_t>(position)] : nullptr;
}

void CListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_sharedTexts.clear();
    endResetModel();
}
