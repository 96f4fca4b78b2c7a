#pragma once
// Text file reading line by line: a line ends at LF, a CR right before the
// LF is dropped, lines may be of any length. The file is opened and read
// by a SequentialFile: only regular files open; a folder, FIFO or device is
// "not a file" and never blocks the reader.

#include "platform/SequentialFile.h"

#include <QByteArray>
#include <QString>

class CStdioFile {
public:
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
    bool IsOpen() const { return m_file.IsOpen(); }

    // Reads no more than limit bytes of the file in all (the lines, the
    // parts of overlong lines passed over and raw reads together); the
    // file then ends there as at its end. So a huge or sparse file costs
    // no more than the limit. Truncated tells whether the file went on.
    void SetReadLimit(long long limit) { m_limit = limit; }
    bool Truncated() const { return m_truncated; }

private:
    bool Fill();
    void SkipRestOfLine();
    long long Room(long long wanted);
    SequentialFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    long long m_limit = -1;  // no limit
    long long m_consumed = 0;  // bytes read from the file
    bool m_truncated = false;
};
