#include "viewer/Decimator.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace viewer {

namespace {

// The indices of one pixel column's first, lowest, highest and last point.
struct Column {
    std::size_t first = 0;
    std::size_t low = 0;
    std::size_t high = 0;
    std::size_t last = 0;
    bool any = false;
};

void Append(Points& out, const std::vector<double>& x, const std::vector<double>& y, std::size_t i)
{
    out.x.push_back(x[i]);
    out.y.push_back(y[i]);
}

void Flush(Points& out, const std::vector<double>& x, const std::vector<double>& y, const Column& column)
{
    if (!column.any)
        return;
    std::array<std::size_t, 4> picks = {column.first, column.low, column.high, column.last};
    std::sort(picks.begin(), picks.end());
    std::size_t previous = picks[0];
    Append(out, x, y, previous);
    for (std::size_t k = 1; k < picks.size(); ++k)
        if (picks[k] != previous) {
            previous = picks[k];
            Append(out, x, y, previous);
        }
}

}  // namespace

Points Decimate(const std::vector<double>& x, const std::vector<double>& y, double low, double high, int columns)
{
    Points out;
    const std::size_t n = std::min(x.size(), y.size());
    if (n == 0 || !(high > low) || columns <= 0)
        return out;
    // The visible points, and one on either side.
    std::size_t begin = std::size_t(std::lower_bound(x.begin(), x.begin() + std::ptrdiff_t(n), low) - x.begin());
    std::size_t end = std::size_t(std::upper_bound(x.begin(), x.begin() + std::ptrdiff_t(n), high) - x.begin());
    while (begin > 0 && std::isnan(y[begin - 1]))
        --begin;
    if (begin > 0)
        --begin;
    while (end < n && std::isnan(y[end]))
        ++end;
    if (end < n)
        ++end;
    if (end - begin <= std::size_t(columns) * 4) {
        out.x.reserve(end - begin);
        out.y.reserve(end - begin);
        for (std::size_t i = begin; i < end; ++i)
            if (!std::isnan(y[i]))
                Append(out, x, y, i);
        return out;
    }
    out.x.reserve(std::size_t(columns) * 4 + 2);
    out.y.reserve(std::size_t(columns) * 4 + 2);
    const double scale = columns / (high - low);
    Column current;
    long long currentColumn = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double v = y[i];
        if (std::isnan(v))
            continue;
        const long long c = std::clamp<long long>(static_cast<long long>(std::floor((x[i] - low) * scale)), -1,
                                                  columns);
        if (!current.any || c != currentColumn) {
            Flush(out, x, y, current);
            current = {i, i, i, i, true};
            currentColumn = c;
            continue;
        }
        if (v < y[current.low])
            current.low = i;
        if (v > y[current.high])
            current.high = i;
        current.last = i;
    }
    Flush(out, x, y, current);
    return out;
}

}  // namespace viewer
