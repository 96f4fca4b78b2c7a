#include "product/OdlLabel.h"

#include <cmath>

namespace product {

namespace {

// A number written as text: decimal integers and reals, radix integers.
// Words such as "NaN" or "INF" are not numbers of a label.
std::optional<double> ParseNumberText(const QString& raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const int hash = text.indexOf(QLatin1Char('#'));
    if (hash > 0 && text.endsWith(QLatin1Char('#'))) {
        QString baseText = text.left(hash);
        bool negative = false;
        if (baseText.startsWith(QLatin1Char('-')) || baseText.startsWith(QLatin1Char('+'))) {
            negative = baseText.startsWith(QLatin1Char('-'));
            baseText.remove(0, 1);
        }
        bool ok = false;
        const int base = baseText.toInt(&ok);
        if (!ok || base < 2 || base > 16) {
            return std::nullopt;
        }
        const qulonglong digits = text.mid(hash + 1, text.size() - hash - 2).toULongLong(&ok, base);
        if (!ok) {
            return std::nullopt;
        }
        const double value = static_cast<double>(digits);
        return negative ? -value : value;
    }
    for (const QChar c : text) {
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+') ||
              c == QLatin1Char('e') || c == QLatin1Char('E'))) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool SameKeyword(const QString& a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

std::optional<std::int64_t> OdlValue::ToInteger() const
{
    if (kind == Kind::Integer) {
        return integer;
    }
    const std::optional<double> number = ToReal();
    // 2^63 is the first double past the int64 range.
    if (!number || std::floor(*number) != *number || std::fabs(*number) >= 9223372036854775808.0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(*number);
}

std::optional<double> OdlValue::ToReal() const
{
    switch (kind) {
    case Kind::Integer:
    case Kind::Real:
        return real;
    case Kind::Text:
    case Kind::Symbol:
    case Kind::Identifier:
        return ParseNumberText(text);
    default:
        return std::nullopt;
    }
}

QString OdlValue::ToString() const
{
    if (!IsList()) {
        return text;
    }
    QStringList parts;
    for (const OdlValue& item : items) {
        parts << item.ToString();
    }
    const bool sequence = kind == Kind::Sequence;
    return (sequence ? QStringLiteral("(") : QStringLiteral("{")) + parts.join(QStringLiteral(", ")) +
           (sequence ? QStringLiteral(")") : QStringLiteral("}"));
}

const OdlStatement* OdlBlock::Find(QStringView keyword) const
{
    for (const OdlStatement& statement : statements) {
        if (!statement.pointer && SameKeyword(statement.keyword, keyword)) {
            return &statement;
        }
    }
    return nullptr;
}

const OdlValue* OdlBlock::Value(QStringView keyword) const
{
    const OdlStatement* statement = Find(keyword);
    return statement ? &statement->value : nullptr;
}

const OdlStatement* OdlBlock::FindPointer(QStringView name) const
{
    for (const OdlStatement& statement : statements) {
        if (statement.pointer && SameKeyword(statement.keyword, name)) {
            return &statement;
        }
    }
    return nullptr;
}

}  // namespace product
