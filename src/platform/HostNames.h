#pragma once
// Host file names are bytes; the program's texts are QString. Names that are
// not valid UTF-8 keep every byte: each invalid byte b becomes the lone
// surrogate U+DC00+b, and turns back into b on the way out.

#include <QByteArray>
#include <QString>

namespace platform {
QString FromHostName(const QByteArray& bytes);
QByteArray ToHostName(const QString& name);
}  // namespace platform
