#include "support/RecordFifo.h"

#include "platform/HostNames.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kGuardTimeoutMs = 30000;

// The recorder writes host bytes; they read back as the program's paths.
QString Text(const QByteArray& bytes) { return platform::FromHostName(bytes); }

Recording Parse(const QList<QByteArray>& lines)
{
    Recording record;
    for (const QByteArray& line : lines) {
        const qsizetype sign = line.indexOf('=');
        if (sign < 0)
            continue;
        const QByteArray key = line.left(sign);
        const QByteArray value = line.mid(sign + 1);
        if (key == "cwd")
            record.cwd = Text(value);
        else if (key.startsWith("argv["))
            record.argv.append(Text(value));
        else if (key == "pid")
            record.pid = value.toLong();
        else if (key == "session-leader")
            record.sessionLeader = value == "1";
        else if (key == "stdin")
            record.standardInput = Text(value);
    }
    return record;
}

}  // namespace

RecordFifo::RecordFifo(const QString& folder, bool openNow)
    : m_path(QDir(folder).filePath(QStringLiteral("record.fifo")))
{
    const QByteArray path = QFile::encodeName(m_path);
    ::mkfifo(path.constData(), 0600);
    m_hadPrevious = qEnvironmentVariableIsSet("VELLORA_RECORD");
    m_previous = qgetenv("VELLORA_RECORD");
    qputenv("VELLORA_RECORD", path);
    if (openNow)
        OpenReadingEnd();
}

RecordFifo::~RecordFifo()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_hadPrevious)
        qputenv("VELLORA_RECORD", m_previous);
    else
        qunsetenv("VELLORA_RECORD");
}

bool RecordFifo::OpenReadingEnd()
{
    if (m_fd < 0) {
        // Opened for reading and writing, the FIFO never blocks the open
        // and never reports end-of-file between two writers.
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    return m_fd >= 0;
}

bool RecordFifo::TakeRecord(Recording& record)
{
    for (;;) {
        const qsizetype newline = m_pending.indexOf('\n');
        if (newline < 0)
            return false;
        const QByteArray line = m_pending.left(newline);
        m_pending.remove(0, newline + 1);
        if (line == "end") {
            record = Parse(m_lines);
            m_lines.clear();
            return true;
        }
        m_lines.append(line);
    }
}

// Appends what the FIFO holds now; false at an error or when nothing was
// there.
bool RecordFifo::TakeWaitingBytes()
{
    char buffer[4096];
    const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
    if (got > 0)
        m_pending.append(buffer, got);
    return got > 0;
}

std::vector<Recording> RecordFifo::Read(int count)
{
    std::vector<Recording> records;
    if (!OpenReadingEnd())
        return records;
    while (static_cast<int>(records.size()) < count) {
        Recording record;
        if (TakeRecord(record)) {
            records.push_back(std::move(record));
            continue;
        }
        pollfd wait{m_fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, kGuardTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;  // the guard: nothing came in time
        if (!TakeWaitingBytes() && errno != EAGAIN && errno != EINTR)
            break;
    }
    return records;
}

std::vector<Recording> RecordFifo::ReadWritten()
{
    std::vector<Recording> records;
    if (!OpenReadingEnd())
        return records;
    while (TakeWaitingBytes()) {
    }
    Recording record;
    while (TakeRecord(record))
        records.push_back(std::move(record));
    return records;
}
