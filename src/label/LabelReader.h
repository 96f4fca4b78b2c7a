#pragma once
// The content type of a PDS label: the value of its first OBJECT statement.

#include <QString>

#include <optional>

// Reads the label at path (a drive path such as "D:/Data/Img001.lbl", or a
// host path) up to its first OBJECT line and returns that line's value,
// trimmed, otherwise as written. Empty when the label has no OBJECT line or
// its value is empty. A path that is not a readable regular file gives the
// message "Unable to open file: " + shownPath (OK button) and empty text.
QString GetLabelContentType(const QString& path, const QString& shownPath);
// The same without a message: nothing when path is not a readable regular
// file.
std::optional<QString> ReadLabelContentType(const QString& path);
