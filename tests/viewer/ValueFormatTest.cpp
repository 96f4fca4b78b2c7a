// Column formats from labels: PDS3 FORTRAN-like FORMATs and PDS4 printf-like
// field_formats, applied to the values a table holds.

#include "viewer/ValueFormat.h"

#include <gtest/gtest.h>

#include <cmath>

using product::Value;
using viewer::ValueFormat;

namespace {

QString Show(const char* format, const Value& value)
{
    return ValueFormat::Parse(QString::fromLatin1(format)).Text(value);
}

}  // namespace

TEST(ValueFormat, FortranFormatsGiveDigitsAndNotation)
{
    EXPECT_EQ(Show("F10.3", Value::Real(3.14159)), QStringLiteral("3.142"));
    EXPECT_EQ(Show("F6.0", Value::Real(2.6)), QStringLiteral("3"));
    EXPECT_EQ(Show("E12.4", Value::Real(1234.5678)), QStringLiteral("1.2346E+03"));
    EXPECT_EQ(Show("ES11.2", Value::Real(-0.000123)), QStringLiteral("-1.23E-04"));
    EXPECT_EQ(Show("D20.12", Value::Real(0.5)), QStringLiteral("5.000000000000E-01"));
    EXPECT_EQ(Show("E10.3E3", Value::Real(1e100)), QStringLiteral("1.000E+100"));
    EXPECT_EQ(Show("f7.1", Value::Real(-1.26)), QStringLiteral("-1.3"));  // lower case
    // An integer format keeps integers whole, whatever their size.
    EXPECT_EQ(Show("I20", Value::Signed(-9003372036854775800)), QStringLiteral("-9003372036854775800"));
    EXPECT_EQ(Show("I5", Value::Real(12.0)), QStringLiteral("12"));
    EXPECT_EQ(Show("I5", Value::Real(12.5)), QStringLiteral("12.5"));  // a scaled value keeps its fraction
    EXPECT_EQ(Show("Z4", Value::Signed(255)), QStringLiteral("FF"));
    EXPECT_EQ(Show("O3", Value::Signed(8)), QStringLiteral("10"));
    EXPECT_EQ(Show("A10", Value::Text("  padded")), QStringLiteral("  padded"));
    EXPECT_EQ(Show("\"F5.1\"", Value::Real(1.04)), QStringLiteral("1.04"));  // quotes left in: not understood
}

TEST(ValueFormat, PrintfFormatsGiveDigitsAndNotation)
{
    EXPECT_EQ(Show("%13.7f", Value::Real(0.3005)), QStringLiteral("0.3005000"));
    EXPECT_EQ(Show("%-8.2f", Value::Real(2.0 / 3.0)), QStringLiteral("0.67"));
    EXPECT_EQ(Show("%12.5E", Value::Real(6.02214076e23)), QStringLiteral("6.02214E+23"));
    EXPECT_EQ(Show("%e", Value::Real(1.5)), QStringLiteral("1.500000e+00"));
    EXPECT_EQ(Show("%d", Value::Unsigned(17396744073709550582ULL)), QStringLiteral("17396744073709550582"));
    EXPECT_EQ(Show("%x", Value::Unsigned(0xDEADBEEFULL)), QStringLiteral("deadbeef"));
    EXPECT_EQ(Show("%08X", Value::Signed(48879)), QStringLiteral("BEEF"));
    EXPECT_EQ(Show("%o", Value::Signed(64)), QStringLiteral("100"));
    EXPECT_EQ(Show("%s", Value::Text("text")), QStringLiteral("text"));
}

TEST(ValueFormat, ValuesTheFormatDoesNotFitShowAsRead)
{
    // No format, an unknown one, text in a number column, negative numbers
    // in hexadecimal, complex values, non-finite values, empty values.
    EXPECT_EQ(Show("", Value::Real(0.1)), QStringLiteral("0.1"));
    EXPECT_EQ(Show("%q", Value::Real(0.1)), QStringLiteral("0.1"));
    EXPECT_EQ(Show("G12.5", Value::Real(1e30)), QStringLiteral("1e+30"));
    EXPECT_EQ(Show("F8.2", Value::Text("N/A")), QStringLiteral("N/A"));
    EXPECT_EQ(Show("Z8", Value::Signed(-1)), QStringLiteral("-1"));
    EXPECT_EQ(Show("F8.2", Value::Complex(1.5, -2)), QStringLiteral("1.5-2j"));
    EXPECT_EQ(Show("F8.2", Value::Real(NAN)), QStringLiteral("NaN"));
    EXPECT_EQ(Show("F8.2", Value()), QString());
    // Raw text is the CSV export's.
    EXPECT_EQ(ValueFormat::RawText(Value::Real(2.0 / 3.0)), QStringLiteral("0.6666666666666666"));
    EXPECT_EQ(ValueFormat::RawText(Value::Text("a,b")), QStringLiteral("a,b"));
}
