#include "product/Pds4Table.h"

#include "product/Pds4DataType.h"
#include "product/Pds4Messages.h"
#include "product/Pds4Support.h"

#include <limits>
#include <map>

namespace product {

namespace {

constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();

// One logical column: a field of the label (or a bit field of a packed
// field) with everything but its place, which the flattening fills in.
struct ColumnPlan {
    Field prototype;
    std::int64_t location = 0;  // 0-based within one repetition of its group (fixed-width tables)
    std::int64_t items = 0;     // stored values in one record
    std::int64_t emitted = 0;
};

// Reads the layout of one table. The record's fields and groups are walked
// twice: once to plan the columns and count their values (so repeated names
// get their _1 ... _n and the number of values is bounded before anything is
// made), once to lay the values out repetition by repetition, in label order.
class TableLayout {
public:
    TableLayout(TableObject& table, Pds4ObjectWarnings& report) : m_table(table), m_report(report) {}

    bool Plan(const XmlElement& container, std::int64_t multiplicity);
    bool Emit(const XmlElement& container, std::int64_t base);
    // The logical columns, in label order.
    std::vector<Column> Columns() const;

private:
    bool IsFixedWidth() const { return m_table.format != TableFormat::Delimited; }
    bool PlanField(const XmlElement& field, std::int64_t multiplicity);
    bool PlanBitFields(const XmlElement& field, const Field& container, std::int64_t multiplicity);
    bool AddColumn(const XmlElement& key, Field prototype, std::int64_t location, std::int64_t multiplicity);
    bool EmitColumn(ColumnPlan& column, std::int64_t base);
    std::optional<std::int64_t> GroupRepetitionLength(const XmlElement& group, std::int64_t repetitions);
    Field Prototype(const XmlElement& field) const;

    TableObject& m_table;
    Pds4ObjectWarnings& m_report;
    std::map<const XmlElement*, std::vector<int>> m_columnsOf;  // label element -> its columns
    std::vector<ColumnPlan> m_columns;
    std::int64_t m_values = 0;
    std::int64_t m_groupVisits = 0;
    int m_delimitedIndex = 0;
};

std::vector<Column> TableLayout::Columns() const
{
    std::vector<Column> columns;
    for (const ColumnPlan& plan : m_columns) {
        columns.push_back(
            Column{plan.prototype.column, plan.prototype.dataType, plan.prototype.unit, static_cast<int>(plan.items)});
    }
    return columns;
}

bool IsFieldElement(const XmlElement& element)
{
    return element.name == u"Field_Binary" || element.name == u"Field_Character" || element.name == u"Field_Delimited";
}

bool IsGroupElement(const XmlElement& element)
{
    return element.name == u"Group_Field_Binary" || element.name == u"Group_Field_Character" ||
           element.name == u"Group_Field_Delimited";
}

Field TableLayout::Prototype(const XmlElement& field) const
{
    Field prototype;
    prototype.column = Pds4Title(field);
    prototype.unit = field.ChildText(u"unit");
    prototype.format = field.ChildText(u"field_format");
    prototype.dataType = field.ChildText(u"data_type");
    return prototype;
}

bool TableLayout::AddColumn(const XmlElement& key, Field prototype, std::int64_t location, std::int64_t multiplicity)
{
    const std::optional<std::int64_t> values = CheckedAdd(m_values, multiplicity);
    if (!values || *values > kMaxPds4TableValues) {
        m_report.LeftOut(pds4text::TooManyFields().arg(kMaxPds4TableValues));
        return false;
    }
    m_values = *values;
    m_columnsOf[&key].push_back(static_cast<int>(m_columns.size()));
    m_columns.push_back(ColumnPlan{std::move(prototype), location, multiplicity, 0});
    return true;
}

bool TableLayout::PlanField(const XmlElement& field, std::int64_t multiplicity)
{
    Field prototype = Prototype(field);
    std::int64_t location = 0;
    if (IsFixedWidth()) {
        const std::optional<std::int64_t> start = RequiredCount(field, u"field_location", 1, kMaxInt64, m_report);
        if (!start)
            return false;
        const std::optional<std::int64_t> length = RequiredCount(field, u"field_length", 1, kMaxInt64, m_report);
        if (!length)
            return false;
        location = *start - 1;
        prototype.bytes = *length;
    } else {
        const std::optional<std::int64_t> length = ParseLabelInteger(field.ChildText(u"maximum_field_length"));
        prototype.bytes = length && *length > 0 ? *length : 0;
    }

    const std::optional<Pds4DataType> type = LookUpPds4DataType(prototype.dataType);
    if (!type) {
        m_report.Note(pds4text::UnknownFieldType().arg(prototype.column, prototype.dataType));
        prototype.kind = FieldKind::AsciiText;
    } else {
        prototype.kind = type->kind;
        prototype.base = type->base;
        prototype.element = type->element;
    }
    const std::optional<Scaling> scaling = ReadScaling(field, m_report);
    if (!scaling)
        return false;
    prototype.scaling = *scaling;
    prototype.specials = ReadSpecialConstants(field, m_report);

    if (type && type->IsBinaryNumber() && IsFixedWidth() && prototype.bytes != type->element.bytes) {
        m_report.Note(pds4text::FieldLengthDiffers().arg(prototype.column, QString::number(prototype.bytes),
                                                         prototype.dataType, QString::number(type->element.bytes)));
        prototype.bytes = type->element.bytes;
    }
    if (type && type->bitString) {
        prototype.element = ElementType{Encoding::UnsignedInt,
                                        static_cast<int>(std::min<std::int64_t>(prototype.bytes, 8)), ByteOrder::Big};
        if (field.Child(u"Packed_Data_Fields")) {
            prototype.startByte = location;
            return PlanBitFields(field, prototype, multiplicity);
        }
        // A bit string without packed fields is one unsigned or signed number.
        if (prototype.bytes > 8) {
            m_report.Note(pds4text::BitStringTooLong().arg(prototype.column, QString::number(prototype.bytes)));
            return true;
        }
        prototype.startBit = 0;
        prototype.bits = static_cast<int>(prototype.bytes * 8);
        prototype.bitsSigned = type->bitsSigned;
    }
    return AddColumn(field, std::move(prototype), location, multiplicity);
}

bool TableLayout::PlanBitFields(const XmlElement& field, const Field& container, std::int64_t multiplicity)
{
    const XmlElement& packed = *field.Child(u"Packed_Data_Fields");
    const std::int64_t fieldBits = container.bytes <= kMaxInt64 / 8 ? container.bytes * 8 : kMaxInt64;
    for (const XmlElement& bitField : packed.children) {
        if (bitField.name != u"Field_Bit")
            continue;
        Field prototype = container;
        prototype.column = Pds4Title(bitField);
        prototype.unit = bitField.ChildText(u"unit");
        prototype.format = bitField.ChildText(u"field_format");
        prototype.dataType = bitField.ChildText(u"data_type");
        prototype.kind = FieldKind::BitField;
        const std::optional<std::int64_t> first = RequiredCount(bitField, u"start_bit_location", 1, kMaxInt64,
                                                                m_report);
        if (!first)
            return false;
        const std::optional<std::int64_t> last = RequiredCount(bitField, u"stop_bit_location", 1, kMaxInt64, m_report);
        if (!last)
            return false;
        if (*last < *first || *last > fieldBits || *last - *first >= 64) {
            m_report.LeftOut(pds4text::BitsOutsideField().arg(prototype.column, QString::number(*first),
                                                              QString::number(*last), QString::number(fieldBits)));
            return false;
        }
        prototype.startBit = static_cast<int>(*first - 1);
        prototype.bits = static_cast<int>(*last - *first + 1);
        prototype.bitsSigned = prototype.dataType == u"SignedBitString";
        const std::optional<Scaling> scaling = ReadScaling(bitField, m_report);
        if (!scaling)
            return false;
        prototype.scaling = *scaling;
        prototype.specials = ReadSpecialConstants(bitField, m_report);
        if (!AddColumn(field, std::move(prototype), container.startByte, multiplicity))
            return false;
    }
    return true;
}

std::optional<std::int64_t> TableLayout::GroupRepetitionLength(const XmlElement& group, std::int64_t repetitions)
{
    const std::optional<std::int64_t> length = RequiredCount(group, u"group_length", 1, kMaxInt64, m_report);
    if (!length)
        return std::nullopt;
    if (*length % repetitions != 0) {
        m_report.LeftOut(pds4text::GroupLengthUneven().arg(QString::number(*length), QString::number(repetitions)));
        return std::nullopt;
    }
    return *length / repetitions;
}

bool TableLayout::Plan(const XmlElement& container, std::int64_t multiplicity)
{
    for (const XmlElement& child : container.children) {
        if (IsFieldElement(child)) {
            if (!PlanField(child, multiplicity))
                return false;
        } else if (IsGroupElement(child)) {
            const std::optional<std::int64_t> repetitions = RequiredCount(child, u"repetitions", 1, kMaxPds4TableValues,
                                                                          m_report);
            if (!repetitions)
                return false;
            if (IsFixedWidth() && (!RequiredCount(child, u"group_location", 1, kMaxInt64, m_report) ||
                                   !GroupRepetitionLength(child, *repetitions)))
                return false;
            // Laying the values out visits each group once per repetition of
            // the groups around it; those visits are bounded like the values.
            const std::optional<std::int64_t> inner = CheckedMultiply(multiplicity, *repetitions);
            const std::optional<std::int64_t> visits = inner ? CheckedAdd(m_groupVisits, *inner) : std::nullopt;
            if (!visits || *visits > kMaxPds4TableValues) {
                m_report.LeftOut(pds4text::TooManyFields().arg(kMaxPds4TableValues));
                return false;
            }
            m_groupVisits = *visits;
            if (!Plan(child, *inner))
                return false;
        }
    }
    return true;
}

bool TableLayout::EmitColumn(ColumnPlan& column, std::int64_t base)
{
    Field field = column.prototype;
    field.name = field.column;
    if (column.items > 1)
        field.name += QLatin1Char('_') + QString::number(column.emitted + 1);
    ++column.emitted;
    if (IsFixedWidth()) {
        const std::optional<std::int64_t> start = CheckedAdd(base, column.location);
        const std::optional<std::int64_t> end = start ? CheckedAdd(*start, field.bytes) : std::nullopt;
        if (!end || *end > m_table.recordBytes) {
            m_report.LeftOut(pds4text::FieldOutsideRecord().arg(
                field.name, QString::number(start.value_or(kMaxInt64) + 1),
                end ? QString::number(*end) : QStringLiteral("?"), QString::number(m_table.recordBytes)));
            return false;
        }
        field.startByte = *start;
    } else {
        field.delimitedIndex = m_delimitedIndex++;
    }
    m_table.fields.push_back(std::move(field));
    return true;
}

bool TableLayout::Emit(const XmlElement& container, std::int64_t base)
{
    for (const XmlElement& child : container.children) {
        if (IsFieldElement(child)) {
            const auto columns = m_columnsOf.find(&child);
            if (columns == m_columnsOf.end())
                continue;  // a field left out with a note
            for (int index : columns->second) {
                if (!EmitColumn(m_columns[index], base))
                    return false;
            }
        } else if (IsGroupElement(child)) {
            // Planning has checked every number read here.
            const std::int64_t repetitions = *ParseLabelInteger(child.ChildText(u"repetitions"));
            std::int64_t start = 0;
            std::int64_t step = 0;
            if (IsFixedWidth()) {
                const std::optional<std::int64_t> location = CheckedAdd(
                    base, *ParseLabelInteger(child.ChildText(u"group_location")) - 1);
                step = *ParseLabelInteger(child.ChildText(u"group_length")) / repetitions;
                if (!location) {
                    m_report.LeftOut(pds4text::ArrayTooLarge());
                    return false;
                }
                start = *location;
            }
            for (std::int64_t repetition = 0; repetition < repetitions; ++repetition) {
                const std::optional<std::int64_t> offset = CheckedMultiply(repetition, step);
                const std::optional<std::int64_t> at = offset ? CheckedAdd(start, *offset) : std::nullopt;
                if (!at) {
                    m_report.LeftOut(pds4text::ArrayTooLarge());
                    return false;
                }
                if (!Emit(child, *at))
                    return false;
            }
        }
    }
    return true;
}

std::optional<QChar> DelimiterOf(const QString& name)
{
    static const std::pair<const char*, char> kNames[] = {
        {"Comma", ','}, {"Horizontal Tab", '\t'}, {"Semicolon", ';'}, {"Vertical Bar", '|'}, {"Tab", '\t'},
        {"Pipe", '|'},
    };
    for (const auto& [label, character] : kNames) {
        if (name.compare(QLatin1String(label), Qt::CaseInsensitive) == 0)
            return QLatin1Char(character);
    }
    if (name.size() == 1)
        return name.front();
    return std::nullopt;
}

}  // namespace

bool IsPds4TableClass(const QString& name)
{
    // A collection's Inventory is a delimited table of its members.
    return name == QLatin1String("Table_Binary") || name == QLatin1String("Table_Character") ||
           name == QLatin1String("Table_Delimited") || name == QLatin1String("Inventory");
}

std::optional<TableObject> ReadPds4Table(const XmlElement& element, const QString& dataFile, QStringList& warnings)
{
    TableObject table;
    table.name = Pds4Title(element);
    table.objectType = element.name;
    table.dataFile = dataFile;
    Pds4ObjectWarnings report(element, table.name, warnings);

    QString recordName;
    if (element.name == u"Table_Binary") {
        table.format = TableFormat::Binary;
        recordName = QStringLiteral("Record_Binary");
    } else if (element.name == u"Table_Character") {
        table.format = TableFormat::Character;
        recordName = QStringLiteral("Record_Character");
    } else {
        table.format = TableFormat::Delimited;
        recordName = QStringLiteral("Record_Delimited");
    }

    const std::optional<std::int64_t> offset = RequiredCount(element, u"offset", 0, kMaxInt64, report);
    if (!offset)
        return std::nullopt;
    table.offset = *offset;
    const std::optional<std::int64_t> rows = RequiredCount(element, u"records", 0, kMaxInt64, report);
    if (!rows)
        return std::nullopt;
    table.rows = *rows;

    const XmlElement* record = element.Child(recordName);
    if (!record) {
        report.LeftOut(pds4text::MissingValue().arg(recordName));
        return std::nullopt;
    }
    if (table.format == TableFormat::Delimited) {
        const QString delimiter = element.ChildText(u"field_delimiter");
        if (delimiter.isEmpty()) {
            report.Note(pds4text::NoDelimiter());
        } else if (const std::optional<QChar> character = DelimiterOf(delimiter)) {
            table.delimiter = *character;
        } else {
            report.LeftOut(pds4text::UnknownDelimiter().arg(delimiter));
            return std::nullopt;
        }
    } else {
        const std::optional<std::int64_t> length = RequiredCount(*record, u"record_length", 1, kMaxInt64, report);
        if (!length)
            return std::nullopt;
        table.recordBytes = *length;
        // The whole table must have a size that 64 bits can hold.
        const std::optional<std::int64_t> bytes = CheckedMultiply(table.recordBytes, table.rows);
        if (!bytes || !CheckedAdd(table.offset, *bytes)) {
            report.LeftOut(pds4text::ArrayTooLarge());
            return std::nullopt;
        }
    }

    TableLayout layout(table, report);
    if (!layout.Plan(*record, 1) || !layout.Emit(*record, 0))
        return std::nullopt;
    table.columns = layout.Columns();
    return table;
}

}  // namespace product
