#include "platform/FileStatus.h"

#include "platform/DriveTable.h"
#include "platform/HostNames.h"
#include "platform/WinTypes.h"

#include <sys/stat.h>

namespace platform {

FileStatus StatusOf(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return {0, FILE_ATTRIBUTE_DIRECTORY};
    const bool writable = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    const std::uint32_t attributes = FILE_ATTRIBUTE_ARCHIVE | (writable ? 0u : FILE_ATTRIBUTE_READONLY);
    return {S_ISREG(st.st_mode) ? st.st_size : 0, attributes};
}

bool GetStatus(const QString& path, FileStatus& status)
{
    const QString host = HostPath(path);
    if (host.isEmpty())
        return false;
    const QByteArray bytes = ToHostName(host);
    struct stat st {};
    if (stat(bytes.constData(), &st) != 0)
        return false;
    struct stat link {};
    const bool isLink = lstat(bytes.constData(), &link) == 0 && S_ISLNK(link.st_mode);
    status = StatusOf(st);
    if (isLink)
        status.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return true;
}

}  // namespace platform
