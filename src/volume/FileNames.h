#pragma once
// How the folder trees and the file list show and classify the entries of a
// folder: display names, extensions, kinds, size texts and the first byte
// that orders the file list.

#include <QString>
#include <cstdint>

namespace volume {

// The name with its first character as on disk and the rest in lower case:
// DATA -> Data, cAtAlOg -> catalog.
QString DisplayName(const QString& name);

// From the last "." of the name to its end, dot included, in lower case;
// empty for a name without a dot.
QString Extension(const QString& name);

// The kind of a listed entry (CFileItem::Type): a folder is 1, then the
// extension decides over that: ".lbl" gives 2, ".exe", ".com" and ".bat"
// give 3; anything else keeps 0 (or 1 for a folder).
int FileType(bool isFolder, const QString& extension);

// A size in kilobytes, rounded up, at least 1, with its digits grouped in
// threes: 0 -> "1KB", 1048576 -> "1,024KB", 1500000000 -> "1,464,844KB".
QString SizeText(std::int64_t bytes);

// The first byte of the name as the file system stores it (its UTF-8
// encoding, or the raw byte of a name that is not valid UTF-8), as a
// signed 8-bit value; 0 for an empty name.
std::int8_t FirstByte(const QString& name);

}  // namespace volume
