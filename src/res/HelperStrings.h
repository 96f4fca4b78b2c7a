#pragma once
// The built-in helper table (UTF-8 texts, made QStrings by res::Decode).

namespace res {
// One row of the built-in helper table; the program file lies in the
// program's own folder.
struct DefaultHelper {
    const char* name;
    const char* contentType;
    const char* program;  // appended to the program folder
    const char* extension;
    const char* description;
};

inline constexpr DefaultHelper kDefaultHelpers[] = {
    {"GRAFEL - Table", "TABLE", "\\grafel.exe", "", "View data as multi-panel graphs."},
    {"SKYGLASS - Table", "TABLE", "\\skyglass.exe", ".LBL", "View data as a table."},
    {"GRAFEL - Time series", "TIME_SERIES", "\\grafel.exe", "", "View data as multi-panel graphs."},
    {"Skyglass - Time Series", "TIME_SERIES", "\\skyglass.exe", ".LBL", "View data as a table."},
    {"*", "*", "\\plainsight.exe", "", "View file as text."},
    {"Plainsight - Label", "LABEL", "\\plainsight.exe", ".LBL", "View label as plain text."},
    {"Tagwright - Label", "LABEL", "\\tagwright.exe", ".LBL", "View label in an explorer."},
    {"Skyglass - Image", "IMAGE", "\\skyglass.exe", ".LBL", "View image data."},
};
}  // namespace res
