#include "platform/HostNames.h"

namespace platform {

namespace {

bool IsAscii(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Length of the valid UTF-8 sequence starting at i, or 0 when the byte at i
// does not start one. Overlong forms, surrogates and values past U+10FFFF
// are invalid.
int Utf8SequenceLength(const QByteArray& bytes, qsizetype i, char32_t& code)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = at(i + k);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
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
        if (code >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(code)));
            out.append(QChar(QChar::lowSurrogate(code)));
        } else {
            out.append(QChar(char16_t(code)));
        }
        i += length;
    }
    return out;
}

QByteArray ToHostName(const QString& name)
{
    bool hasSurrogates = false;
    for (const QChar c : name) {
        if (c.isSurrogate()) {
            hasSurrogates = true;
            break;
        }
    }
    if (!hasSurrogates)
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
