// The helper command line on any text: built from an application text and
// a file path (the two halves of the input), split by the Windows rules,
// and the missing program's name taken from it.

#include "FuzzInput.h"
#include "open/LaunchHelper.h"
#include "platform/Process.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size));
    const QString application = QString::fromUtf8(parts.value(0));
    const QString file = parts.size() > 1 ? QString::fromUtf8(parts.value(1)) : QStringLiteral("D:/Data/a.lbl");

    platform::SplitCommandLine(application);
    const HelperCommand command = BuildHelperCommand(application, file);
    platform::SplitCommandLine(command.commandLine);
    QString name;
    QString rest;
    SplitMissingHelper(application, name, rest);
    if (name.contains(u'\\') || name.contains(u'/'))
        __builtin_trap();  // a folder left in the program's file name
    return 0;
}
