#include "product/ArrayReader.h"

#include "product/ElementCodec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <thread>
#include <type_traits>
#include <utility>

namespace product {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Typed decoders for the common element types: one load, an optional byte
// swap, a conversion. Everything else goes through DecodeReal.
template <typename T>
T Swapped(T value)
{
    using U = std::make_unsigned_t<T>;
    U bits = std::bit_cast<U>(value);
    if constexpr (sizeof(T) == 2)
        bits = __builtin_bswap16(bits);
    else if constexpr (sizeof(T) == 4)
        bits = __builtin_bswap32(bits);
    else if constexpr (sizeof(T) == 8)
        bits = __builtin_bswap64(bits);
    return std::bit_cast<T>(bits);
}

template <typename T, bool kSwap>
struct IntDecoder {
    T Load(const unsigned char* p) const
    {
        const T value = LoadHost<T>(p);
        if constexpr (kSwap && sizeof(T) > 1)
            return Swapped(value);
        else
            return value;
    }
    double operator()(const unsigned char* p) const { return double(Load(p)); }
    double Imaginary(const unsigned char*) const { return 0; }
};

template <typename F, typename Bits, bool kSwap>
struct IeeeDecoder {
    double operator()(const unsigned char* p) const
    {
        Bits bits = LoadHost<Bits>(p);
        if constexpr (kSwap)
            bits = Swapped(bits);
        return double(std::bit_cast<F>(bits));
    }
    double Imaginary(const unsigned char*) const { return 0; }
};

struct GenericDecoder {
    ElementType type;
    double operator()(const unsigned char* p) const { return DecodeReal(p, type); }
    double Imaginary(const unsigned char* p) const { return DecodeImaginary(p, type); }
};

constexpr bool kHostIsBig = std::endian::native == std::endian::big;

// Calls fn with the decoder for `type`.
template <typename Fn>
decltype(auto) WithDecoder(const ElementType& type, Fn&& fn)
{
    const bool swap = (type.order == ByteOrder::Big) != kHostIsBig;
    const bool integer = type.IsInteger();
    const bool isSigned = type.encoding == Encoding::SignedInt;
    if (integer && type.bytes == 1)
        return isSigned ? fn(IntDecoder<std::int8_t, false>{}) : fn(IntDecoder<std::uint8_t, false>{});
#define VELLORA_INT_CASE(BYTES, S, U)                                             \
    if (integer && type.bytes == BYTES) {                                         \
        if (isSigned)                                                             \
            return swap ? fn(IntDecoder<S, true>{}) : fn(IntDecoder<S, false>{}); \
        return swap ? fn(IntDecoder<U, true>{}) : fn(IntDecoder<U, false>{});     \
    }
    VELLORA_INT_CASE(2, std::int16_t, std::uint16_t)
    VELLORA_INT_CASE(4, std::int32_t, std::uint32_t)
    VELLORA_INT_CASE(8, std::int64_t, std::uint64_t)
#undef VELLORA_INT_CASE
    if (type.encoding == Encoding::IeeeReal && type.bytes == 4)
        return swap ? fn(IeeeDecoder<float, std::uint32_t, true>{}) : fn(IeeeDecoder<float, std::uint32_t, false>{});
    if (type.encoding == Encoding::IeeeReal && type.bytes == 8)
        return swap ? fn(IeeeDecoder<double, std::uint64_t, true>{}) : fn(IeeeDecoder<double, std::uint64_t, false>{});
    return fn(GenericDecoder{type});
}

// Runs of at least this many bytes are copied into a buffer of about the
// second size before the sink sees them.
constexpr std::int64_t kCopyRunBytes = 16 * 1024;
constexpr std::int64_t kCopyBufferBytes = 256 * 1024;

// Runs the innermost loops of a walk. A sink has Run(p, count, stride) for
// values that are in the file and Missing(count) for values past its end.
template <typename Sink>
void Visit(const DataFile& file, int elementBytes, const std::vector<std::int64_t>& strides,
           const std::vector<std::int64_t>& counts, std::size_t level, std::int64_t offset, Sink& sink)
{
    const std::int64_t stride = strides[level];
    const std::int64_t count = counts[level];
    if (level + 1 < strides.size()) {
        for (std::int64_t i = 0; i < count; ++i)
            Visit(file, elementBytes, strides, counts, level + 1, offset + i * stride, sink);
        return;
    }
    if (count <= 0)
        return;
    const std::int64_t size = file.size();
    const std::int64_t last = offset + (count - 1) * stride;
    if (std::min(offset, last) >= 0 && std::max(offset, last) + elementBytes <= size) {
        if (stride <= 0 || (count - 1) * stride + elementBytes < kCopyRunBytes) {
            sink.Run(file.data() + offset, count, stride);
            return;
        }
        // Long runs go through a small buffer, a piece at a time.
        thread_local std::vector<unsigned char> buffer(kCopyBufferBytes);
        const std::int64_t perPiece = std::max<std::int64_t>(1, (kCopyBufferBytes - elementBytes) / stride + 1);
        for (std::int64_t first = 0; first < count; first += perPiece) {
            const std::int64_t n = std::min(perPiece, count - first);
            const std::int64_t bytes = (n - 1) * stride + elementBytes;
            if (bytes > std::int64_t(buffer.size()))
                buffer.resize(std::size_t(bytes));
            file.Read(offset + first * stride, bytes, buffer.data());
            sink.Run(buffer.data(), n, stride);
        }
        return;
    }
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t at = offset + i * stride;
        if (at >= 0 && at + elementBytes <= size)
            sink.Run(file.data() + at, 1, stride);
        else
            sink.Missing(1);
    }
}

template <typename Decoder>
struct IntegerOf {
    using Type = void;
};
template <typename T, bool S>
struct IntegerOf<IntDecoder<T, S>> {
    using Type = T;
};

template <typename Decoder>
struct MomentSink {
    using Integer = typename IntegerOf<Decoder>::Type;
    static constexpr bool kExact = !std::is_void_v<Integer>;
    using Extreme = std::conditional_t<kExact, Integer, char>;
    Decoder decode;
    const std::vector<double>* specials = nullptr;
    bool complex = false;
    RunningMoments values;
    RunningMoments magnitudes;
    std::int64_t special = 0;
    Extreme low = 0;
    Extreme high = 0;

    void Run(const unsigned char* p, std::int64_t count, std::int64_t stride)
    {
        for (std::int64_t i = 0; i < count; ++i, p += stride) {
            if constexpr (kExact) {
                const Integer exact = decode.Load(p);
                if (values.count() == 0 || exact < low)
                    low = exact;
                if (values.count() == 0 || exact > high)
                    high = exact;
            }
            const double value = decode(p);
            if (complex) {
                const double imaginary = decode.Imaginary(p);
                if (std::isnan(value) || std::isnan(imaginary)) {
                    ++special;
                    continue;
                }
                values.Add(value);
                magnitudes.Add(std::hypot(value, imaginary));
                continue;
            }
            if (value != value) {
                ++special;
                continue;
            }
            for (double constant : *specials)
                if (value == constant) {
                    ++special;
                    break;
                }
            values.Add(value);
        }
    }
    void Missing(std::int64_t) {}
    void Merge(const MomentSink& other)
    {
        if constexpr (kExact) {
            if (other.values.count() && (!values.count() || other.low < low))
                low = other.low;
            if (other.values.count() && (!values.count() || other.high > high))
                high = other.high;
        }
        values.Merge(other.values);
        magnitudes.Merge(other.magnitudes);
        special += other.special;
    }
};

// 8- and 16-bit integers: a count per possible value, from which the
// moments and percentiles follow exactly.
// 8- and 16-bit integers: a count per possible value, from which the
// percentiles follow exactly.
template <typename Decoder>
struct HistogramSink {
    Decoder decode;
    std::int64_t lowest = 0;  // the value of bin 0
    std::vector<std::uint64_t> bins;

    void Run(const unsigned char* p, std::int64_t count, std::int64_t stride)
    {
        std::uint64_t* const counts = bins.data();
        const std::int64_t shift = -lowest;
        for (std::int64_t i = 0; i < count; ++i, p += stride)
            ++counts[std::int64_t(decode.Load(p)) + shift];
    }
    void Missing(std::int64_t) {}
    void Merge(const HistogramSink& other)
    {
        for (std::size_t i = 0; i < bins.size(); ++i)
            bins[i] += other.bins[i];
    }
};

// 8- and 16-bit integers: exact sums in integers, in loops the compiler
// turns into vector code, and a count of each special constant's value.
// Values are taken as unsigned distances from the type's lowest value, so
// squares fit 32 bits; the variance does not change by the shift.
template <typename Decoder>
struct SmallIntegerSink {
    using T = decltype(std::declval<Decoder>().Load(nullptr));
    static constexpr std::int32_t kLowest = std::numeric_limits<T>::min();

    Decoder decode;
    std::vector<std::int64_t> specials;  // distinct values of the constants
    std::int64_t count = 0;
    unsigned __int128 sum = 0;  // of the distances
    unsigned __int128 sumSquares = 0;
    std::uint32_t min = 0;
    std::uint32_t max = 0;
    std::int64_t special = 0;

    std::uint32_t Distance(const unsigned char* p) const
    {
        return std::uint32_t(std::int32_t(decode.Load(p)) - kLowest);
    }

    template <std::int64_t kStride>
    void Block(const unsigned char* p, std::int64_t n, std::int64_t stride)
    {
        std::uint64_t blockSum = 0;
        std::uint64_t blockSquares = 0;
        std::uint32_t low = std::numeric_limits<std::uint32_t>::max();
        std::uint32_t high = 0;
        const std::int64_t step = kStride ? kStride : stride;
        for (std::int64_t i = 0; i < n; ++i) {
            const std::uint32_t u = Distance(p + i * step);
            blockSum += u;
            blockSquares += std::uint64_t(u * u);
            low = u < low ? u : low;
            high = u > high ? u : high;
        }
        for (const std::int64_t constant : specials) {
            const auto wanted = std::uint32_t(std::int32_t(constant) - kLowest);
            std::int64_t equal = 0;
            for (std::int64_t i = 0; i < n; ++i)
                equal += Distance(p + i * step) == wanted;
            special += equal;
        }
        if (count == 0 || low < min)
            min = low;
        if (count == 0 || high > max)
            max = high;
        count += n;
        sum += blockSum;
        sumSquares += blockSquares;
    }
    void Run(const unsigned char* p, std::int64_t n, std::int64_t stride)
    {
        // Blocks small enough that the 64-bit block sums cannot overflow.
        constexpr std::int64_t kBlock = std::int64_t(1) << 20;
        for (std::int64_t first = 0; first < n; first += kBlock) {
            const std::int64_t part = std::min(kBlock, n - first);
            if (stride == std::int64_t(sizeof(T)))
                Block<std::int64_t(sizeof(T))>(p + first * stride, part, stride);
            else
                Block<0>(p + first * stride, part, stride);
        }
    }
    void Missing(std::int64_t) {}
    void Merge(const SmallIntegerSink& other)
    {
        if (other.count && (!count || other.min < min))
            min = other.min;
        if (other.count && (!count || other.max > max))
            max = other.max;
        count += other.count;
        sum += other.sum;
        sumSquares += other.sumSquares;
        special += other.special;
    }
    Moments Result() const
    {
        Moments moments;
        moments.count = count;
        if (!count)
            return moments;
        moments.min = double(std::int64_t(min) + kLowest);
        moments.max = double(std::int64_t(max) + kLowest);
        // n^2 variance = n * sum(u^2) - sum(u)^2, exact in 128 bits.
        const unsigned __int128 n = std::uint64_t(count);
        const unsigned __int128 spread = n * sumSquares - sum * sum;
        const long double nn = static_cast<long double>(count);
        moments.mean = static_cast<double>(static_cast<long double>(sum) / nn + kLowest);
        moments.stddev = static_cast<double>(std::sqrt(static_cast<long double>(spread)) / nn);
        return moments;
    }
};

template <typename T>
constexpr bool kHistogrammed = false;
template <typename T, bool S>
constexpr bool kHistogrammed<IntDecoder<T, S>> = sizeof(T) <= 2;

struct CollectSink {
    GenericDecoder decode;
    bool imaginary = false;
    double* out = nullptr;

    void Run(const unsigned char* p, std::int64_t count, std::int64_t stride)
    {
        for (std::int64_t i = 0; i < count; ++i, p += stride)
            *out++ = imaginary ? decode.Imaginary(p) : decode(p);
    }
    void Missing(std::int64_t count) { out = std::fill_n(out, count, kNaN); }
};

template <typename Decoder>
struct TypedCollectSink {
    Decoder decode;
    double* out = nullptr;

    void Run(const unsigned char* p, std::int64_t count, std::int64_t stride)
    {
        for (std::int64_t i = 0; i < count; ++i, p += stride)
            *out++ = decode(p);
    }
    void Missing(std::int64_t count) { out = std::fill_n(out, count, kNaN); }
};

// Runs a walk, split over the outermost loop between a few threads when
// there is enough work; each thread fills its own sink, merged in order.
template <typename Sink>
Sink RunParallel(const DataFile& file, int elementBytes, std::int64_t base, const std::vector<std::int64_t>& strides,
                 const std::vector<std::int64_t>& counts, const Sink& prototype)
{
    std::int64_t total = 1;
    for (std::int64_t c : counts)
        total = c <= 0 ? 0 : (total > (std::int64_t(1) << 40) / c ? std::int64_t(1) << 40 : total * c);
    const std::int64_t outer = counts.empty() ? 0 : counts[0];
    const unsigned hardware = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    const std::int64_t workers = total < (std::int64_t(1) << 22) || outer < 2 ? 1
                                                                              : std::min<std::int64_t>(hardware, outer);
    std::vector<Sink> sinks(std::size_t(workers), prototype);
    auto work = [&](std::int64_t index) {
        const std::int64_t first = outer * index / workers;
        const std::int64_t last = outer * (index + 1) / workers;
        std::vector<std::int64_t> part = counts;
        part[0] = last - first;
        Visit(file, elementBytes, strides, part, 0, base + first * strides[0], sinks[std::size_t(index)]);
    };
    {
        std::vector<std::jthread> threads;
        for (std::int64_t i = 1; i < workers; ++i)
            threads.emplace_back(work, i);
        work(0);
    }
    for (std::size_t i = 1; i < sinks.size(); ++i)
        sinks[0].Merge(sinks[i]);
    return std::move(sinks[0]);
}

// The value at each fraction of the sorted values in a histogram.
std::vector<double> HistogramPercentiles(const std::vector<std::uint64_t>& bins, std::int64_t lowest,
                                         const std::vector<double>& fractions)
{
    std::uint64_t total = 0;
    for (std::uint64_t c : bins)
        total += c;
    std::vector<double> result;
    if (!total)
        return result;
    for (double fraction : fractions) {
        const auto rank = std::uint64_t(std::clamp(fraction, 0.0, 1.0) * double(total - 1));
        std::uint64_t seen = 0;
        for (std::size_t i = 0; i < bins.size(); ++i) {
            seen += bins[i];
            if (seen > rank) {
                result.push_back(double(std::int64_t(i) + lowest));
                break;
            }
        }
    }
    return result;
}

}  // namespace

ArrayReader::ArrayReader(ArrayObject array, std::shared_ptr<const DataFile> file)
    : m_array(std::move(array)), m_file(std::move(file))
{
    m_span = ArraySpan(m_array);
    if (m_span.end > m_file->size())
        m_problem = ShortFileMessage(m_file->path(), m_array.name, m_span.end, m_file->size());
}

ArrayReader ArrayReader::Open(const ArrayObject& array) { return ArrayReader(array, DataFile::Open(array.dataFile)); }

std::int64_t ArrayReader::ElementCount() const
{
    std::int64_t total = 1;
    for (const Axis& axis : m_array.axes) {
        const auto next = ExtentMulAdd(total, axis.elements, 0);
        if (!next)
            return std::numeric_limits<std::int64_t>::max();
        total = *next;
    }
    return total;
}

ArrayReader::Walk ArrayReader::BandWalk(std::int64_t band, const BandWindow& window) const
{
    const std::int64_t lines = m_array.Lines();
    const std::int64_t samples = m_array.Samples();
    if (band < 0 || band >= m_array.Bands() || window.step < 1 || window.firstLine < 0 || window.firstSample < 0 ||
        window.lines < 0 || window.samples < 0 || window.firstLine > lines - window.lines ||
        window.firstSample > samples - window.samples)
        throw Error{m_file->path() +
                    QStringLiteral(": band %1, lines %2+%3, samples %4+%5 lie outside the %6 x %7 x %8 image")
                        .arg(band + 1)
                        .arg(window.firstLine)
                        .arg(window.lines)
                        .arg(window.firstSample)
                        .arg(window.samples)
                        .arg(lines)
                        .arg(samples)
                        .arg(m_array.Bands())};
    Walk walk;
    walk.base = m_array.offset;
    auto stride = [&](int axis) { return axis >= 0 ? m_array.axes[std::size_t(axis)].strideBytes : 0; };
    walk.base += band * stride(m_array.bandAxis) + window.firstLine * stride(m_array.lineAxis) +
                 window.firstSample * stride(m_array.sampleAxis);
    walk.loops.push_back({stride(m_array.lineAxis) * window.step, window.OutLines()});
    walk.loops.push_back({stride(m_array.sampleAxis) * window.step, window.OutSamples()});
    return walk;
}

ArrayReader::Walk ArrayReader::WholeWalk() const
{
    Walk walk;
    walk.base = m_array.offset;
    for (const Axis& axis : m_array.axes)
        walk.loops.push_back({axis.strideBytes, axis.elements});
    return walk;
}

Statistics ArrayReader::Gather(const Walk& walk) const
{
    std::vector<std::int64_t> strides;
    std::vector<std::int64_t> counts;
    for (const Loop& loop : walk.loops) {
        strides.push_back(loop.stride);
        counts.push_back(loop.count);
    }
    std::vector<double> specials;
    for (const SpecialConstant& constant : m_array.specials)
        specials.push_back(constant.value);
    const int bytes = m_array.element.bytes;
    return WithDecoder(m_array.element, [&](auto decoder) {
        using Decoder = decltype(decoder);
        Statistics result;
        if constexpr (kHistogrammed<Decoder>) {
            std::vector<std::int64_t> distinct;
            for (double constant : specials) {
                const auto value = std::int64_t(constant);
                using T = decltype(decoder.Load(nullptr));
                if (constant == std::floor(constant) && constant >= double(std::numeric_limits<T>::min()) &&
                    constant <= double(std::numeric_limits<T>::max()) &&
                    std::find(distinct.begin(), distinct.end(), value) == distinct.end())
                    distinct.push_back(value);
            }
            const SmallIntegerSink<Decoder> prototype{decoder, distinct};
            const auto sink = RunParallel(*m_file, bytes, walk.base, strides, counts, prototype);
            result.values = sink.Result();
            result.special = sink.special;
        } else {
            std::sort(specials.begin(), specials.end());
            specials.erase(std::unique(specials.begin(), specials.end()), specials.end());
            MomentSink<Decoder> prototype{decoder, &specials, m_array.element.IsComplex(), {}, {}, 0, 0, 0};
            const auto sink = RunParallel(*m_file, bytes, walk.base, strides, counts, prototype);
            result.values = sink.values.Result();
            if constexpr (MomentSink<Decoder>::kExact) {
                if (result.values.count) {
                    using Integer = typename MomentSink<Decoder>::Integer;
                    if constexpr (std::is_signed_v<Integer>) {
                        result.values.exactMin = Value::Signed(sink.low);
                        result.values.exactMax = Value::Signed(sink.high);
                    } else {
                        result.values.exactMin = Value::Unsigned(sink.low);
                        result.values.exactMax = Value::Unsigned(sink.high);
                    }
                }
            }
            result.special = sink.special;
            if (prototype.complex)
                result.magnitude = sink.magnitudes.Result();
        }
        return result;
    });
}

Statistics ArrayReader::BandStatistics(std::int64_t band) const
{
    return Gather(BandWalk(band, {0, 0, m_array.Lines(), m_array.Samples(), 1}));
}

Statistics ArrayReader::WholeStatistics() const { return Gather(WholeWalk()); }

std::vector<double> ArrayReader::Read(const Walk& walk, bool imaginary) const
{
    std::int64_t total = 1;
    std::vector<std::int64_t> strides;
    std::vector<std::int64_t> counts;
    for (const Loop& loop : walk.loops) {
        strides.push_back(loop.stride);
        counts.push_back(loop.count);
        total *= std::max<std::int64_t>(loop.count, 0);
    }
    std::vector<double> values(std::size_t(total), kNaN);
    if (!total)
        return values;
    if (imaginary) {
        CollectSink sink{GenericDecoder{m_array.element}, true, values.data()};
        Visit(*m_file, m_array.element.bytes, strides, counts, 0, walk.base, sink);
        return values;
    }
    WithDecoder(m_array.element, [&](auto decoder) {
        TypedCollectSink<decltype(decoder)> sink{decoder, values.data()};
        Visit(*m_file, m_array.element.bytes, strides, counts, 0, walk.base, sink);
        return 0;
    });
    return values;
}

std::vector<double> ArrayReader::ReadBand(std::int64_t band, const BandWindow& window) const
{
    return Read(BandWalk(band, window), false);
}

std::vector<double> ArrayReader::ReadAll(std::int64_t limit) const
{
    if (ElementCount() > limit)
        throw Error{m_file->path() + QStringLiteral(": %1 has more than %2 elements").arg(m_array.name).arg(limit)};
    return Read(WholeWalk(), false);
}

std::vector<double> ArrayReader::ReadAllImaginary(std::int64_t limit) const
{
    if (ElementCount() > limit)
        throw Error{m_file->path() + QStringLiteral(": %1 has more than %2 elements").arg(m_array.name).arg(limit)};
    return Read(WholeWalk(), true);
}

std::vector<double> ArrayReader::BandPercentiles(std::int64_t band, const std::vector<double>& fractions) const
{
    const std::int64_t lines = m_array.Lines();
    const std::int64_t samples = m_array.Samples();
    const BandWindow whole{0, 0, lines, samples, 1};
    const ElementType& type = m_array.element;
    if (type.IsInteger() && type.bytes <= 2) {
        const std::int64_t lowest = type.encoding == Encoding::SignedInt ? -(std::int64_t(1) << (8 * type.bytes - 1))
                                                                         : 0;
        const Walk walk = BandWalk(band, whole);
        std::vector<std::int64_t> strides{walk.loops[0].stride, walk.loops[1].stride};
        std::vector<std::int64_t> counts{walk.loops[0].count, walk.loops[1].count};
        return WithDecoder(type, [&](auto decoder) {
            using Decoder = decltype(decoder);
            std::vector<double> result;
            if constexpr (kHistogrammed<Decoder>) {
                HistogramSink<Decoder> prototype{decoder, lowest,
                                                 std::vector<std::uint64_t>(std::size_t(1) << (8 * type.bytes))};
                const auto sink = RunParallel(*m_file, type.bytes, walk.base, strides, counts, prototype);
                result = HistogramPercentiles(sink.bins, sink.lowest, fractions);
            }
            return result;
        });
    }
    // Other types: an even sample of at most about a million values.
    std::int64_t step = 1;
    while ((lines / step) * (samples / step) > (std::int64_t(1) << 20))
        ++step;
    std::vector<double> values = ReadBand(band, {0, 0, lines, samples, step});
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }), values.end());
    std::vector<double> result;
    if (values.empty())
        return result;
    for (double fraction : fractions) {
        const auto rank = std::size_t(std::clamp(fraction, 0.0, 1.0) * double(values.size() - 1));
        std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(rank), values.end());
        result.push_back(values[rank]);
    }
    return result;
}

}  // namespace product
