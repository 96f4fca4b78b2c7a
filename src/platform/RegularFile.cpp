#include "platform/RegularFile.h"

#include "platform/HostNames.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Opens a regular file for reading without blocking on FIFOs; -1 otherwise.
int OpenRegular(const QString& path)
{
    const int fd = ::open(ToHostName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool ReadRegularFile(const QString& path, QByteArray& contents, qint64 limit)
{
    contents.clear();
    const int fd = OpenRegular(path);
    if (fd < 0)
        return false;
    bool ok = true;
    char buffer[65536];
    while (contents.size() < limit) {
        const qint64 wanted = std::min<qint64>(sizeof buffer, limit - contents.size());
        const ssize_t got = ::read(fd, buffer, static_cast<size_t>(wanted));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        contents.append(buffer, got);
    }
    ::close(fd);
    if (!ok)
        contents.clear();
    return ok;
}

bool IsReadableRegularFile(const QString& path)
{
    const int fd = OpenRegular(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool PathExists(const QString& path)
{
    struct stat st {};
    return ::stat(ToHostName(path).constData(), &st) == 0;
}

}  // namespace platform
