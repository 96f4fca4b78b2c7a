#pragma once
// CFile::GetStatus: the status of a file or folder by drive or host path.

#include <QString>
#include <cstdint>

struct FileStatus {
    std::int64_t size = 0;
    std::uint32_t attributes = 0;  // as FindEntry
    std::int64_t mtime = 0;        // seconds since the epoch
};

namespace platform {
// True when the path exists (links are followed); fills status.
bool GetStatus(const QString& path, FileStatus& status);
}  // namespace platform
