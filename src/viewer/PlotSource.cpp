#include "viewer/PlotSource.h"

#include "viewer/TableModel.h"
#include "viewer/TablePlotTexts.h"

#include <cmath>
#include <limits>

namespace viewer {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsNumericKind(product::FieldKind kind)
{
    switch (kind) {
    case product::FieldKind::Binary:
    case product::FieldKind::BitField:
    case product::FieldKind::AsciiReal:
    case product::FieldKind::AsciiInteger:
    case product::FieldKind::AsciiUnsigned:
    case product::FieldKind::AsciiNumericBase:
        return true;
    case product::FieldKind::AsciiBoolean:
    case product::FieldKind::AsciiText:
    case product::FieldKind::AsciiDateTime:
        break;
    }
    return false;
}

QString ObjectName(const QString& name) { return name.isEmpty() ? texts::Unnamed() : name; }

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

// Reads `count` digits at `at`; false when they are not all there.
bool Digits(std::string_view text, std::size_t& at, std::size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    at += count;
    return true;
}

std::size_t DigitRun(std::string_view text, std::size_t at)
{
    std::size_t n = 0;
    while (at + n < text.size() && text[at + n] >= '0' && text[at + n] <= '9')
        ++n;
    return n;
}

}  // namespace

std::optional<double> PlotSource::ParseTime(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '"'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '"' || text.back() == 'Z' || text.back() == 'z'))
        text.remove_suffix(1);
    std::size_t at = 0;
    int year = 0;
    if (!Digits(text, at, 4, year) || at >= text.size() || text[at] != '-')
        return std::nullopt;
    ++at;
    std::int64_t days = 0;
    if (DigitRun(text, at) == 3) {
        int doy = 0;
        Digits(text, at, 3, doy);
        if (doy < 1 || doy > 366)
            return std::nullopt;
        days = DaysFromCivil(year, 1, 1) + doy - 1;
    } else {
        int month = 0;
        int day = 0;
        if (!Digits(text, at, 2, month) || at >= text.size() || text[at] != '-')
            return std::nullopt;
        ++at;
        if (!Digits(text, at, 2, day) || month < 1 || month > 12 || day < 1 || day > 31)
            return std::nullopt;
        days = DaysFromCivil(year, unsigned(month), unsigned(day));
    }
    double seconds = double(days) * 86400.0;
    if (at == text.size())
        return seconds;
    if (text[at] != 'T' && text[at] != 't' && text[at] != ' ')
        return std::nullopt;
    ++at;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!Digits(text, at, 2, hour) || hour > 24)
        return std::nullopt;
    if (at < text.size() && text[at] == ':') {
        ++at;
        if (!Digits(text, at, 2, minute) || minute > 59)
            return std::nullopt;
    }
    double fraction = 0;
    if (at < text.size() && text[at] == ':') {
        ++at;
        if (!Digits(text, at, 2, second) || second > 60)
            return std::nullopt;
        if (at < text.size() && text[at] == '.') {
            ++at;
            double scale = 0.1;
            const std::size_t run = DigitRun(text, at);
            for (std::size_t i = 0; i < run; ++i, scale /= 10)
                fraction += (text[at + i] - '0') * scale;
            at += run;
        }
    }
    if (at != text.size())
        return std::nullopt;
    return seconds + hour * 3600.0 + minute * 60.0 + second + fraction;
}

std::shared_ptr<const PlotSource> PlotSource::Open(const product::Product& product, int objectIndex)
{
    if (objectIndex < 0 || std::size_t(objectIndex) >= product.objects.size())
        throw product::Error{texts::NothingToPlot().arg(objectIndex + 1)};
    std::shared_ptr<PlotSource> source(new PlotSource);
    const product::DataObject& object = product.objects[std::size_t(objectIndex)];
    if (const auto* table = std::get_if<product::TableObject>(&object))
        source->DescribeTable(*table);
    else
        source->DescribeArray(std::get<product::ArrayObject>(object));
    return source;
}

void PlotSource::DescribeTable(const product::TableObject& table)
{
    m_table = std::make_shared<const product::TableReader>(product::TableReader::Open(table));
    m_rows = m_table->rows();
    m_step = std::max<std::int64_t>(1, (m_rows + kMaxPoints - 1) / kMaxPoints);
    m_quantities.push_back({PlotQuantity::Source::RowNumber, -1, texts::RowNumber(), false, true});
    const QString& sampling = table.samplingParameterName;
    int samplingField = -1;
    if (!sampling.isEmpty() && table.samplingParameterInterval) {
        m_samplingInterval = *table.samplingParameterInterval;
        m_samplingStart = table.minimumSamplingParameter.value_or(0);
    }
    int firstTime = -1;
    int firstNumeric = -1;
    int secondNumeric = -1;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const product::Field& field = table.fields[i];
        const bool time = field.kind == product::FieldKind::AsciiDateTime;
        const bool numeric = IsNumericKind(field.kind);
        if (!time && !numeric)
            continue;
        const int index = int(m_quantities.size());
        m_quantities.push_back({PlotQuantity::Source::Field, int(i), TableModel::HeaderText(field), time, true});
        if (!sampling.isEmpty() && samplingField < 0 &&
            (field.column.compare(sampling, Qt::CaseInsensitive) == 0 ||
             field.name.compare(sampling, Qt::CaseInsensitive) == 0))
            samplingField = index;
        if (time && firstTime < 0)
            firstTime = index;
        if (numeric && firstNumeric < 0)
            firstNumeric = index;
        else if (numeric && secondNumeric < 0)
            secondNumeric = index;
    }
    int samplingQuantity = -1;
    if (samplingField < 0 && !sampling.isEmpty() && table.samplingParameterInterval) {
        samplingQuantity = int(m_quantities.size());
        QString title = sampling;
        if (!table.samplingParameterUnit.isEmpty())
            title += QStringLiteral(" [%1]").arg(table.samplingParameterUnit);
        m_quantities.push_back({PlotQuantity::Source::Sampling, -1, title, false, true});
    }
    if (samplingField >= 0)
        m_defaultX = samplingField;
    else if (samplingQuantity >= 0)
        m_defaultX = samplingQuantity;
    else if (firstTime >= 0)
        m_defaultX = firstTime;
    else if (secondNumeric >= 0)
        m_defaultX = firstNumeric;
    else
        m_defaultX = 0;  // the row number against the only numeric column
    for (std::size_t i = 1; i < m_quantities.size(); ++i)
        if (int(i) != m_defaultX && m_quantities[i].source == PlotQuantity::Source::Field && !m_quantities[i].time) {
            m_defaultY = int(i);
            break;
        }
    if (m_defaultY < 0)
        throw product::Error{texts::NothingToPlot().arg(ObjectName(table.name))};
}

void PlotSource::DescribeArray(const product::ArrayObject& array)
{
    if (array.axes.size() != 1)
        throw product::Error{texts::NotPlottable().arg(ObjectName(array.name)).arg(array.axes.size())};
    m_array = std::make_shared<const product::ArrayReader>(product::ArrayReader::Open(array));
    m_rows = array.axes[0].elements;
    m_step = std::max<std::int64_t>(1, (m_rows + kMaxPoints - 1) / kMaxPoints);
    QString axisTitle = array.axes[0].name.isEmpty() ? texts::ElementIndex() : array.axes[0].name;
    m_quantities.push_back({PlotQuantity::Source::ElementIndex, -1, axisTitle, false, true});
    QString title = ObjectName(array.name);
    if (!array.unit.isEmpty())
        title += QStringLiteral(" [%1]").arg(array.unit);
    m_quantities.push_back({PlotQuantity::Source::Elements, -1, title, false, true});
    m_defaultX = 0;
    m_defaultY = 1;
}

QString PlotSource::problem() const
{
    if (m_table)
        return m_table->problem();
    return m_array ? m_array->problem() : QString();
}

double PlotSource::ValueOf(const PlotQuantity& quantity, std::int64_t row,
                           const std::vector<product::Value>* values) const
{
    switch (quantity.source) {
    case PlotQuantity::Source::RowNumber:
        return double(row + 1);
    case PlotQuantity::Source::ElementIndex:
        return double(row);
    case PlotQuantity::Source::Sampling:
        return m_samplingStart + double(row) * m_samplingInterval;
    case PlotQuantity::Source::Elements: {
        const product::ArrayObject& array = m_array->array();
        product::Field field;
        field.kind = product::FieldKind::Binary;
        field.element = array.element;
        field.bytes = array.element.bytes;
        const std::string_view bytes = m_array->file().Bytes(array.offset + row * array.axes[0].strideBytes,
                                                             field.bytes);
        const double stored = product::TableReader::DecodeField(field, bytes, 0).ToDouble();
        for (const product::SpecialConstant& special : array.specials)
            if (stored == special.value)
                return kNaN;
        return stored * array.scaling.scalingFactor + array.scaling.valueOffset;
    }
    case PlotQuantity::Source::Field:
        break;
    }
    const product::Field& field = m_table->table().fields[std::size_t(quantity.field)];
    const product::Value value = values ? (*values)[std::size_t(quantity.field)]
                                        : m_table->Cell(row, std::size_t(quantity.field));
    if (quantity.time)
        return value.kind == product::Value::Kind::Text ? ParseTime(value.text).value_or(kNaN) : kNaN;
    const double v = value.ToDouble();
    if (field.scaling.IsIdentity())
        for (const product::SpecialConstant& special : field.specials)
            if (v == special.value)
                return kNaN;
    return v;
}

std::vector<std::vector<double>> PlotSource::Read(const std::vector<int>& quantities) const
{
    std::vector<std::vector<double>> out(quantities.size());
    const std::int64_t count = (m_rows + m_step - 1) / m_step;
    for (auto& column : out)
        column.reserve(std::size_t(count));
    const bool wholeRows = m_table && m_table->table().format == product::TableFormat::Delimited;
    std::vector<product::Value> values;
    for (std::int64_t row = 0; row < m_rows; row += m_step) {
        if (wholeRows)
            m_table->ReadRow(row, values);
        for (std::size_t q = 0; q < quantities.size(); ++q)
            out[q].push_back(ValueOf(m_quantities[std::size_t(quantities[q])], row, wholeRows ? &values : nullptr));
    }
    return out;
}

}  // namespace viewer
