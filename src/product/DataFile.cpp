#include "product/DataFile.h"

#include "product/Product.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace product {

namespace {

// Closes a descriptor at the end of the scope that opened it.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

Error SystemError(const QString& path)
{
    return Error{path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno))};
}

}  // namespace

std::shared_ptr<const DataFile> DataFile::Open(const QString& path)
{
    Descriptor file;
    file.fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0)
        throw SystemError(path);
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        throw SystemError(path);
    if (!S_ISREG(status.st_mode))
        throw Error{path + QStringLiteral(": not a regular file")};

    auto mapped = std::make_shared<DataFile>(Key());
    mapped->m_path = path;
    mapped->m_size = status.st_size;
    if (status.st_size > 0) {
        void* address = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, file.fd, 0);
        if (address == MAP_FAILED)
            throw SystemError(path);
        mapped->m_data = static_cast<const unsigned char*>(address);
    }
    mapped->m_fd = file.fd;
    file.fd = -1;  // kept for Read
    return mapped;
}

std::shared_ptr<const DataFile> DataFile::FromBytes(const QString& name, QByteArray bytes)
{
    auto held = std::make_shared<DataFile>(Key());
    held->m_path = name;
    held->m_bytes = std::move(bytes);
    held->m_size = held->m_bytes.size();
    held->m_data = reinterpret_cast<const unsigned char*>(held->m_bytes.constData());
    return held;
}

DataFile::~DataFile()
{
    if (m_data && m_bytes.isNull())
        ::munmap(const_cast<unsigned char*>(m_data), static_cast<size_t>(m_size));
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string_view DataFile::Bytes(std::int64_t offset, std::int64_t length) const
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return {};
    const std::int64_t available = m_size - offset;
    return {reinterpret_cast<const char*>(m_data + offset), static_cast<size_t>(std::min(length, available))};
}

std::int64_t DataFile::Read(std::int64_t offset, std::int64_t length, unsigned char* into) const
{
    const std::string_view bytes = Bytes(offset, length);
    if (m_fd < 0) {
        std::memcpy(into, bytes.data(), bytes.size());
        return std::int64_t(bytes.size());
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(m_fd, into + done, bytes.size() - done, off_t(offset + std::int64_t(done)));
        if (got <= 0) {
            if (got < 0 && errno == EINTR)
                continue;
            // The file shrank or cannot be read: take the rest from the map.
            std::memcpy(into + done, bytes.data() + done, bytes.size() - done);
            break;
        }
        done += std::size_t(got);
    }
    return std::int64_t(bytes.size());
}

}  // namespace product
