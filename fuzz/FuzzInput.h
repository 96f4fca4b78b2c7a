#pragma once
// Shared pieces of the fuzz targets: the input as bytes, and a split of it
// into parts at a separator, so that one input can stand for several files
// or arguments.

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input cut at every "\n--\n": the pieces in order, at least one.
inline QList<QByteArray> Parts(const QByteArray& input)
{
    QList<QByteArray> parts;
    qsizetype from = 0;
    for (qsizetype at = input.indexOf("\n--\n"); at >= 0; at = input.indexOf("\n--\n", from)) {
        parts.append(input.mid(from, at - from));
        from = at + 4;
    }
    parts.append(input.mid(from));
    return parts;
}

}  // namespace fuzz
