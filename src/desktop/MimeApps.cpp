#include "desktop/MimeApps.h"

#include "desktop/DesktopEntry.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QSet>

namespace {

constexpr int kMaxFolderDepth = 8;

// The groups of a key file: group -> (key -> value), first value of a key kept.
using KeyFile = QHash<QString, QList<std::pair<QString, QString>>>;

KeyFile ReadKeyFile(const QString& path)
{
    KeyFile groups;
    QByteArray bytes;
    if (!platform::ReadRegularFile(path, bytes))
        return groups;
    QList<std::pair<QString, QString>>* current = nullptr;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            current = &groups[QString::fromUtf8(line.mid(1, line.size() - 2))];
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!current || equals <= 0)
            continue;
        current->append({QString::fromUtf8(line.left(equals).trimmed()),
                         QString::fromUtf8(line.mid(equals + 1).trimmed())});
    }
    return groups;
}

QStringList SplitIds(const QString& value)
{
    QStringList ids;
    for (const QString& item : value.split(u';')) {
        const QString id = item.trimmed();
        if (!id.isEmpty() && !ids.contains(id))
            ids.append(id);
    }
    return ids;
}

void AppendNew(QStringList& list, const QStringList& items)
{
    for (const QString& item : items) {
        if (!list.contains(item))
            list.append(item);
    }
}

}  // namespace

MimeApps::MimeApps(const SharedMimeInfo& mime, const QStringList& configDirs, const QStringList& dataDirs,
                   const QStringList& desktops)
    : m_mime(mime)
{
    QSet<QString> seen;
    auto addFolder = [&](const QString& path, bool holdsApps) {
        if (path.isEmpty() || seen.contains(path))
            return;
        seen.insert(path);
        Folder folder;
        folder.path = path;
        folder.holdsApps = holdsApps;
        for (const QString& desktop : desktops)
            ReadList(folder, path + u'/' + desktop.toLower() + QStringLiteral("-mimeapps.list"), false);
        ReadList(folder, path + QStringLiteral("/mimeapps.list"), false);
        if (holdsApps) {
            ReadList(folder, path + QStringLiteral("/defaults.list"), true);
            ScanApps(folder, path, QString(), 0);
        }
        m_folders.push_back(std::move(folder));
    };
    for (const QString& dir : configDirs)
        addFolder(dir, false);
    for (const QString& dir : dataDirs)
        addFolder(dir + QStringLiteral("/applications"), true);
}

void MimeApps::ReadList(Folder& folder, const QString& file, bool defaultsOnly)
{
    const KeyFile groups = ReadKeyFile(file);
    for (const auto& [type, value] : groups.value(QStringLiteral("Default Applications"))) {
        Tweaks& tweaks = folder.tweaks[m_mime.Canonical(type)];
        // The first list of the folder that names a type decides its defaults.
        if (!tweaks.hasDefaults) {
            tweaks.defaults = SplitIds(value);
            tweaks.hasDefaults = true;
        }
    }
    if (defaultsOnly)
        return;
    for (const auto& [type, value] : groups.value(QStringLiteral("Added Associations")))
        AppendNew(folder.tweaks[m_mime.Canonical(type)].added, SplitIds(value));
    for (const auto& [type, value] : groups.value(QStringLiteral("Removed Associations")))
        AppendNew(folder.tweaks[m_mime.Canonical(type)].removed, SplitIds(value));
}

void MimeApps::ScanApps(Folder& folder, const QString& dir, const QString& prefix, int depth)
{
    if (depth > kMaxFolderDepth)
        return;
    const QDir listing(dir);
    const QFileInfoList entries =
        listing.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            if (!entry.isSymLink())
                ScanApps(folder, entry.filePath(), prefix + name + u'-', depth + 1);
        } else if (name.endsWith(QLatin1String(".desktop"))) {
            const QString id = prefix + name;
            if (!folder.apps.contains(id))
                folder.apps.insert(id, entry.filePath());
        }
    }
}

const QHash<QString, QStringList>& MimeApps::MimeMap(Folder& folder)
{
    if (folder.mimeMapRead || !folder.holdsApps)
        return folder.mimeMap;
    folder.mimeMapRead = true;
    const QString cache = folder.path + QStringLiteral("/mimeinfo.cache");
    if (platform::IsReadableRegularFile(cache)) {
        const KeyFile groups = ReadKeyFile(cache);
        for (const auto& [type, value] : groups.value(QStringLiteral("MIME Cache")))
            AppendNew(folder.mimeMap[m_mime.Canonical(type)], SplitIds(value));
        return folder.mimeMap;
    }
    QStringList ids = folder.apps.keys();
    ids.sort();
    for (const QString& id : ids) {
        DesktopEntry entry;
        if (!entry.Load(folder.apps.value(id)))
            continue;
        for (const QString& type : entry.List(QStringLiteral("MimeType")))
            AppendNew(folder.mimeMap[m_mime.Canonical(type)], {id});
    }
    return folder.mimeMap;
}

bool MimeApps::Masked(std::size_t folderIndex, const QString& id) const
{
    for (std::size_t i = 0; i < folderIndex; ++i) {
        if (m_folders[i].apps.contains(id))
            return true;
    }
    return false;
}

void MimeApps::Candidates(const QString& type, QStringList& found, QStringList& blocked)
{
    for (const Folder& folder : m_folders) {
        const auto tweaks = folder.tweaks.constFind(type);
        if (tweaks != folder.tweaks.constEnd())
            AppendNew(found, tweaks->defaults);
    }
    auto usable = [&](std::size_t index, const QString& id) {
        return !Masked(index, id) && !blocked.contains(id) && !found.contains(id);
    };
    for (std::size_t index = 0; index < m_folders.size(); ++index) {
        Folder& folder = m_folders[index];
        const auto tweaks = folder.tweaks.constFind(type);
        if (tweaks != folder.tweaks.constEnd()) {
            for (const QString& id : tweaks->added) {
                if (usable(index, id))
                    found.append(id);
            }
            for (const QString& id : tweaks->removed) {
                if (usable(index, id))
                    blocked.append(id);
            }
        }
        for (const QString& id : MimeMap(folder).value(type)) {
            if (usable(index, id))
                found.append(id);
        }
    }
}

QString MimeApps::CommandOf(const QString& id)
{
    const auto known = m_commandById.constFind(id);
    if (known != m_commandById.constEnd())
        return *known;
    QString command;
    for (const Folder& folder : m_folders) {
        const auto file = folder.apps.constFind(id);
        if (file == folder.apps.constEnd())
            continue;
        // The first folder holding the id decides, hidden or not.
        DesktopEntry entry;
        if (entry.Load(*file))
            command = entry.OpenCommand();
        break;
    }
    m_commandById.insert(id, command);
    return command;
}

QString MimeApps::DefaultCommand(const QString& type)
{
    const QString canonical = m_mime.Canonical(type);
    const auto known = m_commandByType.constFind(canonical);
    if (known != m_commandByType.constEnd())
        return *known;

    QString command;
    QStringList types{canonical};
    QStringList blocked;
    for (qsizetype i = 0; i < types.size() && command.isEmpty(); ++i) {
        QStringList found;
        Candidates(types[i], found, blocked);
        for (const QString& id : found) {
            command = CommandOf(id);
            if (!command.isEmpty())
                break;
        }
        AppendNew(types, m_mime.Parents(types[i]));
    }
    m_commandByType.insert(canonical, command);
    return command;
}
