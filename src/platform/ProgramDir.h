#pragma once
#include <QString>

namespace platform {
// The folder of the running executable (/proc/self/exe), as a host path,
// without a trailing separator.
QString ProgramDirectory();
}  // namespace platform
