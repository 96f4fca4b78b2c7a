#include "product/CsvExport.h"

#include <QSaveFile>

namespace product {

namespace {

constexpr std::size_t kFlushBytes = std::size_t(1) << 20;

// Collects the text and writes it in large pieces; Commit() puts the file
// in place, so a failure leaves nothing behind.
class CsvFile {
public:
    explicit CsvFile(const QString& path) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly))
            Fail();
        m_buffer.reserve(kFlushBytes + 4096);
    }
    std::string& buffer() { return m_buffer; }
    void MaybeFlush()
    {
        if (m_buffer.size() >= kFlushBytes)
            Flush();
    }
    void Commit()
    {
        Flush();
        if (!m_file.commit())
            Fail();
    }

private:
    void Flush()
    {
        if (!m_buffer.empty() && m_file.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size()))
            Fail();
        m_buffer.clear();
    }
    [[noreturn]] void Fail()
    {
        const QString message = m_file.fileName() + QStringLiteral(": ") + m_file.errorString();
        m_file.cancelWriting();
        throw Error{message};
    }

    QSaveFile m_file;
    std::string m_buffer;
};

bool NeedsQuotes(std::string_view cell) { return cell.find_first_of(",\"\r\n") != std::string_view::npos; }

}  // namespace

void AppendCsvCell(std::string& out, std::string_view cell)
{
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void WriteTableCsv(const TableReader& table, const QString& path)
{
    CsvFile file(path);
    std::string& out = file.buffer();
    const std::vector<Field>& fields = table.table().fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        AppendCsvCell(out, fields[i].name.toStdString());
    }
    out += '\n';
    std::vector<Value> values;
    std::string text;
    for (std::int64_t row = 0; row < table.rows(); ++row) {
        table.ReadRow(row, values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i)
                out += ',';
            if (values[i].kind == Value::Kind::Text) {
                AppendCsvCell(out, values[i].text);
            } else {
                AppendValue(out, values[i]);
            }
        }
        out += '\n';
        file.MaybeFlush();
    }
    file.Commit();
}

void WriteArrayCsv(const ArrayReader& array, const QString& path)
{
    const ArrayObject& object = array.array();
    if (object.axes.size() != 1)
        throw Error{object.dataFile + QStringLiteral(": %1 has %2 axes; only a 1-D array is written as CSV")
                                          .arg(object.name)
                                          .arg(object.axes.size())};
    // Each element is decoded as a binary table field would be: integers
    // exactly, scaling applied.
    Field field;
    field.kind = FieldKind::Binary;
    field.element = object.element;
    field.bytes = object.element.bytes;
    field.scaling = object.scaling;
    CsvFile file(path);
    std::string& out = file.buffer();
    AppendCsvCell(out, (object.name.isEmpty() ? QStringLiteral("value") : object.name).toStdString());
    out += '\n';
    const Axis& axis = object.axes[0];
    for (std::int64_t i = 0; i < axis.elements; ++i) {
        const std::string_view bytes = array.file().Bytes(object.offset + i * axis.strideBytes, field.bytes);
        AppendValue(out, TableReader::DecodeField(field, bytes, 0));
        out += '\n';
        file.MaybeFlush();
    }
    file.Commit();
}

}  // namespace product
