#pragma once
// A data file mapped read-only into memory. Reading is positioned: nothing
// is copied, and only the pages a reader touches are ever loaded. A mapped
// file is never written, so any number of threads may read it at once.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <string_view>

namespace product {

class DataFile {
public:
    // Maps `path`; throws Error naming the file when it cannot be opened.
    static std::shared_ptr<const DataFile> Open(const QString& path);
    // Bytes held in memory under a name, read as a mapped file is (for
    // data that is not in a file of its own, and for the fuzz targets).
    static std::shared_ptr<const DataFile> FromBytes(const QString& name, QByteArray bytes);

    // Only Open makes one: the key cannot be made outside the class.
    class Key {
        friend class DataFile;
        Key() = default;
    };
    explicit DataFile(Key) {}
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    const QString& path() const { return m_path; }
    std::int64_t size() const { return m_size; }
    const unsigned char* data() const { return m_data; }

    // The bytes [offset, offset + length) clipped to the file: shorter (or
    // empty) where the file ends before.
    std::string_view Bytes(std::int64_t offset, std::int64_t length) const;

    // Copies [offset, offset + length) into `into` (positioned reads, safe
    // from any thread); returns the bytes copied, fewer where the file
    // ends. For passes over many bytes a copy into a small buffer that
    // stays in the processor's cache is faster than loads from the map.
    std::int64_t Read(std::int64_t offset, std::int64_t length, unsigned char* into) const;

private:
    QString m_path;
    QByteArray m_bytes;  // FromBytes only
    int m_fd = -1;       // Open only, for Read
    std::int64_t m_size = 0;
    const unsigned char* m_data = nullptr;
};

}  // namespace product
