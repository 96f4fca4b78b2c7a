// Decoding single stored values: integers of every size and order, IEEE
// and VAX reals, complex pairs. The bytes are written by hand from the
// formats' definitions.

#include "product/ByteWriter.h"
#include "product/ElementCodec.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace product;

namespace {

ElementType Type(Encoding encoding, int bytes, ByteOrder order = ByteOrder::Big, bool vaxG = false)
{
    return ElementType{encoding, bytes, order, vaxG};
}

TEST(ElementCodec, IntegersOfEverySizeInBothOrders)
{
    for (int bytes = 1; bytes <= 8; ++bytes) {
        SCOPED_TRACE(bytes);
        // -2 in two's complement and the largest unsigned value of the size.
        const std::uint64_t minusTwo = bytes == 8 ? ~std::uint64_t(1) : ((std::uint64_t(1) << (8 * bytes)) - 2);
        const std::uint64_t largest = bytes == 8 ? ~std::uint64_t(0) : ((std::uint64_t(1) << (8 * bytes)) - 1);
        ByteWriter big, little, bigMax;
        big.Big(minusTwo, bytes);
        little.Little(minusTwo, bytes);
        bigMax.Big(largest, bytes);
        EXPECT_EQ(LoadSigned(big.data(), bytes, ByteOrder::Big), -2);
        EXPECT_EQ(LoadSigned(little.data(), bytes, ByteOrder::Little), -2);
        EXPECT_EQ(LoadUnsigned(bigMax.data(), bytes, ByteOrder::Big), largest);
        EXPECT_EQ(DecodeReal(big.data(), Type(Encoding::SignedInt, bytes)), -2.0);
        EXPECT_EQ(DecodeReal(little.data(), Type(Encoding::SignedInt, bytes, ByteOrder::Little)), -2.0);
    }
    // 1 as an MSB 16-bit value is 00 01, never 256.
    ByteWriter one;
    one.Raw({0x00, 0x01});
    EXPECT_EQ(DecodeReal(one.data(), Type(Encoding::UnsignedInt, 2)), 1.0);
    EXPECT_EQ(DecodeReal(one.data(), Type(Encoding::UnsignedInt, 2, ByteOrder::Little)), 256.0);
    // A signed byte 0xFF is -1, unsigned 255.
    ByteWriter ff;
    ff.Raw({0xFF});
    EXPECT_EQ(DecodeReal(ff.data(), Type(Encoding::SignedInt, 1)), -1.0);
    EXPECT_EQ(DecodeReal(ff.data(), Type(Encoding::UnsignedInt, 1)), 255.0);
}

TEST(ElementCodec, IeeeRealsInBothOrders)
{
    ByteWriter bytes;
    bytes.Raw({0x3F, 0xC0, 0x00, 0x00});  // 1.5f, MSB first
    EXPECT_EQ(DecodeReal(bytes.data(), Type(Encoding::IeeeReal, 4)), 1.5);
    ByteWriter little;
    little.Raw({0, 0, 0, 0, 0, 0, 0, 0xC0});  // -2.0, LSB first
    EXPECT_EQ(DecodeReal(little.data(), Type(Encoding::IeeeReal, 8, ByteOrder::Little)), -2.0);
    ByteWriter nan;
    nan.Raw({0x7F, 0xC0, 0, 0});
    EXPECT_TRUE(std::isnan(DecodeReal(nan.data(), Type(Encoding::IeeeReal, 4))));
}

TEST(ElementCodec, VaxFDAndGReals)
{
    // F: words low byte first; sign, 8-bit exponent (bias 128), 0.1f.
    ByteWriter oneF, minusOneF, halfF, threeF, zero, reserved;
    oneF.Raw({0x80, 0x40, 0x00, 0x00});
    minusOneF.Raw({0x80, 0xC0, 0x00, 0x00});
    halfF.Raw({0x00, 0x40, 0x00, 0x00});
    threeF.Raw({0x40, 0x41, 0x00, 0x00});
    zero.Raw({0, 0, 0, 0});
    reserved.Raw({0x00, 0x80, 0x00, 0x00});
    EXPECT_EQ(DecodeVaxF(oneF.data()), 1.0);
    EXPECT_EQ(DecodeVaxF(minusOneF.data()), -1.0);
    EXPECT_EQ(DecodeVaxF(halfF.data()), 0.5);
    EXPECT_EQ(DecodeVaxF(threeF.data()), 3.0);
    EXPECT_EQ(DecodeVaxF(zero.data()), 0.0);
    EXPECT_TRUE(std::isnan(DecodeVaxF(reserved.data())));
    // The fraction's low word: F 1 + 2^-23 has the last bit of word 2 set.
    ByteWriter tinyF;
    tinyF.Raw({0x80, 0x40, 0x01, 0x00});
    EXPECT_EQ(DecodeVaxF(tinyF.data()), 1.0 + std::ldexp(1.0, -23));

    // D: the same layout with 55 fraction bits over four words.
    ByteWriter oneD, fineD;
    oneD.Raw({0x80, 0x40, 0, 0, 0, 0, 0, 0});
    fineD.Raw({0x80, 0x40, 0, 0, 0, 0, 0x00, 0x80});  // bit 15 of the last word: 2^-40
    EXPECT_EQ(DecodeVaxD(oneD.data()), 1.0);
    EXPECT_EQ(DecodeVaxD(fineD.data()), 1.0 + std::ldexp(1.0, -40));

    // G: 11-bit exponent (bias 1024), 52 fraction bits.
    ByteWriter oneG, minusFourG;
    oneG.Raw({0x10, 0x40, 0, 0, 0, 0, 0, 0});
    minusFourG.Raw({0x30, 0xC0, 0, 0, 0, 0, 0, 0});  // 0.1b * 2^3, sign set
    EXPECT_EQ(DecodeVaxG(oneG.data()), 1.0);
    EXPECT_EQ(DecodeVaxG(minusFourG.data()), -4.0);

    EXPECT_EQ(DecodeReal(oneF.data(), Type(Encoding::VaxReal, 4, ByteOrder::Little)), 1.0);
    EXPECT_EQ(DecodeReal(oneG.data(), Type(Encoding::VaxReal, 8, ByteOrder::Little, true)), 1.0);
    EXPECT_EQ(DecodeReal(fineD.data(), Type(Encoding::VaxReal, 8, ByteOrder::Little)), 1.0 + std::ldexp(1.0, -40));
}

TEST(ElementCodec, ComplexPairs)
{
    ByteWriter ieee;
    ieee.FloatLittle(1.5f).FloatLittle(-2.0f);
    const ElementType c8 = Type(Encoding::IeeeComplex, 8, ByteOrder::Little);
    EXPECT_EQ(DecodeReal(ieee.data(), c8), 1.5);
    EXPECT_EQ(DecodeImaginary(ieee.data(), c8), -2.0);
    ByteWriter wide;
    wide.DoubleBig(-0.25).DoubleBig(1e300);
    const ElementType c16 = Type(Encoding::IeeeComplex, 16);
    EXPECT_EQ(DecodeReal(wide.data(), c16), -0.25);
    EXPECT_EQ(DecodeImaginary(wide.data(), c16), 1e300);
    ByteWriter vax;
    vax.Raw({0x80, 0x40, 0, 0, 0x80, 0xC0, 0, 0});
    const ElementType vaxComplex = Type(Encoding::VaxComplex, 8, ByteOrder::Little);
    EXPECT_EQ(DecodeReal(vax.data(), vaxComplex), 1.0);
    EXPECT_EQ(DecodeImaginary(vax.data(), vaxComplex), -1.0);
    EXPECT_EQ(DecodeImaginary(ieee.data(), Type(Encoding::IeeeReal, 4, ByteOrder::Little)), 0.0);
}

TEST(ElementCodec, KnowsWhichTypesItDecodes)
{
    EXPECT_TRUE(IsDecodable(Type(Encoding::SignedInt, 3)));
    EXPECT_FALSE(IsDecodable(Type(Encoding::SignedInt, 0)));
    EXPECT_FALSE(IsDecodable(Type(Encoding::UnsignedInt, 9)));
    EXPECT_FALSE(IsDecodable(Type(Encoding::IeeeReal, 2)));
    EXPECT_FALSE(IsDecodable(Type(Encoding::IeeeComplex, 4)));
    EXPECT_TRUE(IsDecodable(Type(Encoding::VaxComplex, 16)));
}

}  // namespace
