#include "product/ElementCodec.h"

#include <bit>
#include <cmath>
#include <limits>

namespace product {

namespace {

// A VAX real's 16-bit words, each stored low byte first, with the sign,
// exponent and high fraction bits in the first word; joined most
// significant word first.
std::uint64_t VaxWords(const unsigned char* bytes, int words)
{
    std::uint64_t joined = 0;
    for (int i = 0; i < words; ++i)
        joined = (joined << 16) | (std::uint64_t(bytes[2 * i + 1]) << 8) | bytes[2 * i];
    return joined;
}

// value = (-1)^sign * 0.1fraction (binary) * 2^(exponent - bias); a zero
// exponent is 0 with a clear sign bit and a reserved operand with a set one.
double VaxValue(std::uint64_t bits, int totalBits, int exponentBits, int bias)
{
    const int fractionBits = totalBits - 1 - exponentBits;
    const bool negative = (bits >> (totalBits - 1)) & 1;
    const int exponent = int((bits >> fractionBits) & ((1u << exponentBits) - 1));
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << fractionBits) - 1);
    if (exponent == 0)
        return negative ? std::numeric_limits<double>::quiet_NaN() : 0.0;
    const double mantissa = 1.0 + std::ldexp(double(fraction), -fractionBits);  // 1.f = 2 * 0.1f
    const double value = std::ldexp(mantissa, exponent - bias - 1);
    return negative ? -value : value;
}

double DecodeIeee(const unsigned char* bytes, int count, ByteOrder order)
{
    const std::uint64_t bits = LoadUnsigned(bytes, count, order);
    if (count == 4)
        return std::bit_cast<float>(std::uint32_t(bits));
    return std::bit_cast<double>(bits);
}

double DecodeVax(const unsigned char* bytes, int count, bool vaxG)
{
    if (count == 4)
        return DecodeVaxF(bytes);
    return vaxG ? DecodeVaxG(bytes) : DecodeVaxD(bytes);
}

}  // namespace

bool IsDecodable(const ElementType& type)
{
    switch (type.encoding) {
    case Encoding::SignedInt:
    case Encoding::UnsignedInt:
        return type.bytes >= 1 && type.bytes <= 8;
    case Encoding::IeeeReal:
    case Encoding::VaxReal:
        return type.bytes == 4 || type.bytes == 8;
    case Encoding::IeeeComplex:
    case Encoding::VaxComplex:
        return type.bytes == 8 || type.bytes == 16;
    }
    return false;
}

std::uint64_t LoadUnsigned(const unsigned char* bytes, int count, ByteOrder order)
{
    std::uint64_t value = 0;
    if (order == ByteOrder::Big) {
        for (int i = 0; i < count; ++i)
            value = (value << 8) | bytes[i];
    } else {
        for (int i = count - 1; i >= 0; --i)
            value = (value << 8) | bytes[i];
    }
    return value;
}

std::int64_t LoadSigned(const unsigned char* bytes, int count, ByteOrder order)
{
    const std::uint64_t value = LoadUnsigned(bytes, count, order);
    if (count >= 8)
        return std::int64_t(value);
    const int unused = 64 - 8 * count;
    return std::int64_t(value << unused) >> unused;  // arithmetic shift spreads the sign bit
}

double DecodeVaxF(const unsigned char* bytes) { return VaxValue(VaxWords(bytes, 2), 32, 8, 128); }

double DecodeVaxD(const unsigned char* bytes) { return VaxValue(VaxWords(bytes, 4), 64, 8, 128); }

double DecodeVaxG(const unsigned char* bytes) { return VaxValue(VaxWords(bytes, 4), 64, 11, 1024); }

double DecodeReal(const unsigned char* bytes, const ElementType& type)
{
    switch (type.encoding) {
    case Encoding::SignedInt:
        return double(LoadSigned(bytes, type.bytes, type.order));
    case Encoding::UnsignedInt:
        return double(LoadUnsigned(bytes, type.bytes, type.order));
    case Encoding::IeeeReal:
        return DecodeIeee(bytes, type.bytes, type.order);
    case Encoding::VaxReal:
        return DecodeVax(bytes, type.bytes, type.vaxG);
    case Encoding::IeeeComplex:
        return DecodeIeee(bytes, type.bytes / 2, type.order);
    case Encoding::VaxComplex:
        return DecodeVax(bytes, type.bytes / 2, type.vaxG);
    }
    return 0;
}

double DecodeImaginary(const unsigned char* bytes, const ElementType& type)
{
    const int half = type.bytes / 2;
    if (type.encoding == Encoding::IeeeComplex)
        return DecodeIeee(bytes + half, half, type.order);
    if (type.encoding == Encoding::VaxComplex)
        return DecodeVax(bytes + half, half, type.vaxG);
    return 0;
}

}  // namespace product
