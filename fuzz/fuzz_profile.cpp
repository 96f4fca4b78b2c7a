// The profile file reader (vellor.ini) on any bytes: every section listed
// and every key of the program read from it, with small and large buffers.

#include "FuzzInput.h"
#include "platform/ProfileFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProfileFile profile;
    profile.Parse(fuzz::Bytes(data, size));
    static const char* const keys[] = {"Content Type", "Application", "Description", "Extension", "Message"};
    for (const int buffer : {1, 16, 4096}) {
        for (const QString& section : profile.SectionNames(buffer)) {
            for (const char* key : keys) {
                const QString value = profile.String(section, QString::fromLatin1(key), QString(), buffer);
                if (value.size() >= buffer && buffer > 0)
                    __builtin_trap();  // a value longer than its buffer
            }
        }
    }
    return 0;
}
