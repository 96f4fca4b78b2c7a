#include "viewer/TableModel.h"

#include <algorithm>

namespace viewer {

TableModel::TableModel(std::shared_ptr<const product::TableReader> reader, QObject* parent)
    : QAbstractTableModel(parent), m_reader(std::move(reader)), m_cache(kCachedRows)
{
    for (const product::Field& field : m_reader->table().fields)
        m_formats.push_back(ValueFormat::Parse(field.format));
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(std::min<std::int64_t>(m_reader->rows(), kWindowRows));
}

void TableModel::SetFirstRow(std::int64_t first)
{
    first = std::clamp<std::int64_t>(first, 0, m_reader->rows() - rowCount());
    if (first == m_first)
        return;
    m_first = first;
    if (rowCount() == 0)
        return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_reader->table().fields.size());
}

void TableModel::setRawValues(bool raw)
{
    if (raw == m_raw)
        return;
    m_raw = raw;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

const std::vector<product::Value>& TableModel::Row(std::int64_t row) const
{
    for (const CachedRow& cached : m_cache)
        if (cached.row == row)
            return cached.values;
    CachedRow& slot = m_cache[m_nextSlot];
    m_nextSlot = (m_nextSlot + 1) % m_cache.size();
    slot.row = row;
    m_reader->ReadRow(row, slot.values);
    return slot.values;
}

QString TableModel::CellText(std::int64_t row, int column) const
{
    if (row < 0 || row >= m_reader->rows() || column < 0 || column >= columnCount())
        return {};
    const product::Value& value = Row(row)[std::size_t(column)];
    return m_raw ? ValueFormat::RawText(value) : m_formats[std::size_t(column)].Text(value);
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return CellText(m_first + index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const product::Value& value = Row(m_first + index.row())[std::size_t(index.column())];
        return QVariant::fromValue(
            Qt::Alignment(value.IsNumber() ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

QString TableModel::HeaderText(const product::Field& field)
{
    // Labels say "no unit" in several ways.
    const QString unit = field.unit.trimmed();
    if (unit.isEmpty() || unit.compare(QLatin1String("N/A"), Qt::CaseInsensitive) == 0 ||
        unit.compare(QLatin1String("UNK"), Qt::CaseInsensitive) == 0 ||
        unit.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0)
        return field.name;
    return QStringLiteral("%1 [%2]").arg(field.name, unit);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return qint64(m_first + section + 1);
    if (section < 0 || section >= columnCount())
        return {};
    return HeaderText(m_reader->table().fields[std::size_t(section)]);
}

}  // namespace viewer
