// A desktop entry on any bytes: its values, its Exec line split and turned
// into an open command, and every argument quoted for the Windows splitter
// and split back.

#include "FuzzInput.h"
#include "desktop/DesktopEntry.h"
#include "platform/Process.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DesktopEntry entry;
    if (!entry.Parse(fuzz::Bytes(data, size), QStringLiteral("/usr/share/applications/fuzz.desktop")))
        return 0;
    entry.Value(QStringLiteral("Name"));
    entry.Flag(QStringLiteral("Hidden"));
    entry.List(QStringLiteral("MimeType"));
    entry.OpenCommand();
    QStringList arguments;
    if (DesktopEntry::SplitExec(entry.Value(QStringLiteral("Exec")), arguments)) {
        // Quoting and splitting are inverses for every argument after the
        // program's name.
        QString line = QStringLiteral("program");
        for (const QString& argument : arguments)
            line += u' ' + DesktopEntry::QuoteArgument(argument);
        const QStringList back = platform::SplitCommandLine(line);
        if (back.mid(1) != arguments)
            __builtin_trap();
    }
    return 0;
}
