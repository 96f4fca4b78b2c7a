#include "viewcli/InfoReport.h"

#include "product/ArrayReader.h"
#include "product/TableReader.h"
#include "viewcli/Texts.h"

#include <cmath>

namespace viewcli {

using product::ArrayObject;
using product::Statistics;
using product::TableObject;

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

QString Name(const QString& name) { return name.isEmpty() ? T(text::kUnnamed) : name; }

// Six significant digits, as people read figures.
QString Figure(double value) { return QString::number(value, 'g', 6); }

QString Extreme(const product::Value& exact, double value)
{
    if (exact.IsNumber()) {
        std::string out;
        product::AppendValue(out, exact);
        return QString::fromStdString(out);
    }
    return Figure(value);
}

QString StatsText(const Statistics& stats)
{
    const product::Moments& m = stats.values;
    if (m.count == 0)
        return T(text::kInfoNoValues).arg(stats.special);
    if (stats.magnitude) {
        const product::Moments& a = *stats.magnitude;
        return T(text::kInfoComplexStats)
            .arg(m.count)
            .arg(stats.special)
            .arg(Figure(m.min), Figure(m.max), Figure(m.mean), Figure(m.stddev), Figure(a.min), Figure(a.max),
                 Figure(a.mean))
            .arg(Figure(a.stddev));
    }
    return T(text::kInfoStats)
        .arg(m.count)
        .arg(Extreme(m.exactMin, m.min), Extreme(m.exactMax, m.max), Figure(m.mean), Figure(m.stddev))
        .arg(stats.special);
}

QString AxesText(const ArrayObject& array)
{
    QStringList axes;
    for (const product::Axis& axis : array.axes)
        axes += T(text::kInfoAxis).arg(axis.name).arg(axis.elements);
    return axes.join(QStringLiteral(", "));
}

// --- JSON, written by hand so integers stay exact and reals are in their
// shortest exact form.

void JsonString(std::string& out, const QString& value)
{
    out += '"';
    for (char c : value.toStdString()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void JsonNumber(std::string& out, double value)
{
    if (!std::isfinite(value))
        out += "null";
    else
        product::AppendReal(out, value);
}

void JsonInteger(std::string& out, std::int64_t value) { product::AppendValue(out, product::Value::Signed(value)); }

void JsonKey(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void JsonMoments(std::string& out, const product::Moments& m, bool withCount)
{
    if (withCount) {
        JsonKey(out, "count");
        JsonInteger(out, m.count);
        out += ',';
    }
    const bool any = m.count > 0;
    JsonKey(out, "min");
    if (m.exactMin.IsNumber())
        product::AppendValue(out, m.exactMin);
    else
        any ? JsonNumber(out, m.min) : void(out += "null");
    out += ',';
    JsonKey(out, "max");
    if (m.exactMax.IsNumber())
        product::AppendValue(out, m.exactMax);
    else
        any ? JsonNumber(out, m.max) : void(out += "null");
    out += ',';
    JsonKey(out, "mean");
    any ? JsonNumber(out, m.mean) : void(out += "null");
    out += ',';
    JsonKey(out, "stddev");
    any ? JsonNumber(out, m.stddev) : void(out += "null");
}

void JsonStats(std::string& out, const std::vector<Statistics>& list)
{
    JsonKey(out, "bandStats");
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i)
            out += ',';
        out += '{';
        JsonMoments(out, list[i].values, true);
        out += ',';
        JsonKey(out, "special");
        JsonInteger(out, list[i].special);
        if (list[i].magnitude) {
            out += ',';
            JsonKey(out, "magnitude");
            out += '{';
            JsonMoments(out, *list[i].magnitude, false);
            out += '}';
        }
        out += '}';
    }
    out += ']';
}

void JsonAxes(std::string& out, const ArrayObject& array)
{
    JsonKey(out, "axes");
    out += '[';
    for (std::size_t i = 0; i < array.axes.size(); ++i) {
        if (i)
            out += ',';
        out += '{';
        JsonKey(out, "name");
        JsonString(out, array.axes[i].name);
        out += ',';
        JsonKey(out, "elements");
        JsonInteger(out, array.axes[i].elements);
        out += '}';
    }
    out += ']';
}

QString ColumnType(const product::Column& column) { return column.dataType; }

// The table's logical columns; when a label reader gave none, its fields.
std::vector<product::Column> Columns(const TableObject& table)
{
    if (!table.columns.empty())
        return table.columns;
    std::vector<product::Column> columns;
    for (const product::Field& field : table.fields)
        columns.push_back({field.name, field.dataType, field.unit, 1});
    return columns;
}

}  // namespace

QString InfoReport::TypeName(const product::ElementType& type)
{
    const int bits = 8 * type.bytes;
    QString name;
    switch (type.encoding) {
    case product::Encoding::SignedInt:
        name = T(text::kTypeSigned).arg(bits);
        break;
    case product::Encoding::UnsignedInt:
        name = T(text::kTypeUnsigned).arg(bits);
        break;
    case product::Encoding::IeeeReal:
        name = T(text::kTypeIeee).arg(bits);
        break;
    case product::Encoding::VaxReal:
        return type.bytes == 8 && type.vaxG ? T(text::kTypeVaxG) : T(text::kTypeVax).arg(bits);
    case product::Encoding::IeeeComplex:
        name = T(text::kTypeIeeeComplex).arg(bits);
        break;
    case product::Encoding::VaxComplex:
        return T(text::kTypeVaxComplex).arg(bits);
    }
    if (type.bytes > 1)
        name += T(type.order == product::ByteOrder::Big ? text::kOrderMsb : text::kOrderLsb);
    return name;
}

InfoReport::InfoReport(product::Product product) : m_product(std::move(product))
{
    for (const product::DataObject& object : m_product.objects) {
        ObjectFacts facts;
        try {
            if (const auto* array = std::get_if<ArrayObject>(&object)) {
                const auto reader = product::ArrayReader::Open(*array);
                facts.problem = reader.problem();
                if (array->kind == product::ArrayKind::Image) {
                    for (std::int64_t band = 0; band < array->Bands(); ++band)
                        facts.stats.push_back(reader.BandStatistics(band));
                } else {
                    facts.stats.push_back(reader.WholeStatistics());
                }
            } else {
                const auto reader = product::TableReader::Open(std::get<TableObject>(object));
                facts.problem = reader.problem();
                facts.rows = reader.rows();
            }
        } catch (const product::Error& error) {
            facts.problem = error.message;
        }
        if (m_problem.isEmpty())
            m_problem = facts.problem;
        m_facts.push_back(std::move(facts));
    }
}

std::string InfoReport::Text() const
{
    QString out = T(text::kInfoFile)
                      .arg(m_product.labelFile, m_product.flavour == product::LabelFlavour::Pds3
                                                    ? QStringLiteral("PDS3")
                                                    : QStringLiteral("PDS4"));
    for (std::size_t i = 0; i < m_product.objects.size(); ++i) {
        const ObjectFacts& facts = m_facts[i];
        if (const auto* array = std::get_if<ArrayObject>(&m_product.objects[i])) {
            if (array->kind == product::ArrayKind::Image) {
                out += T(text::kInfoImage)
                           .arg(Name(array->name))
                           .arg(array->Lines())
                           .arg(array->Samples())
                           .arg(array->Bands())
                           .arg(TypeName(array->element));
                for (std::size_t band = 0; band < facts.stats.size(); ++band)
                    out += T(text::kInfoBand).arg(band + 1).arg(StatsText(facts.stats[band]));
            } else {
                out += T(text::kInfoArray).arg(Name(array->name), AxesText(*array), TypeName(array->element));
                for (const Statistics& stats : facts.stats)
                    out += T(text::kInfoArrayStats).arg(StatsText(stats));
            }
        } else {
            const TableObject& table = std::get<TableObject>(m_product.objects[i]);
            const auto columns = Columns(table);
            out += T(text::kInfoTable)
                       .arg(Name(table.name), table.objectType)
                       .arg(facts.rows)
                       .arg(columns.size())
                       .arg(table.fields.size());
            for (const product::Column& column : columns)
                out += T(text::kInfoColumn)
                           .arg(column.name, ColumnType(column),
                                column.unit.isEmpty() ? QString() : T(text::kInfoUnit).arg(column.unit),
                                column.items > 1 ? T(text::kInfoItems).arg(column.items) : QString());
        }
        if (!facts.problem.isEmpty())
            out += T(text::kInfoWarning).arg(facts.problem);
    }
    for (const QString& warning : m_product.warnings)
        out += T(text::kInfoWarning).arg(warning);
    return out.toStdString();
}

std::string InfoReport::Json() const
{
    std::string out = "{";
    JsonKey(out, "file");
    JsonString(out, m_product.labelFile);
    out += ',';
    JsonKey(out, "flavour");
    JsonString(out, m_product.flavour == product::LabelFlavour::Pds3 ? QStringLiteral("PDS3") : QStringLiteral("PDS4"));
    out += ',';
    JsonKey(out, "objects");
    out += '[';
    for (std::size_t i = 0; i < m_product.objects.size(); ++i) {
        if (i)
            out += ',';
        out += "\n{";
        const ObjectFacts& facts = m_facts[i];
        if (const auto* array = std::get_if<ArrayObject>(&m_product.objects[i])) {
            const bool image = array->kind == product::ArrayKind::Image;
            JsonKey(out, "name");
            JsonString(out, array->name);
            out += ',';
            JsonKey(out, "kind");
            out += image ? "\"image\"," : "\"array\",";
            if (image) {
                JsonKey(out, "lines");
                JsonInteger(out, array->Lines());
                out += ',';
                JsonKey(out, "samples");
                JsonInteger(out, array->Samples());
                out += ',';
                JsonKey(out, "bands");
                JsonInteger(out, array->Bands());
                out += ',';
            }
            JsonKey(out, "type");
            JsonString(out, TypeName(array->element));
            out += ',';
            JsonAxes(out, *array);
            out += ',';
            JsonStats(out, facts.stats);
        } else {
            const TableObject& table = std::get<TableObject>(m_product.objects[i]);
            JsonKey(out, "name");
            JsonString(out, table.name);
            out += ',';
            JsonKey(out, "kind");
            out += "\"table\",";
            JsonKey(out, "objectType");
            JsonString(out, table.objectType);
            out += ',';
            JsonKey(out, "rows");
            JsonInteger(out, facts.rows);
            out += ',';
            JsonKey(out, "fields");
            JsonInteger(out, std::int64_t(table.fields.size()));
            out += ',';
            JsonKey(out, "columns");
            out += '[';
            const auto columns = Columns(table);
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (c)
                    out += ',';
                out += '{';
                JsonKey(out, "name");
                JsonString(out, columns[c].name);
                out += ',';
                JsonKey(out, "type");
                JsonString(out, columns[c].dataType);
                out += ',';
                JsonKey(out, "unit");
                JsonString(out, columns[c].unit);
                out += ',';
                JsonKey(out, "items");
                JsonInteger(out, columns[c].items);
                out += '}';
            }
            out += ']';
        }
        if (!facts.problem.isEmpty()) {
            out += ',';
            JsonKey(out, "problem");
            JsonString(out, facts.problem);
        }
        out += '}';
    }
    out += "],";
    JsonKey(out, "warnings");
    out += '[';
    for (qsizetype i = 0; i < m_product.warnings.size(); ++i) {
        if (i)
            out += ',';
        JsonString(out, m_product.warnings[i]);
    }
    out += "]}\n";
    return out;
}

}  // namespace viewcli
