#pragma once
// One decoded table value, and its text in the shortest exact form.

#include <cstdint>
#include <string>

namespace product {

struct Value {
    enum class Kind { Empty, Signed, Unsigned, Real, Complex, Text };
    Kind kind = Kind::Empty;
    std::int64_t integer = 0;   // Signed
    std::uint64_t natural = 0;  // Unsigned
    double real = 0;            // Real, and a Complex value's real part
    double imaginary = 0;
    std::string text;  // Text, trimmed

    bool IsNumber() const { return kind != Kind::Empty && kind != Kind::Text; }
    // The number as a double (a complex value's real part); NaN for
    // empty and text values.
    double ToDouble() const;

    static Value Signed(std::int64_t v);
    static Value Unsigned(std::uint64_t v);
    static Value Real(double v);
    static Value Complex(double re, double im);
    static Value Text(std::string v);
};

// Appends the value's text: integers exactly, reals in their shortest form
// that reads back to the same double ("0.1", "1e+30", "1610"), complex
// values as "1.5-2j", NaN as "NaN", infinities as "inf"/"-inf", text as it
// is and an empty value as nothing.
void AppendValue(std::string& out, const Value& value);
void AppendReal(std::string& out, double value);

}  // namespace product
