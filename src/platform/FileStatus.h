#pragma once
// CFile::GetStatus: the status of a file or folder by drive or host path.

#include <QString>
#include <cstdint>

struct stat;

struct FileStatus {
    std::int64_t size = 0;
    std::uint32_t attributes = 0;  // as FindEntry
};

namespace platform {
// True when the path exists (links are followed); fills status.
bool GetStatus(const QString& path, FileStatus& status);
// The status of what stat() described, links aside: a folder is 0x10 with
// size 0, anything else 0x20 (0x21 when nobody may write it) with its size
// when it is a regular file, else 0.
FileStatus StatusOf(const struct stat& st);
}  // namespace platform
