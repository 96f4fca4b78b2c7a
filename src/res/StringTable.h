#pragma once
// The string table: texts the program loads by id.

#include <QString>

namespace res {
inline constexpr unsigned IDS_ABOUTBOX = 101;       // "&About Vellora..."
inline constexpr unsigned IDS_PROPSHT_CAPTION = 106;  // "Property Sheet"
inline constexpr unsigned IDS_SCANNING = 110;        // "Scanning system"

// The text of a string id; empty for an id the table does not hold.
QString LoadString(unsigned id);
}  // namespace res
