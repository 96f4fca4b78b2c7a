#include "product/Pds3Table.h"

#include "product/OdlParser.h"
#include "product/Pds3Messages.h"
#include "product/Pds3Support.h"
#include "product/Pds3Types.h"

#include <QFile>

#include <algorithm>

namespace product {

namespace {

// Fields of one table past this are left out: a label asking for more is
// wrong or hostile.
constexpr std::int64_t kMaxFields = 100000;
constexpr int kMaxNesting = 16;
constexpr qint64 kMaxStructureBytes = 4 * 1024 * 1024;

bool IsTableSpecial(const QString& name)
{
    return name == QLatin1String("MISSING_CONSTANT") || name == QLatin1String("INVALID_CONSTANT") ||
           name == QLatin1String("NULL") || name == QLatin1String("MISSING") || name == QLatin1String("INVALID");
}

bool IsKind(const OdlBlock& block, const char* kind)
{
    return block.kind == QLatin1String("OBJECT") && block.name.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
}

QChar Delimiter(const QString& name)
{
    const QString key = Pds3TypeKey(name);
    if (key == QLatin1String("SEMICOLON")) {
        return QLatin1Char(';');
    }
    if (key == QLatin1String("TAB")) {
        return QLatin1Char('\t');
    }
    if (key == QLatin1String("VERTICAL_BAR") || key == QLatin1String("|")) {
        return QLatin1Char('|');
    }
    if (key.size() == 1) {
        return key[0];
    }
    return QLatin1Char(',');
}

}  // namespace

Pds3Table::Pds3Table(QString labelFolder, std::int64_t recordBytes, QStringList& warnings)
    : m_labelFolder(std::move(labelFolder)), m_recordBytes(recordBytes), m_warnings(warnings)
{
}

bool Pds3Table::IsTable(const OdlBlock& block)
{
    if (block.FindPointer(u"STRUCTURE")) {
        return true;
    }
    return std::any_of(block.children.begin(), block.children.end(), [](const OdlBlock& child) {
        return IsKind(child, "COLUMN") || IsKind(child, "CONTAINER") || IsKind(child, "FIELD");
    });
}

void Pds3Table::Warn(int line, const QString& what)
{
    m_warnings << pds3text::TableNote().arg(line).arg(m_tableName, what);
}

std::vector<const OdlBlock*> Pds3Table::Children(const OdlBlock& block, int depth)
{
    std::vector<const OdlBlock*> children;
    const OdlStatement* structure = block.FindPointer(u"STRUCTURE");
    const OdlBlock* included = nullptr;
    if (structure && depth < kMaxNesting) {
        const QString name = structure->value.IsList() && !structure->value.items.empty()
                                 ? structure->value.items.front().ToString()
                                 : structure->value.ToString();
        const QString path = FindStructureFile(m_labelFolder, name);
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            Warn(structure->line, pds3text::StructureMissing().arg(name));
        } else {
            const QByteArray text = file.read(kMaxStructureBytes);
            m_included.push_back(OdlParser::Parse(text));
            for (const QString& warning : m_included.back().warnings) {
                m_warnings << pds3text::StructureWarning().arg(name, warning);
            }
            included = &m_included.back().root;
        }
    }
    bool placed = included == nullptr;
    const auto place = [&] {
        // An included structure may itself include one.
        for (const OdlBlock* child : Children(*included, depth + 1)) {
            children.push_back(child);
        }
        placed = true;
    };
    for (const OdlBlock& child : block.children) {
        if (!placed && child.firstLine > structure->line) {
            place();
        }
        children.push_back(&child);
    }
    if (!placed) {
        place();
    }
    return children;
}

int Pds3Table::LogicalColumn(const OdlBlock& block, const QString& name, TableObject& table)
{
    for (std::size_t i = 0; i < m_columnBlocks.size(); ++i) {
        if (m_columnBlocks[i] == &block) {
            return static_cast<int>(i);
        }
    }
    Column column;
    column.name = name;
    column.dataType = TextOf(block, u"DATA_TYPE");
    if (column.dataType.isEmpty()) {
        column.dataType = TextOf(block, u"BIT_DATA_TYPE");
    }
    column.unit = TextOf(block, u"UNIT");
    column.items = 0;
    table.columns.push_back(column);
    m_columnBlocks.push_back(&block);
    return static_cast<int>(table.columns.size() - 1);
}

void Pds3Table::Collect(const OdlBlock& block, std::int64_t base, int depth, TableObject& table)
{
    for (const OdlBlock* child : Children(block, depth)) {
        if (m_tooMany) {
            return;
        }
        if (IsKind(*child, "COLUMN") || IsKind(*child, "FIELD")) {
            AddColumn(*child, base, table);
            continue;
        }
        if (!IsKind(*child, "CONTAINER")) {
            continue;
        }
        if (depth >= kMaxNesting) {
            Warn(child->firstLine, pds3text::ContainersTooDeep());
            continue;
        }
        QStringList& warnings = m_warnings;
        const QString what = QStringLiteral("CONTAINER");
        const auto start = CountKeyword(*child, u"START_BYTE", 1, what, warnings);
        const auto bytes = CountKeyword(*child, u"BYTES", 0, what, warnings);
        const auto repetitions = CountKeyword(*child, u"REPETITIONS", 1, what, warnings);
        if (!start || !bytes || !repetitions || *start < 1) {
            Warn(child->firstLine, pds3text::BadContainer());
            continue;
        }
        std::size_t firstRepetition = 0;
        std::size_t firstEnd = 0;
        for (std::int64_t r = 0; r < *repetitions && !m_tooMany; ++r) {
            const auto at = Pds3MulAdd(r, *bytes, base + *start - 1);
            if (!at || (!m_delimited && *at >= table.recordBytes - table.rowPrefixBytes)) {
                Warn(child->firstLine, pds3text::RepetitionPastRow().arg(r + 1).arg(*repetitions));
                break;
            }
            if (r > 0 && !m_delimited) {
                if (!RepeatLast(firstRepetition, firstEnd, r * *bytes, table)) {
                    Warn(child->firstLine, m_tooMany ? pds3text::TooManyFields().arg(kMaxFields)
                                                     : pds3text::RepetitionDoesNotFit().arg(r + 1).arg(*repetitions));
                    break;
                }
                continue;
            }
            firstRepetition = m_pending.size();
            Collect(*child, *at, depth + 1, table);
            firstEnd = m_pending.size();
            if (m_pending.size() == firstRepetition) {
                break;  // a container of nothing readable: once is enough
            }
        }
    }
}

bool Pds3Table::RepeatLast(std::size_t first, std::size_t end, std::int64_t shift, TableObject& table)
{
    if (static_cast<std::int64_t>(m_pending.size() + (end - first)) > kMaxFields) {
        m_tooMany = true;
        return false;
    }
    for (std::size_t i = first; i < end; ++i) {
        if (m_pending[i].field.startByte + shift + m_pending[i].field.bytes >
            table.recordBytes - table.rowPrefixBytes) {
            return false;
        }
    }
    for (std::size_t i = first; i < end; ++i) {
        Pending copy = m_pending[i];
        copy.field.startByte += shift;
        ++table.columns[copy.column].items;
        m_pending.push_back(std::move(copy));
    }
    return true;
}

void Pds3Table::AddColumn(const OdlBlock& column, std::int64_t base, TableObject& table)
{
    const QString nameValue = TextOf(column, u"NAME");
    const QString name = nameValue.isEmpty() ? column.name : nameValue;
    const QString what = pds3text::ColumnName().arg(name);
    const auto start = CountKeyword(column, u"START_BYTE", 1, what, m_warnings);
    const auto bytes = CountKeyword(column, u"BYTES", 0, what, m_warnings);
    const auto items = CountKeyword(column, u"ITEMS", 1, what, m_warnings);
    if (!start || !bytes || !items || *items < 1 || (!m_delimited && (*start < 1 || *bytes < 1))) {
        Warn(column.firstLine, pds3text::BadColumnPlace().arg(what));
        return;
    }
    const auto itemBytes = CountKeyword(column, u"ITEM_BYTES", *bytes / *items, what, m_warnings);
    const auto itemOffset = CountKeyword(column, u"ITEM_OFFSET", itemBytes.value_or(0), what, m_warnings);
    if (!itemBytes || !itemOffset || (!m_delimited && *itemBytes < 1)) {
        Warn(column.firstLine, pds3text::BadItems().arg(what));
        return;
    }
    const auto last = Pds3MulAdd(*items - 1, *itemOffset, base + *start - 1 + *itemBytes);
    if (!m_delimited && (!last || *last > table.recordBytes - table.rowPrefixBytes)) {
        Warn(column.firstLine, pds3text::PastRow().arg(what).arg(table.recordBytes - table.rowPrefixBytes));
        return;
    }
    if (static_cast<std::int64_t>(m_pending.size()) + *items > kMaxFields) {
        Warn(column.firstLine, pds3text::TooManyFields().arg(kMaxFields));
        m_tooMany = true;
        return;
    }

    Field field;
    field.column = name;
    field.unit = TextOf(column, u"UNIT");
    field.format = TextOf(column, u"FORMAT");
    field.dataType = TextOf(column, u"DATA_TYPE");
    field.bytes = *itemBytes;
    const std::optional<FieldKind> kind = Pds3FieldKind(field.dataType, m_ascii || m_delimited, *itemBytes,
                                                        field.element);
    if (!kind) {
        Warn(column.firstLine, pds3text::UnknownDataType().arg(what).arg(field.dataType).arg(*itemBytes));
        return;
    }
    field.kind = *kind;
    if (const OdlValue* factor = column.Value(u"SCALING_FACTOR"); factor && factor->ToReal()) {
        field.scaling.scalingFactor = *factor->ToReal();
    }
    if (const OdlValue* offset = column.Value(u"OFFSET"); offset && offset->ToReal()) {
        field.scaling.valueOffset = *offset->ToReal();
    }
    field.specials = SpecialConstants(column, IsTableSpecial,
                                      field.kind == FieldKind::Binary ? &field.element : nullptr);

    const bool hasBits = std::any_of(column.children.begin(), column.children.end(),
                                     [](const OdlBlock& child) { return IsKind(child, "BIT_COLUMN"); });
    if (hasBits && field.kind == FieldKind::Binary && field.element.IsInteger()) {
        field.startByte = base + *start - 1;
        AddBitColumns(column, field, *items, *itemOffset, table);
        return;
    }
    const int logical = LogicalColumn(column, name, table);
    for (std::int64_t i = 0; i < *items; ++i) {
        Pending pending;
        pending.field = field;
        pending.field.startByte = base + *start - 1 + i * *itemOffset;
        if (m_delimited) {
            pending.field.delimitedIndex = m_nextDelimited++;
        }
        pending.column = logical;
        m_pending.push_back(pending);
        ++table.columns[logical].items;
    }
}

void Pds3Table::AddBitColumns(const OdlBlock& column, const Field& container, std::int64_t items,
                              std::int64_t itemOffset, TableObject& table)
{
    const std::int64_t containerBits = container.bytes * 8;
    for (std::int64_t item = 0; item < items; ++item) {
        for (const OdlBlock& bits : column.children) {
            if (!IsKind(bits, "BIT_COLUMN")) {
                continue;
            }
            const QString nameValue = TextOf(bits, u"NAME");
            const QString name = nameValue.isEmpty() ? bits.name : nameValue;
            const QString what = pds3text::BitColumnName().arg(name);
            const auto startBit = CountKeyword(bits, u"START_BIT", 1, what, m_warnings);
            const auto width = CountKeyword(bits, u"BITS", 0, what, m_warnings);
            const auto bitItems = CountKeyword(bits, u"ITEMS", 1, what, m_warnings);
            const auto itemBits = CountKeyword(bits, u"ITEM_BITS", width.value_or(0), what, m_warnings);
            const auto bitOffset = CountKeyword(bits, u"ITEM_OFFSET", itemBits.value_or(0), what, m_warnings);
            if (!startBit || !width || !bitItems || !itemBits || !bitOffset || *startBit < 1 || *itemBits < 1 ||
                *itemBits > 64 || *bitItems < 1 || *bitItems > containerBits) {
                Warn(bits.firstLine, pds3text::BadBitColumn().arg(what));
                continue;
            }
            const std::int64_t lastBit = *startBit - 1 + (*bitItems - 1) * *bitOffset + *itemBits;
            if (lastBit > containerBits) {
                Warn(bits.firstLine, pds3text::PastBits().arg(what).arg(containerBits));
                continue;
            }
            const QString type = Pds3TypeKey(TextOf(bits, u"BIT_DATA_TYPE"));
            const int logical = LogicalColumn(bits, name, table);
            for (std::int64_t k = 0; k < *bitItems; ++k) {
                Pending pending;
                pending.field = container;
                pending.field.column = name;
                pending.field.unit = TextOf(bits, u"UNIT");
                pending.field.format = TextOf(bits, u"FORMAT");
                pending.field.dataType = TextOf(bits, u"BIT_DATA_TYPE");
                pending.field.kind = FieldKind::BitField;
                pending.field.startByte = container.startByte + item * itemOffset;
                pending.field.startBit = static_cast<int>(*startBit - 1 + k * *bitOffset);
                pending.field.bits = static_cast<int>(*itemBits);
                pending.field.bitsSigned = type.contains(QLatin1String("INTEGER")) &&
                                           !type.contains(QLatin1String("UNSIGNED"));
                pending.field.specials = SpecialConstants(bits, IsTableSpecial, nullptr);
                pending.field.scaling = Scaling{};
                if (const OdlValue* factor = bits.Value(u"SCALING_FACTOR"); factor && factor->ToReal()) {
                    pending.field.scaling.scalingFactor = *factor->ToReal();
                }
                if (const OdlValue* offset = bits.Value(u"OFFSET"); offset && offset->ToReal()) {
                    pending.field.scaling.valueOffset = *offset->ToReal();
                }
                pending.column = logical;
                m_pending.push_back(pending);
                ++table.columns[logical].items;
            }
        }
    }
}

std::optional<TableObject> Pds3Table::Describe(const OdlBlock& block, const QString& dataFile, std::int64_t offset)
{
    m_tableName = block.name;
    m_pending.clear();
    m_columnBlocks.clear();
    m_tooMany = false;
    m_nextDelimited = 0;

    TableObject table;
    table.name = block.name;
    table.objectType = block.name.toUpper();
    table.dataFile = dataFile;
    table.offset = offset;
    m_delimited = table.objectType == QLatin1String("SPREADSHEET") || block.Find(u"FIELD_DELIMITER");
    m_ascii = Pds3TypeKey(TextOf(block, u"INTERCHANGE_FORMAT")) != QLatin1String("BINARY");
    table.format = m_delimited ? TableFormat::Delimited : (m_ascii ? TableFormat::Character : TableFormat::Binary);
    if (m_delimited) {
        table.delimiter = Delimiter(TextOf(block, u"FIELD_DELIMITER"));
    }

    const QString what = block.name;
    const auto rows = CountKeyword(block, u"ROWS", -1, what, m_warnings);
    const auto rowBytes = CountKeyword(block, u"ROW_BYTES", m_recordBytes, what, m_warnings);
    const auto prefix = CountKeyword(block, u"ROW_PREFIX_BYTES", 0, what, m_warnings);
    const auto suffix = CountKeyword(block, u"ROW_SUFFIX_BYTES", 0, what, m_warnings);
    if (!rows || *rows < 0) {
        Warn(block.firstLine, pds3text::NoRows());
        return std::nullopt;
    }
    if (!rowBytes || !prefix || !suffix || (!m_delimited && *rowBytes < 1)) {
        Warn(block.firstLine, pds3text::NoRowBytes());
        return std::nullopt;
    }
    const auto recordBytes = Pds3MulAdd(1, *rowBytes + *prefix, *suffix);
    const auto extent = recordBytes ? Pds3MulAdd(*rows, *recordBytes, offset) : std::nullopt;
    if (!extent) {
        Warn(block.firstLine, pds3text::RowsOverflow().arg(*rows).arg(*rowBytes));
        return std::nullopt;
    }
    table.rows = *rows;
    table.recordBytes = *recordBytes;
    table.rowPrefixBytes = *prefix;
    table.samplingParameterName = TextOf(block, u"SAMPLING_PARAMETER_NAME");
    table.samplingParameterUnit = TextOf(block, u"SAMPLING_PARAMETER_UNIT");
    if (const OdlValue* interval = block.Value(u"SAMPLING_PARAMETER_INTERVAL")) {
        table.samplingParameterInterval = interval->ToReal();
    }
    if (const OdlValue* minimum = block.Value(u"MINIMUM_SAMPLING_PARAMETER")) {
        table.minimumSamplingParameter = minimum->ToReal();
    }

    Collect(block, 0, 0, table);
    if (m_pending.empty()) {
        Warn(block.firstLine, pds3text::NoColumns());
        return std::nullopt;
    }
    // Fields in the order of their bytes; NAME_1 ... NAME_n for a logical
    // column with more than one stored value.
    if (!m_delimited) {
        std::stable_sort(m_pending.begin(), m_pending.end(), [](const Pending& a, const Pending& b) {
            return a.field.startByte != b.field.startByte ? a.field.startByte < b.field.startByte
                                                          : a.field.startBit < b.field.startBit;
        });
    }
    std::vector<int> seen(table.columns.size(), 0);
    for (Pending& pending : m_pending) {
        const Column& column = table.columns[pending.column];
        pending.field.name = column.items > 1 ? QStringLiteral("%1_%2").arg(column.name).arg(++seen[pending.column])
                                              : column.name;
        table.fields.push_back(std::move(pending.field));
    }
    m_pending.clear();
    return table;
}

}  // namespace product
