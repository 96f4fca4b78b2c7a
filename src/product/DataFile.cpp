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
}

std::string_view DataFile::Bytes(std::int64_t offset, std::int64_t length) const
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return {};
    const std::int64_t available = m_size - offset;
    return {reinterpret_cast<const char*>(m_data + offset), static_cast<size_t>(std::min(length, available))};
}

void DataFile::Prefetch(std::int64_t offset, std::int64_t length) const
{
    if (!m_data || !m_bytes.isNull() || offset < 0 || length <= 0 || offset >= m_size)
        return;
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t first = offset / page * page;
    const std::int64_t end = std::min(m_size, offset + length);
#ifdef MADV_POPULATE_READ
    // Only a hint: a kernel without it says EINVAL and the pages fault in.
    ::madvise(const_cast<unsigned char*>(m_data) + first, static_cast<size_t>(end - first), MADV_POPULATE_READ);
#else
    ::madvise(const_cast<unsigned char*>(m_data) + first, static_cast<size_t>(end - first), MADV_WILLNEED);
#endif
}

}  // namespace product
