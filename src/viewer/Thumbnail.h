#pragma once
// The thumbnail of a product for file managers: its first image, reduced
// to at most SIZE pixels on its longer side by reading every Nth line and
// sample, stretched between the 0.5th and 99.5th percentiles, in colour
// when the image has three bands, in the label's display direction;
// special samples are transparent in the written PNG.

#include <QImage>
#include <QString>

namespace viewer {

// Throws product::Error naming the file and what is wrong.
QImage MakeThumbnail(const QString& path, int size);
// Writes it as a PNG; nothing is left behind when that fails.
void WriteThumbnail(const QString& path, int size, const QString& target);

// `vellora-view --thumbnail SIZE IN OUT` with the arguments after
// --thumbnail: the exit status; a failure's line goes to `err`.
int RunThumbnail(const QStringList& arguments, QString& err);

}  // namespace viewer
