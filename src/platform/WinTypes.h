#pragma once
// Constants of the Windows platform that the program's behaviour is
// expressed in. The platform layer maps them onto Linux and Qt.

#include <cstdint>

// Attribute word of a folder entry (see FileFinder).
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400;

// Dialog and message box results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

inline constexpr int SW_SHOW = 5;

// Error codes the process starter reports (errno values otherwise).
inline constexpr int ERROR_FILE_NOT_FOUND = 2;
inline constexpr int ERROR_ACCESS_DENIED = 5;
inline constexpr int ERROR_BAD_FORMAT = 11;  // WinExec: not a program
