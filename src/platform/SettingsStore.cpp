#include "platform/SettingsStore.h"

#include "platform/HostNames.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <limits>

namespace platform {

namespace {

constexpr QLatin1String kSoftware("Software");
// The key's default value in the settings file.
constexpr QLatin1String kDefaultValueName(".");

// Levels of the tree.
constexpr qsizetype kCompanyLevel = 2;
constexpr qsizetype kApplicationLevel = 3;

bool Same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QStringList SortedByKeyOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QString upperA = a.toUpper();
        const QString upperB = b.toUpper();
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

QString ConfigHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); }

// The entry of dir that is name, exactly if there is one, else without
// regard to case; name itself when nothing matches.
QString MatchEntry(const QString& dir, const QString& name)
{
    if (QFileInfo::exists(dir + u'/' + name))
        return name;
    const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                    QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (Same(entry, name))
            return entry;
    }
    return name;
}

bool LinkExists(const QString& path)
{
    struct stat st {};
    return ::lstat(ToHostName(path).constData(), &st) == 0;
}

// Enters the groups of names (from the application level down) in
// settings, matching existing groups without regard to case, and notes
// their stored names in entered. False when a group is missing and create
// is false.
bool EnterGroups(QSettings& settings, const QStringList& names, bool create, QStringList& entered)
{
    for (qsizetype i = kApplicationLevel; i < names.size(); ++i) {
        QString name = names[i];
        bool found = false;
        for (const QString& group : settings.childGroups()) {
            if (Same(group, name)) {
                name = group;
                found = true;
                break;
            }
        }
        if (!found && !create)
            return false;
        settings.beginGroup(name);
        entered.append(name);
    }
    return true;
}

// The stored spelling of a value name in the key's group, or the name
// itself when there is no such value yet.
QString StoredValueName(const QSettings& settings, const QString& valueName)
{
    const QString name = valueName.isEmpty() ? QString(kDefaultValueName) : valueName;
    if (settings.contains(name))
        return name;
    for (const QString& stored : settings.childKeys()) {
        if (Same(stored, name))
            return stored;
    }
    return name;
}

bool ValidValueName(const QString& valueName) { return !valueName.contains(u'/') && !valueName.contains(u'\\'); }

// ---- saving the settings file --------------------------------------------
//
// The file is replaced whole, under its lock, by one that QSettings wrote in
// a folder of this process's own beside it, so that every trace of an
// interrupted save (the lock, the folder with its files) has a name the next
// save knows and removes, and the file itself is always either the old one
// or the new one.

constexpr int kLockWaitMs = 1000;
constexpr QLatin1String kSavingFolder(".saving.");

// An empty lock file was left by a writer that died between making it and
// writing its process id into it; a lock whose owner is gone is found
// stale by QLockFile itself. Both are taken over at once. A lock held by a
// live writer is waited for up to kLockWaitMs, and anything else at the
// lock's place (a folder) makes the save give up.
void RemoveIfEmpty(const QString& path)
{
    struct stat st {};
    if (::lstat(ToHostName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
        ::unlink(ToHostName(path).constData());
}

bool TakeLock(QLockFile& lock, const QString& lockPath)
{
    // QLockFile removes a stale lock under a second lock of that name.
    RemoveIfEmpty(lockPath);
    RemoveIfEmpty(lockPath + QStringLiteral(".rmlock"));
    return lock.tryLock(kLockWaitMs);
}

bool ProcessAlive(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

// What interrupted saves left beside file: the saving folders of processes
// that are gone, and the lock QLockFile takes while it removes a stale
// lock, when it is empty or its owner is gone. Called with the lock held.
void RemoveLeftovers(const QString& file)
{
    const QFileInfo info(file);
    QDir dir = info.dir();
    const QString prefix = info.fileName() + kSavingFolder;
    for (const QString& name : dir.entryList({prefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).toLongLong(&ok);
        if (ok && (pid == QCoreApplication::applicationPid() || !ProcessAlive(pid)))
            QDir(dir.filePath(name)).removeRecursively();
    }
    const QString removing = file + QStringLiteral(".lock.rmlock");
    if (QFileInfo::exists(removing)) {
        QLockFile stale(removing);
        if (TakeLock(stale, removing))
            stale.unlock();  // removes it
    }
}

}  // namespace

SettingsStore::SettingsStore() = default;
SettingsStore::~SettingsStore() = default;

bool SettingsStore::Open(const QStringList& names, bool create)
{
    m_names = names;
    if (names.isEmpty())
        return true;
    if (!Same(names[0], kSoftware))
        return false;
    for (const QString& name : names) {
        if (name.contains(u'/'))
            return false;
    }
    if (names.size() < kCompanyLevel)
        return true;

    const QString home = ConfigHome();
    const QString companyDir = home + u'/' + MatchEntry(home, names[1]);
    if (!QFileInfo(companyDir).isDir() && (!create || !QDir().mkpath(companyDir)))
        return false;
    if (names.size() < kApplicationLevel)
        return true;

    const QString file = companyDir + u'/' + MatchEntry(companyDir, names[2] + QStringLiteral(".conf"));
    // Only a regular file that can be read is a settings file. Anything
    // else at its place is left alone: nothing is written over it.
    if (LinkExists(file) ? !IsReadableRegularFile(file) : !create)
        return false;

    // This object only reads: writes are saved by Save.
    auto settings = std::make_unique<QSettings>(file, QSettings::NativeFormat);
    QStringList groups;
    if (!EnterGroups(*settings, names, create, groups))
        return false;
    m_settings = std::move(settings);
    m_file = file;
    m_groups = groups;
    return true;
}

QStringList SettingsStore::SubKeys() const
{
    if (m_names.isEmpty())
        return {QString(kSoftware)};
    if (m_settings)
        return SortedByKeyOrder(m_settings->childGroups());
    QStringList names;
    const QString home = ConfigHome();
    if (m_names.size() == 1) {
        names = QDir(home).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    } else {
        const QString companyDir = home + u'/' + MatchEntry(home, m_names[1]);
        for (const QString& file : QDir(companyDir).entryList({QStringLiteral("*.conf")}, QDir::Files))
            names.append(file.chopped(5));
    }
    return SortedByKeyOrder(names);
}

std::optional<QString> SettingsStore::Text(const QString& valueName, bool* isList) const
{
    if (!m_settings || !ValidValueName(valueName))
        return std::nullopt;
    const QString name = StoredValueName(*m_settings, valueName);
    bool list = false;
    std::optional<QString> text;
    for (auto it = m_pending.crbegin(); it != m_pending.crend() && !text; ++it) {
        if (Same(it->first, name))
            text = it->second;
    }
    if (!text && m_settings->contains(name)) {
        const QVariant value = m_settings->value(name);
        list = value.typeId() == QMetaType::QStringList;
        text = list ? value.toStringList().join(QStringLiteral(", ")) : value.toString();
    }
    if (isList)
        *isList = list;
    return text;
}

std::optional<std::uint32_t> SettingsStore::Number(const QString& valueName) const
{
    bool isList = false;
    const std::optional<QString> text = Text(valueName, &isList);
    if (!text || isList)
        return std::nullopt;
    return ParseNumber(*text);
}

std::optional<std::uint32_t> SettingsStore::ParseNumber(const QString& text)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

bool SettingsStore::Set(const QString& valueName, const QString& text)
{
    if (!m_settings || !ValidValueName(valueName))
        return false;
    const QString name = StoredValueName(*m_settings, valueName);
    m_pending.removeIf([&](const auto& value) { return Same(value.first, name); });
    m_pending.append({name, text});
    return true;
}

// Writes the values into a copy of the file made in folder, and returns
// the copy's path; empty when that failed.
QString SettingsStore::WriteCopy(const QString& folder) const
{
    const QString copy = folder + u'/' + QFileInfo(m_file).fileName();
    if (QFileInfo::exists(m_file) && !QFile::copy(m_file, copy))
        return {};
    QSettings settings(copy, QSettings::NativeFormat);
    for (const QString& group : m_groups)
        settings.beginGroup(group);
    for (const auto& [name, text] : m_pending)
        settings.setValue(name, text);
    settings.sync();
    // A file that was partly unreadable is written whole all the same.
    return settings.status() != QSettings::AccessError ? copy : QString();
}

bool SettingsStore::Save()
{
    if (m_pending.isEmpty() || !m_settings)
        return true;
    const QString lockPath = m_file + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    if (!TakeLock(lock, lockPath))
        return false;  // the file stays as it was
    RemoveLeftovers(m_file);
    const QString folder = m_file + kSavingFolder + QString::number(QCoreApplication::applicationPid());
    bool saved = false;
    if (QDir().mkdir(folder)) {
        const QString copy = WriteCopy(folder);
        saved = !copy.isEmpty() && std::rename(ToHostName(copy).constData(), ToHostName(m_file).constData()) == 0;
        QDir(folder).removeRecursively();
    }
    m_pending.clear();
    m_settings->sync();  // reads the new file
    return saved;
}

}  // namespace platform
