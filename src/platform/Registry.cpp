#include "platform/Registry.h"

#include "platform/ClassesView.h"
#include "platform/HostNames.h"
#include "platform/RegularFile.h"
#include "platform/WinTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <limits>
#include <memory>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

// An open key: its place in one of the two trees, and what it needs to
// answer for it.
struct HKEY__ {
    bool machine = false;
    QStringList path;  // components below the root
    REGSAM access = 0;

    // Per-user keys at or below Software\<company>\<application>.
    std::unique_ptr<QSettings> settings;  // with the key's group entered
    QString file;                         // the settings file
    QStringList groups;                   // the groups entered, as stored
    // Values written and not yet saved, in order: the settings file is
    // written once, when the key is closed.
    QList<std::pair<QString, QString>> pending;

    // Machine keys at or below SOFTWARE\Classes.
    std::shared_ptr<ClassesView> view;
    ClassesView::Node node;
};

namespace platform {

namespace {

constexpr QLatin1String kSoftware("Software");
constexpr QLatin1String kClasses("Classes");
// The key's default value in the settings file.
constexpr QLatin1String kDefaultValueName(".");

// Levels of the per-user tree.
constexpr qsizetype kCompanyLevel = 2;
constexpr qsizetype kApplicationLevel = 3;
// Level of SOFTWARE\Classes in the machine tree.
constexpr qsizetype kClassesLevel = 2;

bool Same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool IsRoot(HKEY key) { return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE; }

QStringList SortedByRegistryOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QString upperA = a.toUpper();
        const QString upperB = b.toUpper();
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

// ---- per-user tree -------------------------------------------------------

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

// Enters the groups of path (from the application level down) in settings,
// matching existing groups without regard to case, and notes their stored
// names in entered. False when a group is missing and create is false.
bool EnterGroups(QSettings& settings, const QStringList& path, bool create, QStringList& entered)
{
    for (qsizetype i = kApplicationLevel; i < path.size(); ++i) {
        QString name = path[i];
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

LONG OpenUserKey(HKEY__& key, bool create, DWORD* disposition)
{
    const QStringList& path = key.path;
    if (disposition)
        *disposition = REG_OPENED_EXISTING_KEY;
    if (path.isEmpty())
        return ERROR_SUCCESS;
    if (!Same(path[0], kSoftware))
        return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    for (const QString& component : path) {
        if (component.contains(u'/'))
            return ERROR_INVALID_PARAMETER;
    }
    if (path.size() < kCompanyLevel)
        return ERROR_SUCCESS;

    const QString home = ConfigHome();
    const QString companyDir = home + u'/' + MatchEntry(home, path[1]);
    if (!QFileInfo(companyDir).isDir()) {
        if (!create)
            return ERROR_FILE_NOT_FOUND;
        if (!QDir().mkpath(companyDir))
            return ERROR_ACCESS_DENIED;
        if (disposition)
            *disposition = REG_CREATED_NEW_KEY;
    }
    if (path.size() < kApplicationLevel)
        return ERROR_SUCCESS;

    const QString file = companyDir + u'/' + MatchEntry(companyDir, path[2] + QStringLiteral(".conf"));
    // Only a regular file that can be read is a settings file. Anything
    // else at its place (a folder, a FIFO, a dangling link) is left alone:
    // the key cannot be opened, and nothing is written over it.
    if (LinkExists(file)) {
        if (!IsReadableRegularFile(file))
            return ERROR_ACCESS_DENIED;
    } else if (!create) {
        return ERROR_FILE_NOT_FOUND;
    } else if (disposition) {
        *disposition = REG_CREATED_NEW_KEY;
    }

    // This object only reads: writes are saved by SaveUserValues.
    auto settings = std::make_unique<QSettings>(file, QSettings::NativeFormat);
    QStringList groups;
    if (!EnterGroups(*settings, path, create, groups))
        return ERROR_FILE_NOT_FOUND;
    key.settings = std::move(settings);
    key.file = file;
    key.groups = groups;
    return ERROR_SUCCESS;
}

QStringList UserSubKeys(const HKEY__& key)
{
    const QStringList& path = key.path;
    if (path.isEmpty())
        return {QString(kSoftware)};
    if (key.settings)
        return key.settings->childGroups();
    QStringList names;
    const QString home = ConfigHome();
    if (path.size() == 1) {
        names = QDir(home).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    } else {
        const QString companyDir = home + u'/' + MatchEntry(home, path[1]);
        for (const QString& file : QDir(companyDir).entryList({QStringLiteral("*.conf")}, QDir::Files))
            names.append(file.chopped(5));
    }
    return names;
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

bool ValidValueName(const QString& valueName)
{
    return !valueName.contains(u'/') && !valueName.contains(u'\\');
}

LONG ReadUserValue(const HKEY__& key, const QString& valueName, QString& text, bool& isList)
{
    if (!key.settings)
        return ERROR_FILE_NOT_FOUND;
    if (!ValidValueName(valueName))
        return ERROR_INVALID_PARAMETER;
    const QString name = StoredValueName(*key.settings, valueName);
    for (auto it = key.pending.crbegin(); it != key.pending.crend(); ++it) {
        if (Same(it->first, name)) {
            isList = false;
            text = it->second;
            return ERROR_SUCCESS;
        }
    }
    if (!key.settings->contains(name))
        return ERROR_FILE_NOT_FOUND;
    const QVariant value = key.settings->value(name);
    // A hand-edited line "a, b" reads as a list.
    isList = value.typeId() == QMetaType::QStringList;
    text = isList ? value.toStringList().join(QStringLiteral(", ")) : value.toString();
    return ERROR_SUCCESS;
}

LONG WriteUserValue(HKEY__& key, const QString& valueName, const QString& text)
{
    if (!(key.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (!key.settings)
        return ERROR_ACCESS_DENIED;
    if (!ValidValueName(valueName))
        return ERROR_INVALID_PARAMETER;
    // Numbers are stored as text, as they come back from the file anyway.
    const QString name = StoredValueName(*key.settings, valueName);
    key.pending.removeIf([&](const auto& value) { return Same(value.first, name); });
    key.pending.append({name, text});
    return ERROR_SUCCESS;
}

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

// Writes the values into a copy of file made in folder, and returns the
// copy's path; empty when that failed.
QString WriteCopy(const HKEY__& key, const QString& folder)
{
    const QString copy = folder + u'/' + QFileInfo(key.file).fileName();
    if (QFileInfo::exists(key.file) && !QFile::copy(key.file, copy))
        return {};
    QSettings settings(copy, QSettings::NativeFormat);
    for (const QString& group : key.groups)
        settings.beginGroup(group);
    for (const auto& [name, text] : key.pending)
        settings.setValue(name, text);
    settings.sync();
    // A file that was partly unreadable is written whole all the same.
    return settings.status() != QSettings::AccessError ? copy : QString();
}

LONG SaveUserValues(HKEY__& key)
{
    if (key.pending.isEmpty() || !key.settings)
        return ERROR_SUCCESS;
    QLockFile lock(key.file + QStringLiteral(".lock"));
    if (!TakeLock(lock, key.file + QStringLiteral(".lock")))
        return ERROR_WRITE_FAULT;  // the file stays as it was
    RemoveLeftovers(key.file);
    const QString folder = key.file + kSavingFolder + QString::number(QCoreApplication::applicationPid());
    LONG status = ERROR_WRITE_FAULT;
    if (QDir().mkdir(folder)) {
        const QString copy = WriteCopy(key, folder);
        if (!copy.isEmpty() && std::rename(ToHostName(copy).constData(), ToHostName(key.file).constData()) == 0)
            status = ERROR_SUCCESS;
        QDir(folder).removeRecursively();
    }
    key.pending.clear();
    key.settings->sync();  // reads the new file
    return status;
}

// ---- machine tree --------------------------------------------------------

LONG OpenMachineKey(HKEY__& key, const HKEY__* parent, qsizetype newFrom)
{
    const QStringList& path = key.path;
    for (qsizetype i = 0; i < std::min(path.size(), kClassesLevel); ++i) {
        if (!Same(path[i], i == 0 ? QString(kSoftware) : QString(kClasses)))
            return ERROR_FILE_NOT_FOUND;
    }
    if (path.size() < kClassesLevel)
        return ERROR_SUCCESS;
    ClassesView::Node from;
    if (parent && parent->view) {
        key.view = parent->view;
        from = parent->node;
    } else {
        // The view is built once for a key opened at or below
        // SOFTWARE\Classes and shared by every key opened from it.
        key.view = std::make_shared<ClassesView>();
        newFrom = kClassesLevel;
    }
    const std::optional<ClassesView::Node> node = key.view->Find(from, path.mid(newFrom));
    if (!node)
        return ERROR_FILE_NOT_FOUND;
    key.node = *node;
    return ERROR_SUCCESS;
}

QStringList MachineSubKeysAbove(const HKEY__& key)
{
    return {key.path.isEmpty() ? QString(kSoftware).toUpper() : QString(kClasses)};
}

// ---- both ----------------------------------------------------------------

LONG OpenOrCreate(HKEY parent, const QString& subKey, REGSAM access, bool create, HKEY* result,
                  DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!parent)
        return ERROR_INVALID_HANDLE;
    auto key = std::make_unique<HKEY__>();
    const HKEY__* parentKey = IsRoot(parent) ? nullptr : parent;
    key->machine = parentKey ? parentKey->machine : parent == HKEY_LOCAL_MACHINE;
    if (parentKey)
        key->path = parentKey->path;
    const qsizetype newFrom = key->path.size();
    key->path += subKey.split(u'\\', Qt::SkipEmptyParts);
    key->access = access;

    LONG status = ERROR_SUCCESS;
    if (key->machine) {
        if (create || (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)))
            return ERROR_ACCESS_DENIED;
        status = OpenMachineKey(*key, parentKey, newFrom);
        if (disposition)
            *disposition = REG_OPENED_EXISTING_KEY;
    } else {
        status = OpenUserKey(*key, create, disposition);
    }
    if (status == ERROR_SUCCESS)
        *result = key.release();  // owned by the caller until RegCloseKey
    return status;
}

// An open key for a handle; a predefined root is opened for the call.
class KeyRef {
public:
    explicit KeyRef(HKEY key) : m_key(key)
    {
        if (key && IsRoot(key) && OpenOrCreate(key, QString(), KEY_READ, false, &m_opened, nullptr) == ERROR_SUCCESS)
            m_key = m_opened;
        else if (IsRoot(key))
            m_key = nullptr;
    }
    ~KeyRef()
    {
        if (m_opened)
            std::unique_ptr<HKEY__>(m_opened).reset();
    }
    KeyRef(const KeyRef&) = delete;
    KeyRef& operator=(const KeyRef&) = delete;
    HKEY__* get() const { return m_key; }

private:
    HKEY m_key = nullptr;
    HKEY m_opened = nullptr;
};

QStringList SubKeys(const HKEY__& key)
{
    if (!key.machine)
        return SortedByRegistryOrder(UserSubKeys(key));
    return MachineSubKeysAbove(key);
}

}  // namespace

LONG RegOpenKeyEx(HKEY parent, const QString& subKey, REGSAM access, HKEY* result)
{
    return OpenOrCreate(parent, subKey, access, false, result, nullptr);
}

LONG RegCreateKeyEx(HKEY parent, const QString& subKey, REGSAM access, HKEY* result, DWORD* disposition)
{
    return OpenOrCreate(parent, subKey, access, true, result, disposition);
}

LONG RegFlushKey(HKEY key)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (IsRoot(key) || key->machine)
        return ERROR_SUCCESS;
    return SaveUserValues(*key);
}

LONG RegCloseKey(HKEY key)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!IsRoot(key)) {
        RegFlushKey(key);
        std::unique_ptr<HKEY__>(key).reset();
    }
    return ERROR_SUCCESS;
}

LONG RegQueryInfoKey(HKEY handle, DWORD* subKeyCount)
{
    const KeyRef ref(handle);
    HKEY__* key = ref.get();
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!subKeyCount)
        return ERROR_INVALID_PARAMETER;
    if (key->view)
        *subKeyCount = static_cast<DWORD>(key->view->SubKeyCount(key->node));
    else
        *subKeyCount = static_cast<DWORD>(SubKeys(*key).size());
    return ERROR_SUCCESS;
}

LONG RegEnumKeyEx(HKEY handle, DWORD index, QString& name)
{
    name.clear();
    const KeyRef ref(handle);
    HKEY__* key = ref.get();
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (key->view) {
        name = key->view->SubKeyName(key->node, static_cast<int>(std::min<DWORD>(index, INT_MAX)));
        return name.isEmpty() ? ERROR_NO_MORE_ITEMS : ERROR_SUCCESS;
    }
    const QStringList names = SubKeys(*key);
    if (index >= static_cast<DWORD>(names.size()))
        return ERROR_NO_MORE_ITEMS;
    name = names[static_cast<qsizetype>(index)];
    return ERROR_SUCCESS;
}

LONG RegQueryStringValue(HKEY handle, const QString& valueName, QString& data)
{
    const KeyRef ref(handle);
    HKEY__* key = ref.get();
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (key->machine) {
        if (key->view && key->view->Value(key->node, valueName, data))
            return ERROR_SUCCESS;
        return ERROR_FILE_NOT_FOUND;
    }
    bool isList = false;
    QString text;
    const LONG status = ReadUserValue(*key, valueName, text, isList);
    if (status == ERROR_SUCCESS)
        data = text;
    return status;
}

LONG RegQueryDwordValue(HKEY handle, const QString& valueName, DWORD& data)
{
    const KeyRef ref(handle);
    HKEY__* key = ref.get();
    if (!key)
        return ERROR_INVALID_HANDLE;
    QString text;
    LONG status = ERROR_SUCCESS;
    if (key->machine) {
        status = RegQueryStringValue(handle, valueName, text);
    } else {
        bool isList = false;
        status = ReadUserValue(*key, valueName, text, isList);
        if (status == ERROR_SUCCESS && isList)
            return ERROR_INVALID_DATA;
    }
    if (status != ERROR_SUCCESS)
        return status;
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max())
        return ERROR_INVALID_DATA;
    data = static_cast<DWORD>(number);
    return ERROR_SUCCESS;
}

LONG RegSetStringValue(HKEY key, const QString& valueName, const QString& data)
{
    if (!key || IsRoot(key))
        return ERROR_INVALID_HANDLE;
    if (key->machine)
        return ERROR_ACCESS_DENIED;
    return WriteUserValue(*key, valueName, data);
}

LONG RegSetDwordValue(HKEY key, const QString& valueName, DWORD data)
{
    if (!key || IsRoot(key))
        return ERROR_INVALID_HANDLE;
    if (key->machine)
        return ERROR_ACCESS_DENIED;
    return WriteUserValue(*key, valueName, QString::number(data));
}

}  // namespace platform
