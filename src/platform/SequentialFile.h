#pragma once
// A regular file read front to back in chunks: the one way the program
// opens a file for reading. Only regular files open: a missing path, a
// folder, a FIFO, a device or a dangling link is "not a file", and opening
// never blocks. Holes of sparse files can be stepped over without reading
// them.

#include <QString>

class SequentialFile {
public:
    SequentialFile() = default;
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    // Opens a drive or host path for reading; false when it is not a
    // regular file that can be read.
    bool Open(const QString& path);
    // The same for a host path, taken as it is.
    bool OpenHost(const QString& hostPath);
    // Reads up to size bytes; the count read, 0 at the end, -1 on error.
    long long Read(char* buffer, long long size);
    // When the file is sparse and the read position lies in a hole, moves
    // to the end of the hole and returns its length (the hole reads as NUL
    // bytes); otherwise returns 0 and stays.
    long long SkipHole();
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    bool m_sparse = false;
    long long m_size = 0;
    long long m_position = 0;
};
