#include "platform/RegularFile.h"

#include "platform/SequentialFile.h"

#include <algorithm>

namespace platform {

bool ReadRegularFile(const QString& path, QByteArray& contents, qint64 limit)
{
    contents.clear();
    SequentialFile file;
    if (!file.OpenHost(path))
        return false;
    char buffer[65536];
    while (contents.size() < limit) {
        const long long got = file.Read(buffer, std::min<qint64>(sizeof buffer, limit - contents.size()));
        if (got < 0) {
            contents.clear();
            return false;
        }
        if (got == 0)
            break;
        contents.append(buffer, static_cast<qsizetype>(got));
    }
    return true;
}

bool IsReadableRegularFile(const QString& path) { return SequentialFile().OpenHost(path); }

}  // namespace platform
