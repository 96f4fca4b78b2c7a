#include "platform/gui/CListModel.h"

#include <algorithm>
#include <iterator>

int CListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

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
    if (Count() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

int CListModel::InsertColumn(int position, const Column& column)
{
    position = std::clamp(position, 0, static_cast<int>(m_columns.size()));
    const bool firstReal = m_columns.empty();
    if (!firstReal)
        beginInsertColumns({}, position, position);
    m_columns.insert(m_columns.begin() + position, column);
    ForEachRow([position](Row& row) {
        if (position < row.texts.size() && position > 0)
            row.texts.insert(position, QString());
    });
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
    ForEachRow([position](Row& row) {
        if (position > 0 && position < row.texts.size())
            row.texts.removeAt(position);
    });
    if (!lastReal)
        endRemoveColumns();
    else
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    return true;
}

int CListModel::InsertSorted(const QString& text, int image)
{
    // std::upper_bound over the rows in order, step for step.
    int position = 0;
    for (int length = m_count; length > 0;) {
        const int half = length / 2;
        if (QString::compare(text, At(position + half)->texts.front(), Qt::CaseInsensitive) < 0) {
            length = half;
        } else {
            position += half + 1;
            length -= half + 1;
        }
    }
    beginInsertRows({}, position, position);
    Row row;
    row.texts.reserve(std::max<qsizetype>(1, static_cast<qsizetype>(m_columns.size())));  // one allocation
    row.texts.append(text);
    row.image = image;
    InsertRow(position, std::move(row));
    endInsertRows();
    return position;
}

std::pair<std::size_t, std::size_t> CListModel::Locate(int row) const
{
    const auto after = std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row);
    const std::size_t block = static_cast<std::size_t>(after - m_firstRows.begin()) - 1;
    return {block, static_cast<std::size_t>(row - m_firstRows[block])};
}

void CListModel::InsertRow(int position, Row row)
{
    if (m_blocks.empty()) {
        m_blocks.emplace_back().push_back(std::move(row));
        m_firstRows.push_back(0);
        m_count = 1;
        return;
    }
    // A row after the last goes to the last block.
    const auto [block, offset] = position < m_count ? Locate(position)
                                                    : std::pair{m_blocks.size() - 1, m_blocks.back().size()};
    std::vector<Row>& rows = m_blocks[block];
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(offset), std::move(row));
    ++m_count;
    for (std::size_t later = block + 1; later < m_firstRows.size(); ++later)
        ++m_firstRows[later];
    if (rows.size() > kMaxBlock) {
        const std::size_t half = rows.size() / 2;
        std::vector<Row> upper(std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(half)),
                               std::make_move_iterator(rows.end()));
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(half), rows.end());
        const int upperFirst = m_firstRows[block] + static_cast<int>(half);
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(upper));
        m_firstRows.insert(m_firstRows.begin() + static_cast<std::ptrdiff_t>(block) + 1, upperFirst);
    }
}

void CListModel::RebuildBlocks(std::vector<Row> rows)
{
    m_blocks.clear();
    m_firstRows.clear();
    m_count = static_cast<int>(rows.size());
    constexpr std::size_t fill = kMaxBlock / 2;
    for (std::size_t first = 0; first < rows.size(); first += fill) {
        const auto begin = rows.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = rows.begin() + static_cast<std::ptrdiff_t>(std::min(first + fill, rows.size()));
        m_blocks.emplace_back(std::make_move_iterator(begin), std::make_move_iterator(end));
        m_firstRows.push_back(static_cast<int>(first));
    }
}

bool CListModel::SetText(int position, int column, const QString& text)
{
    Row* row = At(position);
    if (!row || column < 0 || (column > 0 && column >= static_cast<int>(m_columns.size())))
        return false;
    while (row->texts.size() <= column)
        row->texts.append(QString());
    if (column == 0) {
        row->texts[column] = text;
    } else if (const auto shared = m_sharedTexts.constFind(text); shared != m_sharedTexts.constEnd()) {
        row->texts[column] = *shared;
    } else {
        if (m_sharedTexts.size() < kMaxSharedTexts)
            m_sharedTexts.insert(text);
        row->texts[column] = text;
    }
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
    if (position < 0 || position >= m_count)
        return nullptr;
    const auto [block, offset] = Locate(position);
    return &m_blocks[block][offset];
}

const CListModel::Row* CListModel::At(int position) const
{
    if (position < 0 || position >= m_count)
        return nullptr;
    const auto [block, offset] = Locate(position);
    return &m_blocks[block][offset];
}

void CListModel::RemoveRow(int position)
{
    if (!At(position))
        return;
    beginRemoveRows({}, position, position);
    const auto [block, offset] = Locate(position);
    std::vector<Row>& rows = m_blocks[block];
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(offset));
    --m_count;
    for (std::size_t later = block + 1; later < m_firstRows.size(); ++later)
        --m_firstRows[later];
    if (rows.empty()) {
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(block));
        m_firstRows.erase(m_firstRows.begin() + static_cast<std::ptrdiff_t>(block));
    }
    endRemoveRows();
}

void CListModel::Clear()
{
    beginResetModel();
    m_blocks.clear();
    m_firstRows.clear();
    m_count = 0;
    m_sharedTexts.clear();
    endResetModel();
}

void CListModel::Reorder(const std::vector<int>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> newRowOf(static_cast<std::size_t>(m_count));
    for (std::size_t i = 0; i < order.size(); ++i)
        newRowOf[order[i]] = static_cast<int>(i);
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(m_count));
    ForEachRow([&rows](Row& row) { rows.push_back(std::move(row)); });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (const int old : order)
        sorted.push_back(std::move(rows[old]));
    RebuildBlocks(std::move(sorted));
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
