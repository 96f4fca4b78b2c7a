#pragma once
// Text file reading line by line: a line ends at LF, a CR right before the
// LF is dropped, lines may be of any length. Only regular files open; a
// folder, FIFO or device is "not a file" and never blocks the reader.

#include <QByteArray>
#include <QString>

class CStdioFile {
public:
    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Opens a drive or host path for reading. False when it cannot.
    bool Open(const QString& path);
    // Reads the next line without its line end (decoded as UTF-8, invalid
    // bytes kept as in HostNames.h); false at end of file or on error.
    // With maxBytes >= 0 only the first maxBytes bytes of a longer line are
    // kept, and the rest is passed over without being held in memory.
    bool ReadString(QString& line, qsizetype maxBytes = -1);
    // The same, as raw bytes.
    bool ReadLine(QByteArray& line, qsizetype maxBytes = -1);
    // Raw read of up to size bytes from the current position (after any
    // buffered line data); returns bytes read, 0 at end, -1 on error.
    long long Read(char* buffer, long long size);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

private:
    bool Fill();
    void SkipRestOfLine();
    int m_fd = -1;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
};
