#pragma once
// Statistics of stored values: count, minimum, maximum, mean and population
// standard deviation over the values that are not NaN, and the number of
// values that are NaN or equal to a special constant.

#include "product/Value.h"

#include <cstdint>
#include <optional>

namespace product {

struct Moments {
    std::int64_t count = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    double stddev = 0;
    // Integer samples wider than a double's 53 bits: the extremes exactly
    // (Signed or Unsigned); Empty otherwise.
    Value exactMin;
    Value exactMax;
};

struct Statistics {
    Moments values;  // of the stored values; of the real parts for complex samples
    std::int64_t special = 0;
    std::optional<Moments> magnitude;  // complex samples: of |value|
};

// Gathers moments one value at a time. Sums are kept in long double around
// the first value, so values near the limits of a double (1.8e308) neither
// overflow nor lose the mean.
class RunningMoments {
public:
    void Add(double value)
    {
        if (m_count == 0) {
            m_shift = value;
            m_min = m_max = value;
        }
        const long double d = static_cast<long double>(value) - m_shift;
        m_sum += d;
        m_sumSquares += d * d;
        m_min = value < m_min ? value : m_min;
        m_max = value > m_max ? value : m_max;
        ++m_count;
    }
    void Merge(const RunningMoments& other);
    Moments Result() const;
    std::int64_t count() const { return m_count; }

private:
    std::int64_t m_count = 0;
    long double m_shift = 0;
    long double m_sum = 0;
    long double m_sumSquares = 0;
    double m_min = 0;
    double m_max = 0;
};

}  // namespace product
