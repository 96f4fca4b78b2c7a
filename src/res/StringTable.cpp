#include "res/StringTable.h"

namespace res {

QString LoadString(unsigned id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return QStringLiteral("&About Vellora...");
    case IDS_PROPSHT_CAPTION:
        return QStringLiteral("Property Sheet");
    case IDS_SCANNING:
        return QStringLiteral("Scanning system");
    default:
        return {};
    }
}

}  // namespace res
