// Reading arrays from files the tests write: every band storage order as
// strides, line prefix and suffix bytes, windows with a step, statistics
// (exact, huge values, NaN and special constants), percentiles, short
// files and labels that lie about sizes, reading from several threads.

#include "product/ArrayReader.h"
#include "product/ByteWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using namespace product;

namespace {

constexpr std::int64_t kBands = 3;
constexpr std::int64_t kLines = 4;
constexpr std::int64_t kSamples = 5;
constexpr std::int64_t kPrefix = 3;  // bytes before each line
constexpr std::int64_t kSuffix = 2;  // and after it

// The value written for a sample: its place, so every read can be checked.
double Expected(std::int64_t band, std::int64_t line, std::int64_t sample)
{
    return double(band * 100 + line * 10 + sample);
}

enum class Storage { BandSequential, LineInterleaved, SampleInterleaved };

// Writes the test image as 16-bit MSB integers in one storage order, with a
// header of 7 bytes and line prefix and suffix bytes (BSQ and BIL only),
// and describes it as a label reader would.
ArrayObject WriteImage(const TempDir& dir, Storage storage)
{
    ByteWriter bytes;
    bytes.Fill(7, 'H');
    ArrayObject array;
    array.name = QStringLiteral("IMAGE");
    array.element = {Encoding::UnsignedInt, 2, ByteOrder::Big};
    array.offset = 7;
    const std::int64_t lineBytes = kSamples * 2;
    switch (storage) {
    case Storage::BandSequential:
        for (std::int64_t b = 0; b < kBands; ++b)
            for (std::int64_t l = 0; l < kLines; ++l) {
                bytes.Fill(int(kPrefix), 'p');
                for (std::int64_t s = 0; s < kSamples; ++s)
                    bytes.Big(std::uint64_t(Expected(b, l, s)), 2);
                bytes.Fill(int(kSuffix), 's');
            }
        array.axes = {{"BAND", kBands, kLines * (kPrefix + lineBytes + kSuffix)},
                      {"LINE", kLines, kPrefix + lineBytes + kSuffix},
                      {"SAMPLE", kSamples, 2}};
        array.offset += kPrefix;
        array.bandAxis = 0;
        array.lineAxis = 1;
        array.sampleAxis = 2;
        break;
    case Storage::LineInterleaved:
        for (std::int64_t l = 0; l < kLines; ++l) {
            bytes.Fill(int(kPrefix), 'p');
            for (std::int64_t b = 0; b < kBands; ++b)
                for (std::int64_t s = 0; s < kSamples; ++s)
                    bytes.Big(std::uint64_t(Expected(b, l, s)), 2);
            bytes.Fill(int(kSuffix), 's');
        }
        array.axes = {{"LINE", kLines, kPrefix + kBands * lineBytes + kSuffix},
                      {"BAND", kBands, lineBytes},
                      {"SAMPLE", kSamples, 2}};
        array.offset += kPrefix;
        array.lineAxis = 0;
        array.bandAxis = 1;
        array.sampleAxis = 2;
        break;
    case Storage::SampleInterleaved:
        for (std::int64_t l = 0; l < kLines; ++l)
            for (std::int64_t s = 0; s < kSamples; ++s)
                for (std::int64_t b = 0; b < kBands; ++b)
                    bytes.Big(std::uint64_t(Expected(b, l, s)), 2);
        array.axes = {{"LINE", kLines, kSamples * kBands * 2}, {"SAMPLE", kSamples, kBands * 2}, {"BAND", kBands, 2}};
        array.lineAxis = 0;
        array.sampleAxis = 1;
        array.bandAxis = 2;
        break;
    }
    array.dataFile = dir.write(QStringLiteral("image.img"), bytes.bytes());
    return array;
}

TEST(ArrayReader, EveryStorageOrderReadsTheSameBands)
{
    for (Storage storage : {Storage::BandSequential, Storage::LineInterleaved, Storage::SampleInterleaved}) {
        SCOPED_TRACE(int(storage));
        TempDir dir;
        const ArrayReader reader = ArrayReader::Open(WriteImage(dir, storage));
        EXPECT_TRUE(reader.problem().isEmpty());
        for (std::int64_t band = 0; band < kBands; ++band) {
            const auto values = reader.ReadBand(band, {0, 0, kLines, kSamples, 1});
            ASSERT_EQ(values.size(), std::size_t(kLines * kSamples));
            for (std::int64_t l = 0; l < kLines; ++l)
                for (std::int64_t s = 0; s < kSamples; ++s)
                    EXPECT_EQ(values[std::size_t(l * kSamples + s)], Expected(band, l, s));
        }
        // A window with a step: lines 1 and 3, samples 1 and 3 of band 3.
        const auto reduced = reader.ReadBand(2, {1, 1, 3, 4, 2});
        EXPECT_EQ(reduced,
                  (std::vector<double>{Expected(2, 1, 1), Expected(2, 1, 3), Expected(2, 3, 1), Expected(2, 3, 3)}));
        // Band statistics: band b holds 100b + 10l + s.
        const Statistics stats = reader.BandStatistics(1);
        EXPECT_EQ(stats.values.count, kLines * kSamples);
        EXPECT_EQ(stats.values.min, 100);
        EXPECT_EQ(stats.values.max, 134);
        EXPECT_DOUBLE_EQ(stats.values.mean, 100 + 15 + 2);
        // Population variance of 10l (l = 0..3) plus that of s (s = 0..4).
        EXPECT_NEAR(stats.values.stddev, std::sqrt(125.0 + 2.0), 1e-12);
        EXPECT_THROW(reader.ReadBand(3, {0, 0, 1, 1, 1}), Error);
        EXPECT_THROW(reader.ReadBand(0, {3, 0, 2, 1, 1}), Error);
    }
}

ArrayObject OneAxis(const QString& file, ElementType element, std::int64_t count)
{
    ArrayObject array;
    array.name = QStringLiteral("values");
    array.kind = ArrayKind::Array;
    array.dataFile = file;
    array.element = element;
    array.axes = {{"axis", count, element.bytes}};
    return array;
}

TEST(ArrayReader, StatisticsLeaveOutNaNAndCountSpecialConstants)
{
    TempDir dir;
    ByteWriter bytes;
    for (float v : {1.0f, 2.0f, NAN, -5.0f, 4.0f, -5.0f})
        bytes.FloatLittle(v);
    ArrayObject array = OneAxis(dir.write("f.dat", bytes.bytes()), {Encoding::IeeeReal, 4, ByteOrder::Little}, 6);
    array.specials = {{"MISSING_CONSTANT", -5.0}, {"NULL", -5.0}, {"INVALID_CONSTANT", 99}};
    const Statistics stats = ArrayReader::Open(array).WholeStatistics();
    // The special values stay in the moments; only NaN is left out.
    EXPECT_EQ(stats.values.count, 5);
    EXPECT_EQ(stats.special, 3);
    EXPECT_EQ(stats.values.min, -5);
    EXPECT_EQ(stats.values.max, 4);
    EXPECT_DOUBLE_EQ(stats.values.mean, -0.6);
    EXPECT_NEAR(stats.values.stddev, std::sqrt((2.56 + 6.76 + 19.36 + 21.16 + 19.36) / 5), 1e-12);

    // Integer samples: the constants count through the histogram too.
    ByteWriter bytes8;
    bytes8.Raw({0, 0, 255, 7, 0});
    ArrayObject array8 = OneAxis(dir.write("b.dat", bytes8.bytes()), {Encoding::UnsignedInt, 1}, 5);
    array8.specials = {{"CORE_NULL", 0}, {"CORE_LOW_REPR_SATURATION", 0}, {"CORE_HIGH_REPR_SATURATION", 255}};
    const Statistics stats8 = ArrayReader::Open(array8).WholeStatistics();
    EXPECT_EQ(stats8.special, 4);  // three zeros and one 255
    EXPECT_EQ(stats8.values.count, 5);
    EXPECT_DOUBLE_EQ(stats8.values.mean, 262.0 / 5);
}

TEST(ArrayReader, StatisticsOfValuesNearTheLargestDouble)
{
    TempDir dir;
    const double big = 1.79e308;
    ByteWriter bytes;
    bytes.DoubleBig(big).DoubleBig(-big).DoubleBig(big);
    const ArrayObject array = OneAxis(dir.write("d.dat", bytes.bytes()), {Encoding::IeeeReal, 8}, 3);
    const Statistics stats = ArrayReader::Open(array).WholeStatistics();
    EXPECT_DOUBLE_EQ(stats.values.mean, big / 3);
    // Deviations 2/3 big, 4/3 big, 2/3 big: variance (4 + 16 + 4) / 27 big^2.
    EXPECT_NEAR(stats.values.stddev / big, std::sqrt(24.0 / 27.0), 1e-12);
    EXPECT_TRUE(std::isfinite(stats.values.stddev));
}

TEST(ArrayReader, SixtyFourBitExtremesStayExact)
{
    TempDir dir;
    ByteWriter bytes;
    bytes.Little(9003372036854775801u, 8).Little(17396744073709550582u, 8);
    const ArrayObject array = OneAxis(dir.write("u.dat", bytes.bytes()), {Encoding::UnsignedInt, 8, ByteOrder::Little},
                                      2);
    const Statistics stats = ArrayReader::Open(array).WholeStatistics();
    EXPECT_EQ(stats.values.exactMin.natural, 9003372036854775801u);
    EXPECT_EQ(stats.values.exactMax.natural, 17396744073709550582u);
}

TEST(ArrayReader, LargeBandsSplitOverThreadsGiveExactFigures)
{
    TempDir dir;
    // 2048 x 2048 16-bit LSB samples: every value 0..65535 exactly 64 times.
    constexpr std::int64_t side = 2048;
    QByteArray data(side * side * 2, '\0');
    for (std::int64_t i = 0; i < side * side; ++i) {
        data[qsizetype(2 * i)] = char(i & 0xFF);
        data[qsizetype(2 * i + 1)] = char((i >> 8) & 0xFF);
    }
    ArrayObject array;
    array.dataFile = dir.write("big.img", data);
    array.element = {Encoding::UnsignedInt, 2, ByteOrder::Little};
    array.axes = {{"LINE", side, side * 2}, {"SAMPLE", side, 2}};
    array.lineAxis = 0;
    array.sampleAxis = 1;
    const ArrayReader reader = ArrayReader::Open(array);
    const Statistics stats = reader.BandStatistics(0);
    EXPECT_EQ(stats.values.count, side * side);
    EXPECT_EQ(stats.values.max, 65535);
    EXPECT_DOUBLE_EQ(stats.values.mean, 32767.5);
    EXPECT_DOUBLE_EQ(stats.values.stddev, std::sqrt((65536.0 * 65536.0 - 1) / 12));
    // Percentiles of a uniform histogram: rank floor(f * (n - 1)).
    const auto cut = reader.BandPercentiles(0, {0.005, 0.995});
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], std::floor(std::floor(0.005 * double(side * side - 1)) / 64));
    EXPECT_EQ(cut[1], std::floor(std::floor(0.995 * double(side * side - 1)) / 64));

    // The same values as 32-bit floats go through the general path.
    QByteArray floats(side * 3000 * 4, '\0');
    for (std::int64_t i = 0; i < side * 3000; ++i) {
        const auto bits = std::bit_cast<std::uint32_t>(float(i % 1000));
        std::memcpy(floats.data() + 4 * i, &bits, 4);
    }
    ArrayObject floatArray = array;
    floatArray.dataFile = dir.write("big.flt", floats);
    floatArray.element = {Encoding::IeeeReal, 4, ByteOrder::Little};
    floatArray.axes = {{"LINE", 3000, side * 4}, {"SAMPLE", side, 4}};
    const Statistics floatStats = ArrayReader::Open(floatArray).BandStatistics(0);
    EXPECT_EQ(floatStats.values.count, side * 3000);
    EXPECT_NEAR(floatStats.values.mean, 499.5, 1e-9);
    EXPECT_NEAR(floatStats.values.stddev, std::sqrt((1000.0 * 1000.0 - 1) / 12), 1e-9);
}

TEST(ArrayReader, SeveralThreadsReadTilesAtOnce)
{
    TempDir dir;
    const ArrayReader reader = ArrayReader::Open(WriteImage(dir, Storage::LineInterleaved));
    std::vector<int> wrong(4, 0);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&reader, &wrong, t] {
                for (int round = 0; round < 200; ++round) {
                    const std::int64_t band = (t + round) % kBands;
                    const auto values = reader.ReadBand(band, {1, 2, 2, 3, 1});
                    for (std::int64_t l = 0; l < 2; ++l)
                        for (std::int64_t s = 0; s < 3; ++s)
                            wrong[t] += values[std::size_t(l * 3 + s)] != Expected(band, 1 + l, 2 + s);
                }
            });
    }
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(ArrayReader, AShortFileIsNamedWithBothSizesAndTheRestIsRead)
{
    TempDir dir;
    ArrayObject array = WriteImage(dir, Storage::SampleInterleaved);
    const std::int64_t full = 7 + kLines * kSamples * kBands * 2;  // after the 7-byte header
    QFile::resize(array.dataFile, full - 2 * kSamples * kBands);   // the last line is gone
    const ArrayReader reader = ArrayReader::Open(array);
    EXPECT_TRUE(reader.problem().contains(QString::number(full))) << reader.problem().toStdString();
    EXPECT_TRUE(reader.problem().contains(QString::number(full - 2 * kSamples * kBands)));
    const auto values = reader.ReadBand(0, {0, 0, kLines, kSamples, 1});
    EXPECT_EQ(values[0], Expected(0, 0, 0));
    EXPECT_EQ(values[std::size_t(2 * kSamples + 4)], Expected(0, 2, 4));
    EXPECT_TRUE(std::isnan(values[std::size_t(3 * kSamples)]));
    EXPECT_EQ(reader.BandStatistics(0).values.count, (kLines - 1) * kSamples);
}

TEST(ArrayReader, LabelsThatLieAboutSizesAreRefusedBeforeAnyAllocation)
{
    TempDir dir;
    const QString file = dir.write("small.img", QByteArray(16, '\0'));
    ArrayObject huge;
    huge.dataFile = file;
    huge.element = {Encoding::UnsignedInt, 2};
    huge.axes = {{"LINE", 1000000000, 2000000000}, {"SAMPLE", 1000000000, 2}};
    huge.lineAxis = 0;
    huge.sampleAxis = 1;
    // 10^9 x 10^9 samples of 2 bytes fit 64 bits: a short file, nothing read.
    const ArrayReader reader = ArrayReader::Open(huge);
    EXPECT_FALSE(reader.problem().isEmpty());
    EXPECT_THROW(reader.ReadAll(1 << 20), Error);
    // Strides whose product overflows 64 bits are an error.
    ArrayObject overflow = huge;
    overflow.axes[0].strideBytes = std::int64_t(1) << 62;
    EXPECT_THROW(ArrayReader::Open(overflow), Error);
    ArrayObject negative = huge;
    negative.axes[1].elements = -1;
    EXPECT_THROW(ArrayReader::Open(negative), Error);
    ArrayObject odd = huge;
    odd.element = {Encoding::IeeeReal, 3};
    EXPECT_THROW(ArrayReader::Open(odd), Error);
    ArrayObject missing = huge;
    missing.dataFile = dir.file("absent.img");
    EXPECT_THROW(ArrayReader::Open(missing), Error);
}

TEST(ArrayReader, ComplexStatisticsOfRealPartsAndMagnitudes)
{
    TempDir dir;
    ByteWriter bytes;
    bytes.FloatBig(3).FloatBig(4).FloatBig(-6).FloatBig(8).FloatBig(NAN).FloatBig(0);
    const ArrayObject array = OneAxis(dir.write("c.dat", bytes.bytes()), {Encoding::IeeeComplex, 8}, 3);
    const Statistics stats = ArrayReader::Open(array).WholeStatistics();
    EXPECT_EQ(stats.values.count, 2);
    EXPECT_EQ(stats.special, 1);
    EXPECT_EQ(stats.values.min, -6);
    EXPECT_EQ(stats.values.max, 3);
    ASSERT_TRUE(stats.magnitude.has_value());
    EXPECT_EQ(stats.magnitude->min, 5);
    EXPECT_EQ(stats.magnitude->max, 10);
    EXPECT_DOUBLE_EQ(stats.magnitude->mean, 7.5);
    const auto imaginary = ArrayReader::Open(array).ReadAllImaginary(10);
    EXPECT_EQ(imaginary[1], 8);
}

TEST(ArrayReader, PercentilesOfOtherTypesComeFromTheValues)
{
    TempDir dir;
    ByteWriter bytes;
    for (int i = 199; i >= 0; --i)
        bytes.DoubleLittle(i * 0.5);
    ArrayObject array = OneAxis(dir.write("p.dat", bytes.bytes()), {Encoding::IeeeReal, 8, ByteOrder::Little}, 200);
    array.kind = ArrayKind::Image;
    array.axes = {{"LINE", 10, 20 * 8}, {"SAMPLE", 20, 8}};
    array.lineAxis = 0;
    array.sampleAxis = 1;
    const auto cut = ArrayReader::Open(array).BandPercentiles(0, {0.005, 0.995, 0.5});
    // Ranks floor(0.005 * 199) = 0, floor(0.995 * 199) = 198, floor(99.5) = 99.
    EXPECT_EQ(cut, (std::vector<double>{0.0, 99.0, 49.5}));
}

}  // namespace
