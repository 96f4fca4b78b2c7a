#include "product/Value.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace product {

double Value::ToDouble() const
{
    switch (kind) {
    case Kind::Signed:
        return double(integer);
    case Kind::Unsigned:
        return double(natural);
    case Kind::Real:
    case Kind::Complex:
        return real;
    case Kind::Empty:
    case Kind::Text:
        break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

Value Value::Signed(std::int64_t v)
{
    Value value;
    value.kind = Kind::Signed;
    value.integer = v;
    return value;
}

Value Value::Unsigned(std::uint64_t v)
{
    Value value;
    value.kind = Kind::Unsigned;
    value.natural = v;
    return value;
}

Value Value::Real(double v)
{
    Value value;
    value.kind = Kind::Real;
    value.real = v;
    return value;
}

Value Value::Complex(double re, double im)
{
    Value value;
    value.kind = Kind::Complex;
    value.real = re;
    value.imaginary = im;
    return value;
}

Value Value::Text(std::string v)
{
    Value value;
    value.kind = Kind::Text;
    value.text = std::move(v);
    return value;
}

namespace {

template <typename T>
void AppendNumber(std::string& out, T number)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

}  // namespace

void AppendReal(std::string& out, double value)
{
    if (std::isnan(value))
        out += "NaN";
    else if (std::isinf(value))
        out += value < 0 ? "-inf" : "inf";
    else
        AppendNumber(out, value);
}

void AppendValue(std::string& out, const Value& value)
{
    switch (value.kind) {
    case Value::Kind::Empty:
        return;
    case Value::Kind::Signed:
        AppendNumber(out, value.integer);
        return;
    case Value::Kind::Unsigned:
        AppendNumber(out, value.natural);
        return;
    case Value::Kind::Real:
        AppendReal(out, value.real);
        return;
    case Value::Kind::Complex:
        AppendReal(out, value.real);
        if (!std::signbit(value.imaginary) || std::isnan(value.imaginary))
            out += '+';
        AppendReal(out, value.imaginary);
        out += 'j';
        return;
    case Value::Kind::Text:
        out += value.text;
        return;
    }
}

}  // namespace product
