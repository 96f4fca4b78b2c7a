#pragma once
// Operations on helper lists and the built-in default table.

#include "helpers/CHelperEntry.h"

#include <QString>

// Appends the eight built-in helpers; their programs lie in programDir
// (the program's folder, without a trailing separator).
void AddDefaultHelpers(const QString& programDir, CHelperList& list);
// Appends a copy of every entry of source to destination, head to tail.
void CopyHelpers(const CHelperList& source, CHelperList& destination);
// Removes and deletes the entries from the tail until the list is empty.
void DeleteHelpers(CHelperList& list);
