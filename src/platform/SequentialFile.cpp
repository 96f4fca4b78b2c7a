#include "platform/SequentialFile.h"

#include "platform/DriveTable.h"
#include "platform/HostNames.h"

#include <QByteArray>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SequentialFile::~SequentialFile() { Close(); }

bool SequentialFile::Open(const QString& path) { return !path.isEmpty() && OpenHost(platform::HostPath(path)); }

bool SequentialFile::OpenHost(const QString& hostPath)
{
    Close();
    if (hostPath.isEmpty())
        return false;
    const QByteArray name = platform::ToHostName(hostPath);

    // Looking first keeps devices from ever being opened; O_NONBLOCK keeps
    // a FIFO swapped in meanwhile from blocking, and fstat checks again
    // what was really opened.
    struct stat status {};
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = status.st_size;
    m_position = 0;
    m_sparse = static_cast<long long>(status.st_blocks) * 512 < status.st_size;
    return true;
}

long long SequentialFile::Read(char* buffer, long long size)
{
    if (m_fd < 0)
        return -1;
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, static_cast<size_t>(size));
        if (count >= 0) {
            m_position += count;
            return count;
        }
        if (errno != EINTR)
            return -1;
    }
}

long long SequentialFile::SkipHole()
{
    if (m_fd < 0 || !m_sparse || m_position >= m_size)
        return 0;
    off_t data = ::lseek(m_fd, m_position, SEEK_DATA);
    if (data < 0) {
        if (errno != ENXIO)
            return 0;
        data = m_size;  // nothing but a hole up to the end
    }
    if (data <= m_position || ::lseek(m_fd, data, SEEK_SET) != data) {
        ::lseek(m_fd, m_position, SEEK_SET);
        return 0;
    }
    const long long skipped = data - m_position;
    m_position = data;
    return skipped;
}

void SequentialFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_sparse = false;
    m_size = 0;
    m_position = 0;
}
