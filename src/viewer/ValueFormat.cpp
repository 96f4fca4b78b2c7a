#include "viewer/ValueFormat.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace viewer {

namespace {

using product::Value;

// PDS3: optional repeat count, the letters, a width, a point and digits.
const QRegularExpression& FortranPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*\\(?\\s*\\d*\\s*(A|I|F|E|ES|EN|D|G|Z|O|B)\\s*(\\d*)(?:\\.(\\d+))?(?:E\\d+)?\\s*\\)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// PDS4: "%", flags, width, precision, conversion.
const QRegularExpression& PrintfPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*%[-+ 0#]*(\\d*)(?:\\.(\\d+))?([diuoxXfFeEgGs])\\s*$"));
    return pattern;
}

bool IsWhole(double v) { return std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9.2e18; }

}  // namespace

ValueFormat ValueFormat::Parse(const QString& format)
{
    ValueFormat result;
    if (const QRegularExpressionMatch m = FortranPattern().match(format); m.hasMatch()) {
        const QString letters = m.captured(1).toUpper();
        result.m_decimals = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
        if (letters == QLatin1String("A"))
            result.m_kind = Kind::Text;
        else if (letters == QLatin1String("I"))
            result.m_kind = Kind::Integer;
        else if (letters == QLatin1String("F"))
            result.m_kind = Kind::Fixed;
        else if (letters == QLatin1String("Z"))
            result.m_kind = Kind::Hex;
        else if (letters == QLatin1String("O"))
            result.m_kind = Kind::Octal;
        else if (letters == QLatin1String("G") || letters == QLatin1String("B"))
            result.m_kind = Kind::AsRead;
        else
            result.m_kind = Kind::Exponent;  // E, ES, EN, D
        return result;
    }
    if (const QRegularExpressionMatch m = PrintfPattern().match(format); m.hasMatch()) {
        const QChar conversion = m.captured(3).at(0);
        result.m_decimals = m.captured(2).isEmpty() ? -1 : m.captured(2).toInt();
        result.m_upperCase = conversion.isUpper();
        switch (conversion.toLower().unicode()) {
        case 'd':
        case 'i':
        case 'u':
            result.m_kind = Kind::Integer;
            break;
        case 'o':
            result.m_kind = Kind::Octal;
            break;
        case 'x':
            result.m_kind = Kind::Hex;
            break;
        case 'f':
            result.m_kind = Kind::Fixed;
            break;
        case 'e':
            result.m_kind = Kind::Exponent;
            break;
        case 's':
            result.m_kind = Kind::Text;
            break;
        default:
            result.m_kind = Kind::AsRead;
            break;
        }
    }
    return result;
}

QString ValueFormat::RawText(const Value& value)
{
    if (value.kind == Value::Kind::Text)
        return QString::fromStdString(value.text);
    std::string text;
    product::AppendValue(text, value);
    return QString::fromStdString(text);
}

QString ValueFormat::Text(const Value& value) const
{
    if (!value.IsNumber() || value.kind == Value::Kind::Complex)
        return RawText(value);
    const double real = value.ToDouble();
    switch (m_kind) {
    case Kind::AsRead:
    case Kind::Text:
        break;
    case Kind::Integer:
        if (value.kind == Value::Kind::Real && IsWhole(real))
            return QString::number(qint64(real));
        break;  // integers as read; fractions (scaled values) too
    case Kind::Fixed:
        if (std::isfinite(real))
            return QString::number(real, 'f', m_decimals < 0 ? 6 : std::min(m_decimals, 30));
        break;
    case Kind::Exponent:
        if (std::isfinite(real))
            return QString::number(real, m_upperCase ? 'E' : 'e', m_decimals < 0 ? 6 : std::min(m_decimals, 30));
        break;
    case Kind::Hex:
    case Kind::Octal: {
        const int base = m_kind == Kind::Hex ? 16 : 8;
        QString text;
        if (value.kind == Value::Kind::Unsigned)
            text = QString::number(value.natural, base);
        else if (value.kind == Value::Kind::Signed && value.integer >= 0)
            text = QString::number(quint64(value.integer), base);
        else
            break;
        return m_upperCase ? text.toUpper() : text;
    }
    }
    return RawText(value);
}

}  // namespace viewer
