#include "platform/CStdioFile.h"

#include <QStringDecoder>

#include <algorithm>

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

bool CStdioFile::Open(const QString& path)
{
    Close();
    return m_file.Open(path);
}

void CStdioFile::Close()
{
    m_file.Close();
    m_buffer.clear();
    m_pos = 0;
    m_eof = false;
    m_consumed = 0;
    m_truncated = false;
}

// How many of wanted bytes may still be read. At the limit, one more byte
// is asked for to tell whether the file goes on, and the file ends.
long long CStdioFile::Room(long long wanted)
{
    if (m_limit < 0)
        return wanted;
    const long long room = std::min(wanted, m_limit - m_consumed);
    if (room > 0)
        return room;
    char probe = 0;
    m_truncated = m_file.Read(&probe, 1) > 0;
    m_eof = true;
    return 0;
}

bool CStdioFile::Fill()
{
    if (!IsOpen() || m_eof)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype room = static_cast<qsizetype>(Room(kChunk));
    if (room == 0)
        return false;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + room);
    const long long got = m_file.Read(m_buffer.data() + old, room);
    m_buffer.resize(old + static_cast<qsizetype>(std::max(got, 0LL)));
    if (got <= 0) {
        m_eof = true;
        return false;
    }
    m_consumed += got;
    return true;
}

bool CStdioFile::ReadLine(QByteArray& line, qsizetype maxBytes)
{
    if (!IsOpen())
        return false;
    qsizetype newline = m_buffer.indexOf('\n', m_pos);
    while (newline < 0) {
        if (maxBytes >= 0 && m_buffer.size() - m_pos > maxBytes) {
            // An overlong line (a binary file, say): its start is the line,
            // the rest is read past chunk by chunk.
            line = m_buffer.mid(m_pos, maxBytes);
            SkipRestOfLine();
            return true;
        }
        const qsizetype searchFrom = m_buffer.size() - m_pos;  // offset after Fill compacts the buffer
        if (!Fill())
            break;
        // Fill moved the unread data to the front of the buffer.
        newline = m_buffer.indexOf('\n', searchFrom);
    }
    if (newline < 0 && m_pos >= m_buffer.size())
        return false;
    // The line runs to its LF, the last one to the end of the file.
    qsizetype end = newline < 0 ? m_buffer.size() : newline;
    const qsizetype next = newline < 0 ? end : end + 1;
    if (end > m_pos && m_buffer[end - 1] == '\r')
        --end;
    if (maxBytes >= 0 && end - m_pos > maxBytes)
        end = m_pos + maxBytes;
    line = m_buffer.mid(m_pos, end - m_pos);
    m_pos = next;
    return true;
}

void CStdioFile::SkipRestOfLine()
{
    for (;;) {
        const qsizetype newline = m_buffer.indexOf('\n', m_pos);
        if (newline >= 0) {
            m_pos = newline + 1;
            return;
        }
        m_pos = m_buffer.size();  // Fill drops what was passed over
        if (!Fill())
            return;
    }
}

bool CStdioFile::ReadString(QString& line, qsizetype maxBytes)
{
    QByteArray bytes;
    if (!ReadLine(bytes, maxBytes))
        return false;
    // Text files of old volumes are ASCII or Latin-1; newer ones UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    line = utf8.decode(bytes);
    if (utf8.hasError())
        line = QString::fromLatin1(bytes);
    return true;
}

long long CStdioFile::Read(char* buffer, long long size)
{
    if (!IsOpen() || size < 0)
        return -1;
    long long copied = std::min<long long>(m_buffer.size() - m_pos, size);
    std::copy_n(m_buffer.constData() + m_pos, copied, buffer);
    m_pos += copied;
    while (copied < size && !m_eof) {
        const long long room = Room(size - copied);
        if (room == 0)
            break;
        const long long got = m_file.Read(buffer + copied, room);
        if (got < 0)
            return copied > 0 ? copied : -1;
        if (got == 0)
            break;
        copied += got;
        m_consumed += got;
    }
    return copied;
}
