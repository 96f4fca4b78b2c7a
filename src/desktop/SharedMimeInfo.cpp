#include "desktop/SharedMimeInfo.h"

#include "platform/RegularFile.h"

#include <QSet>

namespace {

bool HasWildcard(QStringView text)
{
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'[')
            return true;
    }
    return false;
}

// Lines of a small text file of the database, comments and blanks dropped.
QList<QByteArray> Lines(const QString& path)
{
    QByteArray bytes;
    QList<QByteArray> lines;
    if (!platform::ReadRegularFile(path, bytes))
        return lines;
    for (QByteArray& line : bytes.split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            lines.append(line);
    }
    return lines;
}

}  // namespace

SharedMimeInfo::SharedMimeInfo(const QStringList& dataDirs)
{
    for (const QString& dataDir : dataDirs) {
        const QString mimeDir = dataDir + QStringLiteral("/mime");
        QStringList typesWithoutGlobs;
        ReadGlobs(mimeDir, typesWithoutGlobs);
        m_blockedTypes += typesWithoutGlobs;

        for (const QByteArray& line : Lines(mimeDir + QStringLiteral("/aliases"))) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() == 2)
                m_aliases.insert(QString::fromUtf8(fields[0]).toLower(), QString::fromUtf8(fields[1]));
        }
    }
    // Parents are read once aliases are complete, so both sides are canonical.
    for (const QString& dataDir : dataDirs) {
        for (const QByteArray& line : Lines(dataDir + QStringLiteral("/mime/subclasses"))) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() != 2)
                continue;
            const QString child = Canonical(QString::fromUtf8(fields[0]));
            const QString parent = Canonical(QString::fromUtf8(fields[1]));
            QStringList& parents = m_parents[child];
            if (!parents.contains(parent))
                parents.append(parent);
        }
    }
}

void SharedMimeInfo::ReadGlobs(const QString& mimeDir, QStringList& typesWithoutGlobs)
{
    std::vector<Glob> globs;
    QList<QByteArray> lines = Lines(mimeDir + QStringLiteral("/globs2"));
    const bool weighted = !lines.isEmpty();
    if (!weighted)
        lines = Lines(mimeDir + QStringLiteral("/globs"));
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(':');
        Glob glob{50, {}, {}, false};
        QString pattern;
        if (weighted) {
            if (fields.size() < 3)
                continue;
            bool ok = false;
            glob.weight = fields[0].toInt(&ok);
            if (!ok)
                continue;
            glob.type = QString::fromUtf8(fields[1]);
            pattern = QString::fromUtf8(fields[2]);
            if (fields.size() > 3)
                glob.caseSensitive = fields[3].split(',').contains("cs");
        } else {
            if (fields.size() != 2)
                continue;
            glob.type = QString::fromUtf8(fields[0]);
            pattern = QString::fromUtf8(fields[1]);
        }
        if (pattern == QLatin1String("__NOGLOBS__")) {
            typesWithoutGlobs.append(glob.type);
            continue;
        }
        if (m_blockedTypes.contains(glob.type))
            continue;
        // Only "*<literal>" globs decide an extension's type.
        if (pattern.size() < 2 || pattern[0] != u'*' || HasWildcard(QStringView(pattern).mid(1)))
            continue;
        glob.literal = pattern.mid(1);
        globs.push_back(glob);
    }

    // Drop the flagless copy of every case-sensitive glob.
    QSet<QString> caseSensitive;
    for (const Glob& glob : globs) {
        if (glob.caseSensitive)
            caseSensitive.insert(glob.type + u'\n' + glob.literal);
    }
    for (const Glob& glob : globs) {
        if (glob.caseSensitive || !caseSensitive.contains(glob.type + u'\n' + glob.literal))
            AddGlob(glob);
    }
}

void SharedMimeInfo::AddGlob(const Glob& glob)
{
    m_bySuffix[glob.literal.toLower()].push_back(static_cast<int>(m_globs.size()));
    m_globs.push_back(glob);
}

QString SharedMimeInfo::Canonical(const QString& type) const
{
    return m_aliases.value(type.toLower(), type);
}

QStringList SharedMimeInfo::Parents(const QString& type) const { return m_parents.value(type); }

QString SharedMimeInfo::TypeForName(const QString& name) const
{
    const QString lower = name.toLower();
    int best = -1;
    for (qsizetype start = 0; start < name.size(); ++start) {
        const auto found = m_bySuffix.constFind(lower.mid(start));
        if (found == m_bySuffix.constEnd())
            continue;
        for (const int index : *found) {
            const Glob& glob = m_globs[index];
            if (glob.caseSensitive && QStringView(name).mid(start) != glob.literal)
                continue;
            if (best < 0) {
                best = index;
                continue;
            }
            const Glob& current = m_globs[best];
            if (glob.weight > current.weight ||
                (glob.weight == current.weight && glob.literal.size() > current.literal.size()) ||
                (glob.weight == current.weight && glob.literal.size() == current.literal.size() &&
                 index < best)) {
                best = index;
            }
        }
    }
    return best < 0 ? QString() : Canonical(m_globs[best].type);
}

std::vector<SharedMimeInfo::Extension> SharedMimeInfo::Extensions() const
{
    struct Spelling {
        QString name;
        int rank;  // 0 ignores case, 1 lower case, 2 other
    };
    QHash<QString, Spelling> chosen;
    QStringList order;
    for (const Glob& glob : m_globs) {
        const QString& literal = glob.literal;
        if (literal.size() < 2 || literal[0] != u'.' || literal.indexOf(u'.', 1) >= 0 ||
            literal.contains(u'/') || literal.contains(u'\\'))
            continue;
        const int rank = !glob.caseSensitive ? 0 : (literal == literal.toLower() ? 1 : 2);
        const QString key = literal.toLower();
        auto found = chosen.find(key);
        if (found == chosen.end()) {
            chosen.insert(key, {literal, rank});
            order.append(key);
        } else if (rank < found->rank) {
            *found = {literal, rank};
        }
    }
    std::vector<Extension> extensions;
    extensions.reserve(order.size());
    for (const QString& key : order) {
        const QString& name = chosen.value(key).name;
        extensions.push_back({name, TypeForName(name)});
    }
    return extensions;
}
