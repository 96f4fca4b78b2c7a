#pragma once
// One open registry key; every registry access of the program goes through
// it. Failures are reported as results, never as messages.

#include "platform/Registry.h"

#include <QString>
#include <cstddef>

class CRegistryKey {
public:
    // Names in a buffer of this many characters, the terminating zero
    // included; longer names cannot be read.
    static constexpr int kNameBufferChars = 512;

    CRegistryKey() = default;
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens subKey below parent. KEY_READ opens an existing key only; any
    // other access opens it with that access plus KEY_READ, creating it
    // (and missing levels) if needed. An empty subKey fails; a null subKey
    // (QString()) takes parent over as this object's own key, to be closed
    // by it.
    bool Open(HKEY parent, const QString& subKey, REGSAM access);
    bool Open(HKEY parent, std::nullptr_t, REGSAM access);
    // The same, below another object's open key.
    bool Open(const CRegistryKey& parent, const QString& subKey, REGSAM access);

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
    // Writes a value; false when no key is open or the write fails.
    bool SetString(const QString& valueName, const QString& text);
    bool SetDword(const QString& valueName, DWORD number);
    // Closes the key; the platform's result (ERROR_INVALID_HANDLE when none
    // was open).
    LONG Close();

    HKEY m_hKey = nullptr;

private:
    bool OpenBelow(HKEY parent, const QString& subKey, REGSAM access);
};
