#include "platform/FileStatus.h"

#include "platform/DriveTable.h"
#include "platform/HostNames.h"
#include "platform/WinTypes.h"

#include <sys/stat.h>

namespace platform {

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
    if (S_ISDIR(st.st_mode)) {
        status.attributes = FILE_ATTRIBUTE_DIRECTORY;
        status.size = 0;
    } else {
        const bool writable = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
        status.attributes = FILE_ATTRIBUTE_ARCHIVE | (writable ? 0u : FILE_ATTRIBUTE_READONLY);
        status.size = S_ISREG(st.st_mode) ? st.st_size : 0;
    }
    if (isLink)
        status.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    status.mtime = st.st_mtim.tv_sec;
    return true;
}

}  // namespace platform
