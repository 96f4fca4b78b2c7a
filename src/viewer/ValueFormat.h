#pragma once
// A column's display format, from the label: a PDS3 FORMAT (FORTRAN-like:
// "A10", "I5", "F10.3", "E12.5", "ES12.5", "D20.12", "Z8", "O6") or a PDS4
// field_format (printf-like: "%8.3f", "%d", "%-10s", "%12.5E", "%x"). Only
// the kind of conversion and the digits after the point matter on screen;
// widths are the table's business. A format that is empty or not
// understood shows values as they are read.

#include "product/Value.h"

#include <QString>

namespace viewer {

class ValueFormat {
public:
    enum class Kind { AsRead, Text, Integer, Fixed, Exponent, Hex, Octal };

    static ValueFormat Parse(const QString& format);

    Kind kind() const { return m_kind; }
    int decimals() const { return m_decimals; }

    // The value's text by this format. Values the format does not fit (a
    // fraction in an integer column, text in a number column, complex
    // values) are shown as read.
    QString Text(const product::Value& value) const;

    // The value as read: the same text the CSV export writes.
    static QString RawText(const product::Value& value);

private:
    Kind m_kind = Kind::AsRead;
    int m_decimals = -1;  // -1: not given
    bool m_upperCase = true;
};

}  // namespace viewer
