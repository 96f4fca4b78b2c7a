#include "platform/ProgramDir.h"

#include "platform/HostNames.h"

#include <climits>
#include <unistd.h>

namespace platform {

QString ProgramDirectory()
{
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    const QString exe = FromHostName(QByteArray(buffer, length));
    const qsizetype slash = exe.lastIndexOf(u'/');
    if (slash <= 0)
        return QStringLiteral("/");
    return exe.left(slash);
}

}  // namespace platform
