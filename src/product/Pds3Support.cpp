#include "product/Pds3Support.h"

#include "product/Pds3Messages.h"

#include <QDir>
#include <QFileInfo>

#include <bit>
#include <cstring>

namespace product {

std::optional<std::int64_t> Pds3MulAdd(std::int64_t a, std::int64_t b, std::int64_t c)
{
    std::int64_t product = 0;
    std::int64_t sum = 0;
    if (a < 0 || b < 0 || c < 0 || __builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum)) {
        return std::nullopt;
    }
    return sum;
}

QString FindWithoutCase(const QString& folder, const QString& name)
{
    QString current = folder;
    const QStringList parts =
        QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        return {};
    }
    for (const QString& part : parts) {
        if (part == QLatin1String(".")) {
            continue;
        }
        if (part == QLatin1String("..")) {
            current = QFileInfo(current).dir().path();
            continue;
        }
        const QDir dir(current);
        if (QFileInfo::exists(dir.filePath(part))) {
            current = dir.filePath(part);
            continue;
        }
        QString found;
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                found = dir.filePath(entry);
                break;
            }
        }
        if (found.isEmpty()) {
            return {};
        }
        current = found;
    }
    return QFileInfo(current).isFile() ? QFileInfo(current).absoluteFilePath() : QString();
}

QString FindStructureFile(const QString& labelFolder, const QString& name)
{
    QString found = FindWithoutCase(labelFolder, name);
    if (!found.isEmpty()) {
        return found;
    }
    // Volumes keep shared structure files in LABEL at their root; walk up
    // until the file turns up or the file system's root is reached.
    QDir dir(QFileInfo(labelFolder).absoluteFilePath());
    for (int level = 0; level < 32; ++level) {
        found = FindWithoutCase(dir.path(), QStringLiteral("LABEL/") + name);
        if (!found.isEmpty() || !dir.cdUp()) {
            return found;
        }
    }
    return {};
}

std::vector<SpecialConstant> SpecialConstants(const OdlBlock& block, bool (*isSpecial)(const QString& upperName),
                                              const ElementType* element)
{
    std::vector<SpecialConstant> specials;
    for (const OdlStatement& statement : block.statements) {
        const QString upper = statement.keyword.toUpper();
        if (statement.pointer || !isSpecial(upper)) {
            continue;
        }
        const OdlValue& value = statement.value;
        std::optional<double> number = value.ToReal();
        if (!number) {
            continue;  // "NULL", "N/A", a list: no numeric constant
        }
        const bool realType = element && (element->encoding == Encoding::IeeeReal) && !element->IsComplex();
        if (value.radix && realType && value.kind == OdlValue::Kind::Integer) {
            if (element->bytes == 4) {
                number = static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(value.integer)));
            } else if (element->bytes == 8) {
                number = std::bit_cast<double>(static_cast<std::uint64_t>(value.integer));
            }
        }
        specials.push_back(SpecialConstant{upper, *number});
    }
    return specials;
}

std::optional<std::int64_t> CountKeyword(const OdlBlock& block, QStringView keyword, std::int64_t fallback,
                                         const QString& object, QStringList& warnings)
{
    const OdlStatement* statement = block.Find(keyword);
    if (!statement) {
        return fallback;
    }
    const std::optional<std::int64_t> value = statement->value.ToInteger();
    if (!value || *value < 0) {
        warnings
            << pds3text::BadCount().arg(statement->line).arg(keyword.toString(), object, statement->value.ToString());
        return std::nullopt;
    }
    return value;
}

QString TextOf(const OdlBlock& block, QStringView keyword)
{
    const OdlValue* value = block.Value(keyword);
    return value ? value->ToString() : QString();
}

}  // namespace product
