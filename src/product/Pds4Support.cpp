#include "product/Pds4Support.h"

#include "product/Pds4Messages.h"

#include <cmath>
#include <limits>

namespace product {

std::optional<std::int64_t> ParseLabelInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok);
    if (ok)
        return value;
    // "2048.0": a whole number written as a real.
    const double real = trimmed.toDouble(&ok);
    constexpr double kLimit = 9.2e18;  // below 2^63, exactly representable
    if (ok && std::isfinite(real) && real == std::floor(real) && std::fabs(real) < kLimit)
        return static_cast<std::int64_t>(real);
    return std::nullopt;
}

std::optional<double> ParseLabelReal(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (ok)
        return value;
    // base#digits#, optionally signed, as PDS labels write radix numbers.
    const int first = trimmed.indexOf(QLatin1Char('#'));
    if (first > 0 && trimmed.endsWith(QLatin1Char('#')) && trimmed.size() > first + 2) {
        QString basePart = trimmed.left(first);
        bool negative = false;
        if (basePart.startsWith(QLatin1Char('-')) || basePart.startsWith(QLatin1Char('+'))) {
            negative = basePart.startsWith(QLatin1Char('-'));
            basePart.remove(0, 1);
        }
        const int base = basePart.toInt(&ok);
        if (ok && base >= 2 && base <= 16) {
            const qulonglong digits = trimmed.mid(first + 1, trimmed.size() - first - 2).toULongLong(&ok, base);
            if (ok)
                return negative ? -static_cast<double>(digits) : static_cast<double>(digits);
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> CheckedAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result))
        return std::nullopt;
    return result;
}

std::optional<std::int64_t> CheckedMultiply(std::int64_t a, std::int64_t b)
{
    std::int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result))
        return std::nullopt;
    return result;
}

QString Pds4Title(const XmlElement& element)
{
    const QString name = element.ChildText(u"name");
    return name.isEmpty() ? element.ChildText(u"local_identifier") : name;
}

std::vector<SpecialConstant> ReadSpecialConstants(const XmlElement& owner, Pds4ObjectWarnings& warnings)
{
    std::vector<SpecialConstant> specials;
    const XmlElement* constants = owner.Child(u"Special_Constants");
    if (!constants)
        return specials;
    for (const XmlElement& child : constants->children) {
        if (child.name == u"valid_minimum" || child.name == u"valid_maximum")
            continue;
        if (const std::optional<double> value = ParseLabelReal(child.text))
            specials.push_back(SpecialConstant{child.name, *value});
        else
            warnings.Note(pds4text::BadSpecialConstant().arg(child.name, child.text));
    }
    return specials;
}

std::optional<Scaling> ReadScaling(const XmlElement& owner, Pds4ObjectWarnings& warnings)
{
    Scaling scaling;
    for (const auto& [name, target] :
         {std::pair{u"scaling_factor", &scaling.scalingFactor}, std::pair{u"value_offset", &scaling.valueOffset}}) {
        const XmlElement* child = owner.Child(name);
        if (!child)
            continue;
        const std::optional<double> value = ParseLabelReal(child->text);
        if (!value || !std::isfinite(*value)) {
            warnings.LeftOut(pds4text::BadNumber().arg(child->name, child->text));
            return std::nullopt;
        }
        *target = *value;
    }
    return scaling;
}

std::optional<std::int64_t> RequiredCount(const XmlElement& owner, QStringView child, std::int64_t least,
                                          std::int64_t most, Pds4ObjectWarnings& warnings)
{
    const XmlElement* element = owner.Child(child);
    if (!element) {
        warnings.LeftOut(pds4text::MissingValue().arg(child));
        return std::nullopt;
    }
    const std::optional<std::int64_t> value = ParseLabelInteger(element->text);
    if (!value || *value < least || *value > most) {
        warnings.LeftOut(
            pds4text::BadCount().arg(child.toString(), element->text, QString::number(least), QString::number(most)));
        return std::nullopt;
    }
    return value;
}

}  // namespace product
