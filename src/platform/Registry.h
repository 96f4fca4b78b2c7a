#pragma once
// The registry as the program sees it. Two trees exist:
//
// HKEY_CURRENT_USER\Software\<company>\<application> is the per-user
// settings store: the file <company>/<application>.conf in the user's
// configuration folder ($XDG_CONFIG_HOME), kept by QSettings in its native
// format. Values are strings and 32-bit numbers; deeper keys are groups in
// that file. "Software" and "Software\<company>" exist as plain containers.
//
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes is a read-only view of the desktop's
// file associations (see ClassesView.h): a key per file extension and a
// "<file type>\shell\Open\command" key per file type that has a default
// application.
//
// Every other key does not exist. Names of keys and values compare without
// regard to case; subkeys enumerate in case-insensitive name order.

#include <QString>
#include <cstdint>

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = std::uint32_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;

// The two predefined roots. They are never opened or closed.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});

// Access rights.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Results (ERROR_FILE_NOT_FOUND and ERROR_ACCESS_DENIED are in WinTypes.h).
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_DATA = 13;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;

// Dispositions of RegCreateKeyEx.
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

namespace platform {

// Opens an existing key below parent; an empty subKey opens parent itself
// again. The new handle must be closed with RegCloseKey.
LONG RegOpenKeyEx(HKEY parent, const QString& subKey, REGSAM access, HKEY* result);
// Opens a key below parent, creating every missing level. Only the per-user
// tree can be written; the machine tree answers ERROR_ACCESS_DENIED.
LONG RegCreateKeyEx(HKEY parent, const QString& subKey, REGSAM access, HKEY* result,
                    DWORD* disposition = nullptr);
// Closes a key. Values written through it are saved first, as by
// RegFlushKey.
LONG RegCloseKey(HKEY key);
// Saves the values written through a key since it was opened or last
// flushed, in one replacement of the settings file: under the file's lock
// (an empty lock, or one whose owner is gone, is taken over at once; a lock
// that cannot be had within about a second makes the save give up and keep
// the file as it was), by renaming a new file over it, with what earlier
// interrupted saves left beside it removed. ERROR_WRITE_FAULT when the
// values could not be saved; they are dropped either way.
LONG RegFlushKey(HKEY key);

// Number of direct subkeys.
LONG RegQueryInfoKey(HKEY key, DWORD* subKeyCount);
// Name of the subkey at index (case-insensitive name order);
// ERROR_NO_MORE_ITEMS past the end.
LONG RegEnumKeyEx(HKEY key, DWORD index, QString& name);

// A value as text, whatever it holds. An empty name is the key's default
// value. ERROR_FILE_NOT_FOUND when there is no such value.
LONG RegQueryStringValue(HKEY key, const QString& valueName, QString& data);
// A value as a 32-bit number. Numbers are stored as text, so the text must
// be a whole decimal number that fits in 32 bits (negative ones down to
// -2^31 wrap as a signed 32-bit value would); anything else is
// ERROR_INVALID_DATA, a missing value ERROR_FILE_NOT_FOUND.
LONG RegQueryDwordValue(HKEY key, const QString& valueName, DWORD& data);

// Writes a value; the settings file gets it when the key is flushed or
// closed. The key must have been opened with KEY_SET_VALUE.
LONG RegSetStringValue(HKEY key, const QString& valueName, const QString& data);
LONG RegSetDwordValue(HKEY key, const QString& valueName, DWORD data);

}  // namespace platform
