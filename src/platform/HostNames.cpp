#include "platform/HostNames.h"

#include <algorithm>
#include <bit>

namespace platform {

namespace {

bool IsAscii(const QByteArray& bytes)
{
    return std::ranges::all_of(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the valid UTF-8 sequence starting at i, or 0 when the byte at i
// does not start one. Overlong forms, surrogates and values past U+10FFFF
// are invalid.
int Utf8SequenceLength(const QByteArray& bytes, qsizetype i, char32_t& code)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    // The lead byte's ones before its first zero give the length: 110xxxxx,
    // 1110xxxx or 11110xxx; its bits after that zero start the value.
    const int length = std::countl_one(lead);
    if (length < 2 || length > 4 || i + length > bytes.size())
        return 0;
    constexpr char32_t kLeast[] = {0x80, 0x800, 0x10000};  // the least value of 2, 3 and 4 bytes
    code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const unsigned char next = at(i + k);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < kLeast[length - 2] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

QString FromHostName(const QByteArray& bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = Utf8SequenceLength(bytes, i, code);
        if (length == 0) {
            out.append(QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        out.append(QChar::fromUcs4(code));
        i += length;
    }
    return out;
}

QByteArray ToHostName(const QString& name)
{
    if (std::ranges::none_of(name, [](QChar c) { return c.isSurrogate(); }))
        return name.toUtf8();
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            out.append(QString(name.mid(i, 2)).toUtf8());
            ++i;
        } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
            out.append(static_cast<char>(unit - 0xDC00));  // an escaped raw byte
        } else if (QChar::isSurrogate(unit)) {
            out.append("\xEF\xBF\xBD");  // a stray surrogate has no byte form
        } else {
            out.append(QString(QChar(unit)).toUtf8());
        }
    }
    return out;
}

}  // namespace platform
