#include "platform/ProfileFile.h"

#include "platform/RegularFile.h"

#include <QStringDecoder>

namespace {

QString Decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

QStringView Trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// At most chars characters of text, never ending inside a surrogate pair.
QString Cut(const QString& text, qsizetype chars)
{
    if (chars <= 0)
        return {};
    if (text.size() <= chars)
        return text;
    if (text[chars - 1].isHighSurrogate())
        --chars;
    return text.left(chars);
}

}  // namespace

bool ProfileFile::Load(const QString& hostPath)
{
    m_sections.clear();
    QByteArray bytes;
    if (!platform::ReadRegularFile(hostPath, bytes))
        return false;
    Parse(bytes);
    return true;
}

void ProfileFile::Parse(const QByteArray& bytes)
{
    m_sections.clear();
    QString text = Decode(bytes);
    // Files copied from old DOS and Windows volumes may end with the old
    // end-of-file mark (^Z, 0x1A), or a run of them padding the last
    // record: the text ends before it.
    while (text.endsWith(QChar(0x1A)))
        text.chop(1);
    Section* current = nullptr;  // keys before the first section belong nowhere
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = Trimmed(QStringView(text).mid(pos, end - pos));
        // LF, CR LF and CR alone each end one line.
        pos = end;
        if (pos < text.size() && text[pos] == u'\r')
            ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;

        if (line.isEmpty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            const qsizetype close = line.lastIndexOf(u']');
            if (close > 0) {
                m_sections.push_back({line.mid(1, close - 1).toString(), {}});
                current = &m_sections.back();
                continue;
            }
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || !current)
            continue;
        current->keys.push_back({Trimmed(line.left(equals)).toString(), Trimmed(line.mid(equals + 1)).toString()});
    }
}

QStringList ProfileFile::SectionNames(int bufferChars) const
{
    QStringList names;
    qsizetype used = 1;  // the empty name that ends the list
    for (const Section& section : m_sections) {
        if (section.name.isEmpty())
            continue;
        used += section.name.size() + 1;
        if (used > bufferChars)
            break;
        names.append(section.name);
    }
    return names;
}

QString ProfileFile::String(const QString& section, const QString& key, const QString& defaultValue,
                            int bufferChars) const
{
    for (const Section& candidate : m_sections) {
        if (!SameName(candidate.name, section))
            continue;
        for (const Key& entry : candidate.keys) {
            if (!SameName(entry.name, key))
                continue;
            QString value = entry.value;
            if (value.size() > 1 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
                value = value.mid(1, value.size() - 2);
            return Cut(value, bufferChars - 1);
        }
        break;  // only the first section of that name counts
    }
    return Cut(defaultValue, bufferChars - 1);
}
