#pragma once
// Decodes one stored binary value of any ElementType: two's complement and
// unsigned integers of 1 to 8 bytes in either byte order, IEEE 754 single
// and double in either order, VAX F, D and G reals, and complex pairs of
// either. The bytes must hold at least `type.bytes` bytes.

#include "product/Product.h"

#include <cstdint>
#include <cstring>

namespace product {

// Whether the decoder knows the type (integers 1-8 bytes, reals 4 or 8,
// complex 8 or 16).
bool IsDecodable(const ElementType& type);

// The unsigned integer of `bytes` bytes (1-8) in `order`.
std::uint64_t LoadUnsigned(const unsigned char* bytes, int count, ByteOrder order);
// The same bytes as two's complement.
std::int64_t LoadSigned(const unsigned char* bytes, int count, ByteOrder order);

// VAX reals from their 4 (F) or 8 (D, G) bytes as stored on disk.
double DecodeVaxF(const unsigned char* bytes);
double DecodeVaxD(const unsigned char* bytes);
double DecodeVaxG(const unsigned char* bytes);

// The value as a double (a complex value's real part).
double DecodeReal(const unsigned char* bytes, const ElementType& type);
// A complex value's imaginary part; 0 for other types.
double DecodeImaginary(const unsigned char* bytes, const ElementType& type);

// Unaligned loads in the host's (little-endian) order, for the tight loops.
template <typename T>
inline T LoadHost(const unsigned char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace product
