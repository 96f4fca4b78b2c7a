#include "volume/FileNames.h"

namespace volume {

QString DisplayName(const QString& name)
{
    if (name.isEmpty())
        return name;
    // Keep a whole surrogate pair as the first character.
    const qsizetype first = name.size() > 1 && name[0].isHighSurrogate() && name[1].isLowSurrogate() ? 2 : 1;
    return name.left(first) + name.mid(first).toLower();
}

QString Extension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

int FileType(bool isFolder, const QString& extension)
{
    int type = isFolder ? 1 : 0;
    if (extension == QLatin1String(".lbl"))
        type = 2;
    else if (extension == QLatin1String(".exe") || extension == QLatin1String(".com") ||
             extension == QLatin1String(".bat"))
        type = 3;
    return type;
}

QString SizeText(std::int64_t bytes)
{
    // Any positive size rounds up to at least 1.
    const std::int64_t kilobytes = bytes > 0 ? bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0) : 1;
    // Commas between groups of three digits, counted from the right; each
    // insertion moves only the digits right of it.
    QString text = QString::number(kilobytes);
    for (qsizetype at = text.size() - 3; at > 0; at -= 3)
        text.insert(at, u',');
    return text + QLatin1String("KB");
}

std::int8_t FirstByte(const QString& name)
{
    if (name.isEmpty())
        return 0;
    const char16_t c = name[0].unicode();
    unsigned byte = 0;
    if (c < 0x80)
        byte = c;
    else if (c < 0x800)
        byte = 0xC0u | (c >> 6);
    else if (c >= 0xDC80 && c <= 0xDCFF)
        byte = c - 0xDC00u;  // a raw byte of a name that is not valid UTF-8
    else if (QChar::isHighSurrogate(c) && name.size() > 1 && name[1].isLowSurrogate())
        byte = 0xF0u | (QChar::surrogateToUcs4(c, name[1].unicode()) >> 18);  // four UTF-8 bytes
    else if (QChar::isSurrogate(c))
        byte = 0xEFu;  // a stray surrogate is written as U+FFFD
    else
        byte = 0xE0u | (c >> 12);
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(byte));
}

}  // namespace volume
