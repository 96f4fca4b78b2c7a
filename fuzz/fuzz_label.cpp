// The label scanner on any bytes, fed in pieces whose sizes come from the
// input itself, with runs of NUL bytes passed over as holes where allowed.

#include "label/CLabelScanner.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the piece size; a small value limit reaches the
    // runaway-value path without huge inputs.
    const std::size_t piece = 1 + data[0] % 64;
    CLabelScanner scanner(1 + data[0] % 200);
    const char* text = reinterpret_cast<const char*>(data + 1);
    std::size_t left = size - 1;
    while (left > 0 && !scanner.Done()) {
        if (*text == '\0' && scanner.CanSkipZeros()) {
            scanner.SkipZeros();
            ++text;
            --left;
            continue;
        }
        const std::size_t take = left < piece ? left : piece;
        scanner.Feed(text, take);
        text += take;
        left -= take;
    }
    const QByteArray value = scanner.Finish();
    if (value.size() > 200)
        __builtin_trap();  // the value limit was not kept
    return 0;
}
