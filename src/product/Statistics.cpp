#include "product/Statistics.h"

#include <cmath>

namespace product {

void RunningMoments::Merge(const RunningMoments& other)
{
    if (other.m_count == 0)
        return;
    if (m_count == 0) {
        *this = other;
        return;
    }
    // Move the other's sums onto this shift: x - a = (x - b) + (b - a).
    const long double delta = other.m_shift - m_shift;
    const long double n = static_cast<long double>(other.m_count);
    m_sum += other.m_sum + n * delta;
    m_sumSquares += other.m_sumSquares + 2 * delta * other.m_sum + n * delta * delta;
    m_min = other.m_min < m_min ? other.m_min : m_min;
    m_max = other.m_max > m_max ? other.m_max : m_max;
    m_count += other.m_count;
}

Moments RunningMoments::Result() const
{
    Moments result;
    result.count = m_count;
    if (m_count == 0)
        return result;
    const long double n = static_cast<long double>(m_count);
    const long double meanShift = m_sum / n;
    long double variance = m_sumSquares / n - meanShift * meanShift;
    if (variance < 0)
        variance = 0;
    result.min = m_min;
    result.max = m_max;
    result.mean = static_cast<double>(m_shift + meanShift);
    result.stddev = static_cast<double>(std::sqrt(variance));
    if (m_min == m_max) {
        result.mean = m_min;
        result.stddev = 0;
    }
    return result;
}

}  // namespace product
