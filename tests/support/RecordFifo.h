#pragma once
// Receives what started recorder programs write. VELLORA_RECORD names a
// FIFO for as long as the object lives, so a test waits for a record by a
// blocking read (guarded by a generous poll timeout that only turns a hang
// into a failure) instead of sleeping.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct Recording {
    QString cwd;
    QStringList argv;
    long pid = 0;
    bool sessionLeader = false;
    QString standardInput;
};

class RecordFifo {
public:
    // Makes the FIFO in folder; when openNow is false the reading end is
    // opened only by the first Read (so a recorder blocks until then).
    explicit RecordFifo(const QString& folder, bool openNow = true);
    ~RecordFifo();
    RecordFifo(const RecordFifo&) = delete;
    RecordFifo& operator=(const RecordFifo&) = delete;

    // Reads count records; fewer when the guard timeout passed first.
    std::vector<Recording> Read(int count = 1);
    // The records written so far, without waiting for more. After
    // platform::WaitForStartedPrograms nothing is still on its way, so
    // this is everything that ran.
    std::vector<Recording> ReadWritten();
    QString Path() const { return m_path; }

private:
    bool OpenReadingEnd();
    bool TakeRecord(Recording& record);
    bool TakeWaitingBytes();
    QString m_path;
    QByteArray m_previous;  // VELLORA_RECORD before
    bool m_hadPrevious = false;
    int m_fd = -1;
    QByteArray m_pending;     // bytes read, not yet taken as lines
    QList<QByteArray> m_lines;  // lines of the record being taken
};
