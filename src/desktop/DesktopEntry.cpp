#include "desktop/DesktopEntry.h"

#include "platform/HostNames.h"
#include "platform/RegularFile.h"

#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kMaxEntrySize = 1024 * 1024;

// Undoes the escapes of a desktop entry string value.
QString Unescape(const QString& raw)
{
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\' || i + 1 == raw.size()) {
            text += raw[i];
            continue;
        }
        const QChar next = raw[++i];
        switch (next.unicode()) {
        case u's': text += u' '; break;
        case u'n': text += u'\n'; break;
        case u't': text += u'\t'; break;
        case u'r': text += u'\r'; break;
        case u'\\': text += u'\\'; break;
        default:
            text += u'\\';
            text += next;
        }
    }
    return text;
}

bool IsExecutableFile(const QString& path)
{
    struct stat st {};
    const QByteArray host = platform::ToHostName(path);
    return ::stat(host.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(host.constData(), X_OK) == 0;
}

}  // namespace

bool DesktopEntry::Load(const QString& hostPath)
{
    QByteArray bytes;
    if (!platform::ReadRegularFile(hostPath, bytes, kMaxEntrySize))
        return false;
    return Parse(bytes, hostPath);
}

bool DesktopEntry::Parse(const QByteArray& text, const QString& path)
{
    m_path = path;
    m_values.clear();
    bool found = false;
    bool inEntry = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            found = found || inEntry;
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = QString::fromUtf8(line.left(equals).trimmed());
        // Later lines replace earlier ones, as the desktop's key-file reader does.
        m_values.insert(key, QString::fromUtf8(line.mid(equals + 1).trimmed()));
    }
    return found;
}

QString DesktopEntry::Value(const QString& key) const { return Unescape(m_values.value(key)); }

bool DesktopEntry::Flag(const QString& key) const
{
    const QString value = m_values.value(key).trimmed();
    return value == QLatin1String("true") || value == QLatin1String("1");
}

QStringList DesktopEntry::List(const QString& key) const
{
    QStringList items;
    for (const QString& item : m_values.value(key).split(u';')) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items.append(trimmed);
    }
    return items;
}

bool DesktopEntry::SplitExec(const QString& exec, QStringList& arguments)
{
    arguments.clear();
    QString current;
    bool inArgument = false;
    qsizetype i = 0;
    while (i < exec.size()) {
        const QChar c = exec[i];
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == u'"') {
            // Inside double quotes a backslash escapes " ` $ and itself.
            ++i;
            for (;;) {
                if (i >= exec.size())
                    return false;
                const QChar q = exec[i];
                if (q == u'"')
                    break;
                if (q == u'\\' && i + 1 < exec.size() &&
                    (exec[i + 1] == u'"' || exec[i + 1] == u'`' || exec[i + 1] == u'$' || exec[i + 1] == u'\\')) {
                    current += exec[i + 1];
                    i += 2;
                    continue;
                }
                current += q;
                ++i;
            }
            ++i;
        } else if (c == u'\'') {
            const qsizetype close = exec.indexOf(u'\'', i + 1);
            if (close < 0)
                return false;
            current += exec.mid(i + 1, close - i - 1);
            i = close + 1;
        } else if (c == u'\\') {
            if (i + 1 >= exec.size())
                return false;
            current += exec[i + 1];
            i += 2;
        } else {
            current += c;
            ++i;
        }
    }
    if (inArgument)
        arguments.append(current);
    return true;
}

namespace {

// Where the file goes, in an expanded argument. A noncharacter, so that no
// text of the entry can stand for it (such a character in the entry is
// dropped).
constexpr QChar kFileMark(0xFDD0);

// Whether the helper launch would take the text at i for a place-holder or
// a marker ("%0", "%1", "%*", "-DDE"): a literal one is then written so
// that the launch does not see it, while the splitter still gives it back.
bool LooksLikeMarker(const QString& text, qsizetype i)
{
    if (text[i] == u'%')
        return i + 1 < text.size() && (text[i + 1] == u'0' || text[i + 1] == u'1' || text[i + 1] == u'*');
    return text[i] == u'-' && QStringView(text).mid(i, 4) == QLatin1String("-DDE");
}

}  // namespace

bool DesktopEntry::ExpandFieldCodes(const QStringList& arguments, QStringList& expanded) const
{
    expanded.clear();
    bool fileUsed = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("%i")) {
            const QString icon = Value(QStringLiteral("Icon"));
            if (!icon.isEmpty())
                expanded << QStringLiteral("--icon") << icon;
            continue;
        }
        QString text;
        bool onlyCodes = !argument.isEmpty();
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != u'%') {
                if (argument[i] != kFileMark)
                    text += argument[i];
                onlyCodes = false;
                continue;
            }
            if (++i == argument.size())
                return false;
            switch (argument[i].unicode()) {
            case u'f': case u'F': case u'u': case u'U':
                // The first file code takes the file; the desktop passes
                // nothing to any later one.
                if (!fileUsed)
                    text += kFileMark;
                fileUsed = true;
                break;
            case u'%':
                text += u'%';
                onlyCodes = false;
                break;
            case u'c':
                text += QString(Value(QStringLiteral("Name"))).remove(kFileMark);
                break;
            case u'k':
                text += m_path;
                break;
            case u'i':  // only meaningful as an argument of its own
            case u'd': case u'D': case u'n': case u'N': case u'v': case u'm':
                break;
            default:
                return false;
            }
        }
        // An argument made only of codes that stand for nothing disappears.
        if (!(onlyCodes && text.isEmpty()))
            expanded.append(text);
    }
    return true;
}

QString DesktopEntry::QuoteArgument(const QString& argument)
{
    return QuoteText(argument == QLatin1String("%1") ? QString(kFileMark) : argument);
}

QString DesktopEntry::QuoteText(const QString& text)
{
    if (text == kFileMark)
        return QStringLiteral("\"%1\"");
    bool needsQuotes = text.isEmpty();
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'"')
            needsQuotes = true;
    }
    QString quoted = needsQuotes ? QStringLiteral("\"") : QString();
    qsizetype backslashes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            quoted += QString(backslashes * 2 + 1, u'\\');
            quoted += u'"';
        } else if (c == kFileMark) {
            quoted += QString(backslashes, u'\\');
            quoted += QStringLiteral("%1");
        } else if (LooksLikeMarker(text, i)) {
            // Unquoted, an empty quoted part follows the first character
            // ("%""1"); quoted, that character stands outside the quotes
            // ("..."%"1..."). Either way the splitter joins the pieces.
            if (needsQuotes) {
                quoted += QString(backslashes * 2, u'\\');
                quoted += u'"';
                quoted += c;
                quoted += u'"';
            } else {
                quoted += QString(backslashes, u'\\');
                quoted += c;
                quoted += QStringLiteral("\"\"");
            }
        } else {
            quoted += QString(backslashes, u'\\');
            quoted += c;
        }
        backslashes = 0;
    }
    if (needsQuotes) {
        quoted += QString(backslashes * 2, u'\\');
        quoted += u'"';
    } else {
        quoted += QString(backslashes, u'\\');
    }
    return quoted;
}

QString DesktopEntry::FindProgram(const QString& program)
{
    if (program.isEmpty())
        return {};
    if (program.contains(u'/'))
        return program.startsWith(u'/') && IsExecutableFile(program) ? program : QString();
    return QStandardPaths::findExecutable(program);
}

QString DesktopEntry::OpenCommand() const
{
    if (Value(QStringLiteral("Type")) != QLatin1String("Application") || Flag(QStringLiteral("Hidden")))
        return {};
    const QString tryExec = Value(QStringLiteral("TryExec"));
    if (!tryExec.isEmpty() && FindProgram(tryExec).isEmpty())
        return {};
    QStringList split;
    QStringList arguments;
    if (!SplitExec(Value(QStringLiteral("Exec")), split) || !ExpandFieldCodes(split, arguments) ||
        arguments.isEmpty())
        return {};
    const QString program = FindProgram(arguments.first());
    if (program.isEmpty())
        return {};
    arguments.first() = program;
    if (Flag(QStringLiteral("Terminal"))) {
        const QString terminal = FindProgram(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty())
            return {};
        arguments.prepend(QStringLiteral("-e"));
        arguments.prepend(terminal);
    }
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString& argument : arguments)
        quoted.append(QuoteText(argument));
    return quoted.join(u' ');
}
