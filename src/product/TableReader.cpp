#include "product/TableReader.h"

#include "product/ElementCodec.h"
#include "product/Extent.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace product {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Text of a character field: trimmed, without one pair of enclosing quotes.
std::string_view Unquoted(std::string_view text)
{
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = Trimmed(text.substr(1, text.size() - 2));
    return text;
}

Value Scaled(double stored, const Scaling& scaling)
{
    return Value::Real(stored * scaling.scalingFactor + scaling.valueOffset);
}

Value ParseReal(std::string_view text, const Scaling& scaling)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        // Fortran's D exponent (1.5D+03).
        std::string copy(digits);
        for (char& c : copy)
            if (c == 'D' || c == 'd')
                c = 'E';
        auto [end2, error2] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
        if (error2 != std::errc() || end2 != copy.data() + copy.size())
            return Value::Text(std::string(text));
    }
    return scaling.IsIdentity() ? Value::Real(value) : Scaled(value, scaling);
}

Value ParseInteger(std::string_view text, const Scaling& scaling, int base)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const char* const first = digits.data();
    const char* const last = first + digits.size();
    if (!digits.empty() && digits.front() != '-') {
        std::uint64_t natural = 0;
        const auto [end, error] = std::from_chars(first, last, natural, base);
        if (error == std::errc() && end == last) {
            if (!scaling.IsIdentity())
                return Scaled(double(natural), scaling);
            if (natural <= std::uint64_t(INT64_MAX))
                return Value::Signed(std::int64_t(natural));
            return Value::Unsigned(natural);
        }
    } else {
        std::int64_t integer = 0;
        const auto [end, error] = std::from_chars(first, last, integer, base);
        if (error == std::errc() && end == last)
            return scaling.IsIdentity() ? Value::Signed(integer) : Scaled(double(integer), scaling);
    }
    if (base == 10)
        return ParseReal(text, scaling);  // "1.0E3" in an integer column
    return Value::Text(std::string(text));
}

Value DecodeText(const Field& field, std::string_view text)
{
    switch (field.kind) {
    case FieldKind::AsciiReal:
    case FieldKind::Binary:  // a binary-typed value written as text
    case FieldKind::BitField:
        text = Unquoted(text);
        return text.empty() ? Value() : ParseReal(text, field.scaling);
    case FieldKind::AsciiInteger:
    case FieldKind::AsciiUnsigned:
        text = Unquoted(text);
        return text.empty() ? Value() : ParseInteger(text, field.scaling, 10);
    case FieldKind::AsciiNumericBase:
        text = Unquoted(text);
        return text.empty() ? Value() : ParseInteger(text, field.scaling, field.base);
    case FieldKind::AsciiBoolean:
    case FieldKind::AsciiText:
    case FieldKind::AsciiDateTime:
        break;
    }
    text = Unquoted(text);
    return text.empty() ? Value() : Value::Text(std::string(text));
}

Value DecodeBinary(const Field& field, const unsigned char* p)
{
    const ElementType& type = field.element;
    const bool identity = field.scaling.IsIdentity();
    switch (type.encoding) {
    case Encoding::SignedInt: {
        const std::int64_t v = LoadSigned(p, type.bytes, type.order);
        return identity ? Value::Signed(v) : Scaled(double(v), field.scaling);
    }
    case Encoding::UnsignedInt: {
        const std::uint64_t v = LoadUnsigned(p, type.bytes, type.order);
        if (!identity)
            return Scaled(double(v), field.scaling);
        return v <= std::uint64_t(INT64_MAX) ? Value::Signed(std::int64_t(v)) : Value::Unsigned(v);
    }
    case Encoding::IeeeReal:
    case Encoding::VaxReal: {
        const double v = DecodeReal(p, type);
        return identity ? Value::Real(v) : Scaled(v, field.scaling);
    }
    case Encoding::IeeeComplex:
    case Encoding::VaxComplex: {
        const double re = DecodeReal(p, type);
        const double im = DecodeImaginary(p, type);
        if (identity)
            return Value::Complex(re, im);
        return Value::Complex(re * field.scaling.scalingFactor + field.scaling.valueOffset,
                              im * field.scaling.scalingFactor);
    }
    }
    return {};
}

Value DecodeBits(const Field& field, const unsigned char* p)
{
    // The field's bytes as one big-endian number; bit 0 is the most
    // significant bit of the first byte.
    const int firstByte = field.startBit / 8;
    const int lastByte = (field.startBit + field.bits - 1) / 8;
    unsigned __int128 joined = 0;
    for (int i = firstByte; i <= lastByte; ++i)
        joined = (joined << 8) | p[i];
    const int below = (lastByte + 1) * 8 - (field.startBit + field.bits);
    const unsigned __int128 mask = field.bits >= 128 ? ~(unsigned __int128)0 : ((unsigned __int128)1 << field.bits) - 1;
    const std::uint64_t raw = std::uint64_t((joined >> below) & mask);
    if (field.bitsSigned && field.bits < 64 && (raw >> (field.bits - 1)) & 1) {
        const std::int64_t v = std::int64_t(raw | (~std::uint64_t(0) << field.bits));
        return field.scaling.IsIdentity() ? Value::Signed(v) : Scaled(double(v), field.scaling);
    }
    if (field.bitsSigned && field.bits == 64)
        return field.scaling.IsIdentity() ? Value::Signed(std::int64_t(raw))
                                          : Scaled(double(std::int64_t(raw)), field.scaling);
    if (!field.scaling.IsIdentity())
        return Scaled(double(raw), field.scaling);
    return raw <= std::uint64_t(INT64_MAX) ? Value::Signed(std::int64_t(raw)) : Value::Unsigned(raw);
}

}  // namespace

TableReader::TableReader(TableObject table, std::shared_ptr<const DataFile> file)
    : m_table(std::move(table)), m_file(std::move(file))
{
    const ByteSpan span = TableSpan(m_table);
    if (m_table.format == TableFormat::Delimited) {
        IndexRecords();
        return;
    }
    m_rows = m_table.rows;
    if (span.end > m_file->size()) {
        m_problem = ShortFileMessage(m_file->path(), m_table.name, span.end, m_file->size());
        m_rows = m_file->size() <= m_table.offset ? 0 : (m_file->size() - m_table.offset) / m_table.recordBytes;
    }
}

TableReader TableReader::Open(const TableObject& table) { return TableReader(table, DataFile::Open(table.dataFile)); }

void TableReader::IndexRecords()
{
    // Records end with LF or CR LF (a lone CR too); an empty line at the
    // end of the file is no record.
    const std::string_view all = m_file->Bytes(m_table.offset, m_file->size() - m_table.offset);
    const std::int64_t wanted = m_table.rows > 0 ? m_table.rows : std::numeric_limits<std::int64_t>::max();
    std::size_t at = 0;
    while (at < all.size() && std::int64_t(m_recordStarts.size()) < wanted) {
        std::size_t end = at;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        std::size_t next = end;
        if (next < all.size() && all[next] == '\r')
            ++next;
        if (next < all.size() && all[next] == '\n')
            ++next;
        if (end == at && next >= all.size())
            break;  // the empty last line
        m_recordStarts.push_back(m_table.offset + std::int64_t(at));
        at = next;
    }
    m_recordStarts.push_back(m_table.offset + std::int64_t(at));
    m_rows = std::int64_t(m_recordStarts.size()) - 1;
    if (m_table.rows > 0 && m_rows < m_table.rows)
        m_problem = m_file->path() + QStringLiteral(": ") +
                    (m_table.name.isEmpty() ? QStringLiteral("the unnamed table")
                                            : QStringLiteral("table ") + m_table.name) +
                    QStringLiteral(" has %1 rows by its label but the file holds %2").arg(m_table.rows).arg(m_rows);
}

std::string_view TableReader::Record(std::int64_t row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    if (m_table.format != TableFormat::Delimited)
        return m_file->Bytes(m_table.offset + row * m_table.recordBytes, m_table.recordBytes);
    const std::int64_t start = m_recordStarts[std::size_t(row)];
    std::string_view record = m_file->Bytes(start, m_recordStarts[std::size_t(row) + 1] - start);
    while (!record.empty() && (record.back() == '\n' || record.back() == '\r'))
        record.remove_suffix(1);
    return record;
}

Value TableReader::DecodeField(const Field& field, std::string_view record, std::int64_t prefixBytes,
                               bool characterRecord)
{
    const std::int64_t start = prefixBytes + field.startByte;
    if (start < 0 || field.bytes <= 0 || start + field.bytes > std::int64_t(record.size()))
        return {};
    const auto* p = reinterpret_cast<const unsigned char*>(record.data() + start);
    if (characterRecord)
        return DecodeText(field, std::string_view(record.data() + start, std::size_t(field.bytes)));
    switch (field.kind) {
    case FieldKind::Binary:
        return DecodeBinary(field, p);
    case FieldKind::BitField:
        return DecodeBits(field, p);
    default:
        return DecodeText(field, std::string_view(record.data() + start, std::size_t(field.bytes)));
    }
}

Value TableReader::DecodeDelimited(const Field& field, std::string_view text) { return DecodeText(field, text); }

void TableReader::SplitDelimited(std::string_view record, char delimiter, char quote, std::vector<std::string>& parts)
{
    parts.clear();
    std::size_t at = 0;
    while (true) {
        std::string part;
        while (at < record.size() && (record[at] == ' ' || record[at] == '\t') && record[at] != delimiter)
            ++at;
        if (at < record.size() && record[at] == quote) {
            ++at;
            while (at < record.size()) {
                if (record[at] == quote) {
                    if (at + 1 < record.size() && record[at + 1] == quote) {
                        part += quote;
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                part += record[at++];
            }
            while (at < record.size() && record[at] != delimiter)
                ++at;  // blanks after the closing quote
        } else {
            const std::size_t end = std::min(record.find(delimiter, at), record.size());
            part.assign(Trimmed(record.substr(at, end - at)));
            at = end;
        }
        parts.push_back(std::move(part));
        if (at >= record.size())
            return;
        ++at;  // the delimiter
    }
}

void TableReader::ReadRow(std::int64_t row, std::vector<Value>& values) const
{
    values.resize(m_table.fields.size());
    const std::string_view record = Record(row);
    if (m_table.format != TableFormat::Delimited) {
        const bool character = m_table.format == TableFormat::Character;
        for (std::size_t i = 0; i < m_table.fields.size(); ++i)
            values[i] = DecodeField(m_table.fields[i], record, m_table.rowPrefixBytes, character);
        return;
    }
    thread_local std::vector<std::string> parts;
    SplitDelimited(record, char(m_table.delimiter.unicode()), char(m_table.quote.unicode()), parts);
    for (std::size_t i = 0; i < m_table.fields.size(); ++i) {
        const Field& field = m_table.fields[i];
        const std::size_t index = field.delimitedIndex >= 0 ? std::size_t(field.delimitedIndex) : i;
        values[i] = index < parts.size() ? DecodeDelimited(field, parts[index]) : Value();
    }
}

Value TableReader::Cell(std::int64_t row, std::size_t field) const
{
    if (field >= m_table.fields.size())
        return {};
    if (m_table.format != TableFormat::Delimited)
        return DecodeField(m_table.fields[field], Record(row), m_table.rowPrefixBytes,
                           m_table.format == TableFormat::Character);
    std::vector<Value> values;
    ReadRow(row, values);
    return std::move(values[field]);
}

}  // namespace product
