// Feeds arbitrary bytes to the ODL parser: it must end without a crash, a
// hang or an unbounded allocation, and its label must lie within the text.

#include "product/OdlParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const product::OdlLabel label = product::OdlParser::Parse(text);
    if (label.endOffset < 0 || label.endOffset > static_cast<std::int64_t>(size)) {
        std::abort();
    }
    return 0;
}
