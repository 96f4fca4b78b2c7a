#pragma once
// One open key; every access of the program to its settings and to the
// desktop's file associations goes through it. Failures are reported as
// results, never as messages.
//
// Two trees exist. HKEY_CURRENT_USER is the per-user settings store
// (platform::SettingsStore): "Software\<company>\<application>" is the
// program's settings file. HKEY_LOCAL_MACHINE holds the read-only key
// "SOFTWARE\Classes" over the desktop's associations (Associations): a key
// per file extension, its default value and "Content Type" the extension's
// MIME type, and a key per MIME type, with "<type>\shell\Open\command"
// whose default value is the type's open command when it has one. Names
// compare without regard to case; subkeys enumerate in case-insensitive
// name order. Every other key does not exist.

#include "platform/SettingsStore.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

using DWORD = std::uint32_t;

// The roots of the two trees.
inline const platform::KeyPath HKEY_CURRENT_USER{platform::KeyPath::User, {}};
inline const platform::KeyPath HKEY_LOCAL_MACHINE{platform::KeyPath::Machine, {}};

// What a key is opened for.
enum KeyAccess { KEY_READ, KEY_WRITE };

class CRegistryKey {
public:
    // Names in a buffer of this many characters, the terminating zero
    // included; longer names cannot be read.
    static constexpr int kNameBufferChars = 512;

    CRegistryKey();
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens subKey below parent. KEY_READ opens an existing key only;
    // KEY_WRITE opens it for writing too, creating it (and missing levels)
    // if needed; the associations cannot be written. An empty subKey fails;
    // a null subKey (QString()) takes parent over as this object's own key.
    bool Open(const platform::KeyPath& parent, const QString& subKey, KeyAccess access);
    bool Open(const platform::KeyPath& parent, std::nullptr_t, KeyAccess access);
    // The same, below another object's open key; an empty subKey opens
    // that key again.
    bool Open(const CRegistryKey& parent, const QString& subKey, KeyAccess access);

    // Number of subkeys; 0 when no key is open.
    DWORD GetSubKeyCount() const;
    // Name of the subkey at index; "" when no key is open, the index is past
    // the end or the name does not fit the name buffer.
    QString EnumSubKey(DWORD index) const;
    // A value as text (a null name, QString(), is the key's default value);
    // defaultText when no key is open or the value cannot be read.
    QString QueryString(const QString& valueName, const QString& defaultText) const;
    QString QueryString(std::nullptr_t, const QString& defaultText) const;
    // A value as a 32-bit number; defaultNumber when no key is open or the
    // value is missing or not a 32-bit number.
    DWORD QueryDword(const QString& valueName, DWORD defaultNumber) const;
    // Writes a value; false when no key is open for writing or the write
    // fails. The settings file gets it when the key is closed.
    bool SetString(const QString& valueName, const QString& text);
    bool SetDword(const QString& valueName, DWORD number);
    // Closes the key, saving the values written through it; false when none
    // was open.
    bool Close();

    // The key that is open; no tree when none is.
    platform::KeyPath m_hKey;

private:
    struct Classes;

    bool OpenPath(const platform::KeyPath& key, KeyAccess access, const std::shared_ptr<Classes>& classes);
    QStringList SubKeys() const;
    std::optional<QString> Value(const QString& valueName) const;

    bool m_writable = false;
    std::unique_ptr<platform::SettingsStore> m_store;  // an open key of the per-user tree
    std::shared_ptr<Classes> m_classes;                // the associations, shared by the keys opened from one another
};
