#include "platform/DriveTable.h"

#include "platform/HostNames.h"

#include <QFile>
#include <QStringList>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }

// The drive number of a path that starts with a letter and a colon, else 0.
int DriveOfPath(const QString& path)
{
    if (path.size() < 2 || path[1] != u':')
        return 0;
    const char16_t letter = path[0].toUpper().unicode();
    if (letter < u'A' || letter > u'Z')
        return 0;
    return letter - u'A' + 1;
}

QString CurrentDirectory()
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return {};
    return platform::FromHostName(QByteArray(buffer));
}

QString CanonicalFolder(const QString& folder)
{
    char buffer[PATH_MAX];
    if (realpath(platform::ToHostName(folder).constData(), buffer))
        return platform::FromHostName(QByteArray(buffer));
    return folder;
}

bool IsUnder(const QString& path, const QString& folder)
{
    if (folder == u'/')
        return path.startsWith(u'/');
    return path == folder || (path.startsWith(folder) && path[folder.size()] == u'/');
}

}  // namespace

namespace platform {

QStringList MediaMountPoints()
{
    QStringList points;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return points;
    const QByteArray table = mounts.readAll();
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        // The mount table escapes blanks and the like as \ooo.
        QByteArray decoded;
        const QByteArray& raw = fields[1];
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 3 < raw.size() && raw.mid(i + 1, 3).toInt(nullptr, 8) > 0) {
                decoded.append(static_cast<char>(raw.mid(i + 1, 3).toInt(nullptr, 8)));
                i += 3;
            } else {
                decoded.append(raw[i]);
            }
        }
        const QString point = platform::FromHostName(decoded);
        if ((point.startsWith(QLatin1String("/media/")) || point.startsWith(QLatin1String("/run/media/")) ||
             point.startsWith(QLatin1String("/mnt/"))) &&
            !points.contains(point)) {
            points.append(point);
        }
    }
    return points;
}

}  // namespace platform

void DriveTable::Clear()
{
    m_folders.fill(QString());
    m_currentDirs.fill(QString());
    m_names.Clear();
    m_resolved.clear();
}

void DriveTable::SetDrive(int drive, const QString& hostFolder)
{
    if (drive < 1 || drive > kDriveCount)
        return;
    QString folder = hostFolder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    m_folders[drive] = folder;
    m_currentDirs[drive].clear();
    m_resolved.clear();
}

void DriveTable::InitFromStartDir(const QString& startDir)
{
    Clear();
    SetDrive(3, QStringLiteral("/"));
    const QString start = CanonicalFolder(startDir);
    int next = 4;
    if (!start.isEmpty() && start != u'/')
        SetDrive(next++, start);
    for (const QString& point : platform::MediaMountPoints()) {
        if (next > kDriveCount)
            break;
        if (point != start)
            SetDrive(next++, point);
    }
}

QString DriveTable::Folder(int drive) const
{
    if (drive < 1 || drive > kDriveCount)
        return {};
    return m_folders[drive];
}

int DriveTable::DriveOfHostPath(const QString& hostPath) const
{
    int best = 0;
    qsizetype bestLength = -1;
    for (int drive = 1; drive <= kDriveCount; ++drive) {
        const QString& folder = m_folders[drive];
        if (!folder.isEmpty() && IsUnder(hostPath, folder) && folder.size() > bestLength) {
            best = drive;
            bestLength = folder.size();
        }
    }
    return best;
}

int DriveTable::GetDrive() const { return DriveOfHostPath(CurrentDirectory()); }

int DriveTable::EnterHostFolder(const QString& hostFolder) const
{
    if (hostFolder.isEmpty() || chdir(platform::ToHostName(hostFolder).constData()) != 0)
        return -1;
    const QString now = CurrentDirectory();
    const int drive = DriveOfHostPath(now);
    if (drive != 0)
        m_currentDirs[drive] = now;
    return 0;
}

int DriveTable::ChDrive(int drive) const
{
    const QString folder = Folder(drive);
    if (folder.isEmpty())
        return -1;
    // Each drive keeps its own current directory, as on Windows, so that
    // leaving a drive and coming back finds the folder the program was in.
    const int current = GetDrive();
    if (current != 0)
        m_currentDirs[current] = CurrentDirectory();
    const QString remembered = m_currentDirs[drive];
    if (!remembered.isEmpty() && IsUnder(remembered, folder) && EnterHostFolder(remembered) == 0)
        return 0;
    return EnterHostFolder(folder);
}

int DriveTable::ChDir(const QString& path) const
{
    if (path.isEmpty())
        return -1;
    return EnterHostFolder(ToHostPath(path));
}

QString DriveTable::ToHostPath(const QString& path) const
{
    QString base;
    qsizetype start = 0;
    if (const int drive = DriveOfPath(path)) {
        base = Folder(drive);
        if (base.isEmpty())
            return {};
        start = 2;
    } else if (path.startsWith(u'/')) {
        return path;
    } else if (path.startsWith(u'\\')) {
        base = Folder(GetDrive());
        if (base.isEmpty())
            base = QStringLiteral("/");
    } else {
        base = CurrentDirectory();
    }

    // The components of the path, in order. A segment between two "/" that
    // holds "\" may also be one name read from disk (Linux names may hold
    // "\"): its first component notes where the segment ends.
    struct Component {
        QString text;
        qsizetype end;        // where it ends in path
        std::size_t last;     // index of the last component of its part
        qsizetype begin = 0;  // where it begins in path
    };
    std::vector<Component> components;
    bool plain = true;  // no "." or ".." among them
    std::size_t partStart = 0;
    for (qsizetype i = start; i < path.size();) {
        bool newPart = i == start;
        while (i < path.size() && IsSeparator(path[i])) {
            newPart = newPart || path[i] == u'/';
            ++i;
        }
        qsizetype end = i;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        if (end == i)
            break;
        QString text = path.mid(i, end - i);
        plain = plain && text != u'.' && text != QLatin1String("..");
        if (newPart)
            partStart = components.size();
        components.push_back({std::move(text), end, components.size(), i});
        components[partStart].last = components.size() - 1;
        i = end;
    }

    // A deep drive path starts from the translation of its folder or of
    // the path itself when one is known and still holds.
    const bool cacheable = plain && start == 2 && static_cast<int>(components.size()) >= kMinCachedDepth;
    const QString root = base;
    QString current = base;
    std::vector<Folded> folded;
    std::size_t first = 0;
    if (cacheable) {
        for (const std::size_t known : {components.size(), components.size() - 1}) {
            const auto found = m_resolved.constFind(path.left(components[known - 1].end));
            if (found != m_resolved.constEnd() && StillValid(*found)) {
                current = found->host;
                folded = found->folded;
                first = known;
                break;
            }
        }
    }

    bool matching = true;  // false once a component names nothing on disk
    for (std::size_t k = first; k < components.size(); ++k) {
        const QString& component = components[k].text;
        if (component == u'.')
            continue;
        if (component == QLatin1String("..")) {
            if (current != root) {
                current.truncate(current.lastIndexOf(u'/'));
                if (current.isEmpty())
                    current = QStringLiteral("/");
            }
            continue;
        }
        QString onDisk;
        if (matching && components[k].last > k) {
            // A name with "\" in it, when the folder holds one.
            const std::size_t last = components[k].last;
            const QString whole = path.mid(components[k].begin, components[last].end - components[k].begin);
            onDisk = m_names.Match(current, whole);
            if (!onDisk.isEmpty()) {
                if (onDisk != whole)
                    folded.push_back({current, whole, onDisk});
                k = last;
            }
        }
        if (matching && onDisk.isEmpty()) {
            onDisk = m_names.Match(current, component);
            matching = !onDisk.isEmpty();
            if (matching && onDisk != component)
                folded.push_back({current, component, onDisk});
        }
        if (!current.endsWith(u'/'))
            current += u'/';
        current += matching ? onDisk : component;
        // The folder of the path and the path itself are kept for the
        // next translation below them.
        if (cacheable && matching && k + 2 >= components.size() && k + 1 > first) {
            if (m_resolved.size() >= kMaxResolved)
                m_resolved.clear();
            m_resolved.insert(path.left(components[k].end), {current, folded});
        }
    }
    return current;
}

bool DriveTable::StillValid(const Resolved& resolved) const
{
    struct stat st {};
    if (stat(platform::ToHostName(resolved.host).constData(), &st) != 0)
        return false;
    for (const Folded& step : resolved.folded) {
        if (m_names.Match(step.hostDir, step.component) != step.onDisk)
            return false;
    }
    return true;
}

namespace platform {

int GetDrive()
{
    const DriveTable* table = DriveTable::Current();
    return table ? table->GetDrive() : 0;
}

int ChDrive(int drive)
{
    const DriveTable* table = DriveTable::Current();
    return table ? table->ChDrive(drive) : -1;
}

int ChDir(const QString& path)
{
    const DriveTable* table = DriveTable::Current();
    return table ? table->ChDir(path) : -1;
}

QString HostPath(const QString& path)
{
    const DriveTable* table = DriveTable::Current();
    if (table)
        return table->ToHostPath(path);
    return path.startsWith(u'/') ? path : QString();
}

}  // namespace platform
