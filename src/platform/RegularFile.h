#pragma once
// Reading small configuration files whole. Only regular files are read: a
// folder, FIFO, device or dangling link counts as unreadable and never
// blocks the caller.

#include <QByteArray>
#include <QString>

namespace platform {

// Reads at most limit bytes of the host file at path into contents. False
// when the file is missing, not a regular file or cannot be read.
bool ReadRegularFile(const QString& path, QByteArray& contents, qint64 limit = 16 * 1024 * 1024);

// True when path names a regular file (links followed) that can be opened
// for reading.
bool IsReadableRegularFile(const QString& path);

}  // namespace platform
