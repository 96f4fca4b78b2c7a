#pragma once
// The per-user settings store and the names of keys.
//
// The store is the file <company>/<application>.conf in the user's
// configuration folder ($XDG_CONFIG_HOME), kept by QSettings in its native
// format, seen as a tree of keys: "Software" and "Software\<company>" are
// plain containers (the configuration folder's subfolders and the company
// folder's settings files), "Software\<company>\<application>" is the file
// and deeper keys are groups in it. Values are text; numbers are stored as
// text. Names of keys and values compare without regard to case; subkeys
// enumerate in case-insensitive name order.

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace platform {

// Which key is meant: its tree (the per-user store, or the read-only view of
// the desktop's file associations) and the names of the path below the
// tree's root. An empty path is the root itself; no tree is no key.
struct KeyPath {
    enum Tree { None, User, Machine };
    Tree tree = None;
    QStringList names;

    explicit operator bool() const { return tree != None; }
    bool operator==(const KeyPath&) const = default;
};

// One open key of the per-user store.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Opens the key at names (below the store's root); with create, missing
    // levels are made. Only a readable regular file is a settings file:
    // anything else at its place (a folder, a FIFO, a dangling link) is left
    // alone and the key cannot be opened.
    bool Open(const QStringList& names, bool create);

    QStringList SubKeys() const;
    // A value as text, whatever it holds (an empty name is the key's default
    // value); nothing when there is no such value. isList tells a
    // hand-edited line "a, b", which reads as a list.
    std::optional<QString> Text(const QString& valueName, bool* isList = nullptr) const;
    // A value as a 32-bit number (see ParseNumber); nothing when it is
    // missing, a list or no such number.
    std::optional<std::uint32_t> Number(const QString& valueName) const;
    // Writes a value; the file gets it when the key is saved. False above
    // the application level.
    bool Set(const QString& valueName, const QString& text);
    // Saves the values written since the key was opened or last saved, in
    // one replacement of the settings file: under the file's lock (an empty
    // lock, or one whose owner is gone, is taken over at once; a lock that
    // cannot be had within about a second makes the save give up and keep
    // the file as it was), by renaming a new file over it, with what earlier
    // interrupted saves left beside it removed. False when the values could
    // not be saved; they are dropped either way.
    bool Save();

    // A number as values store it: a whole decimal number that fits in 32
    // bits (negative ones down to -2^31 wrap as a signed 32-bit value would),
    // blanks around it allowed.
    static std::optional<std::uint32_t> ParseNumber(const QString& text);

private:
    QString WriteCopy(const QString& folder) const;

    QStringList m_names;
    std::unique_ptr<QSettings> m_settings;  // with the key's group entered; reads only
    QString m_file;                         // the settings file
    QStringList m_groups;                   // the groups entered, as stored
    // Values written and not yet saved, in order.
    QList<std::pair<QString, QString>> m_pending;
};

}  // namespace platform
