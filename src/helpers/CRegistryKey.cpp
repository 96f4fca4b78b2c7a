#include "helpers/CRegistryKey.h"

CRegistryKey::~CRegistryKey()
{
    if (m_hKey)
        Close();
}

bool CRegistryKey::OpenBelow(HKEY parent, const QString& subKey, REGSAM access)
{
    HKEY opened = nullptr;
    const LONG result = access == KEY_READ
                            ? platform::RegOpenKeyEx(parent, subKey, KEY_READ, &opened)
                            : platform::RegCreateKeyEx(parent, subKey, access | KEY_READ, &opened);
    if (result != ERROR_SUCCESS)
        return false;
    if (m_hKey)
        Close();
    m_hKey = opened;
    return true;
}

bool CRegistryKey::Open(HKEY parent, const QString& subKey, REGSAM access)
{
    if (subKey.isNull())
        return Open(parent, nullptr, access);
    if (subKey.isEmpty())
        return false;
    return OpenBelow(parent, subKey, access);
}

bool CRegistryKey::Open(HKEY parent, std::nullptr_t, REGSAM)
{
    if (m_hKey && m_hKey != parent)
        Close();
    m_hKey = parent;
    return true;
}

bool CRegistryKey::Open(const CRegistryKey& parent, const QString& subKey, REGSAM access)
{
    return OpenBelow(parent.m_hKey, subKey, access);
}

DWORD CRegistryKey::GetSubKeyCount() const
{
    DWORD count = 0;
    if (!m_hKey || platform::RegQueryInfoKey(m_hKey, &count) != ERROR_SUCCESS)
        return 0;
    return count;
}

QString CRegistryKey::EnumSubKey(DWORD index) const
{
    QString name;
    if (!m_hKey || platform::RegEnumKeyEx(m_hKey, index, name) != ERROR_SUCCESS)
        return {};
    if (name.size() >= kNameBufferChars)
        return {};
    return name;
}

QString CRegistryKey::QueryString(const QString& valueName, const QString& defaultText) const
{
    QString text;
    if (!m_hKey || platform::RegQueryStringValue(m_hKey, valueName, text) != ERROR_SUCCESS)
        return defaultText;
    return text;
}

QString CRegistryKey::QueryString(std::nullptr_t, const QString& defaultText) const
{
    return QueryString(QString(), defaultText);
}

DWORD CRegistryKey::QueryDword(const QString& valueName, DWORD defaultNumber) const
{
    DWORD number = 0;
    if (!m_hKey || platform::RegQueryDwordValue(m_hKey, valueName, number) != ERROR_SUCCESS)
        return defaultNumber;
    return number;
}

bool CRegistryKey::SetString(const QString& valueName, const QString& text)
{
    return m_hKey && platform::RegSetStringValue(m_hKey, valueName, text) == ERROR_SUCCESS;
}

bool CRegistryKey::SetDword(const QString& valueName, DWORD number)
{
    return m_hKey && platform::RegSetDwordValue(m_hKey, valueName, number) == ERROR_SUCCESS;
}

LONG CRegistryKey::Close()
{
    const LONG result = platform::RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return result;
}
