// Feeds arbitrary bytes to the ODL parser and, through a file, to the PDS3
// reader: both must end without a crash, a hang or an unbounded
// allocation, the label must lie within the text, and every described
// object's sizes must be positive.

#include "product/OdlParser.h"
#include "product/Pds3Product.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckProduct(const product::Product& product)
{
    for (const product::DataObject& object : product.objects) {
        if (const auto* array = std::get_if<product::ArrayObject>(&object)) {
            for (const product::Axis& axis : array->axes) {
                if (axis.elements < 1 || axis.strideBytes < 0) {
                    std::abort();
                }
            }
        } else if (std::get<product::TableObject>(object).rows < 0) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const product::OdlLabel label = product::OdlParser::Parse(text);
    if (label.endOffset < 0 || label.endOffset > static_cast<std::int64_t>(size)) {
        std::abort();
    }

    static QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("label.lbl"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(text.data(), text.size());
    file.close();
    try {
        CheckProduct(product::ReadPds3Product(path));
    } catch (const product::Error&) {
        // Not a PDS3 label: refused with a message, as it should be.
    }
    return 0;
}
