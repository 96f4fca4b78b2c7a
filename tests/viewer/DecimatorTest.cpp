// Thinning a series to pixel columns: what is drawn keeps every column's
// extremes, reaches the edges of the visible range, and stays small.

#include "viewer/Decimator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using viewer::Decimate;
using viewer::Points;

namespace {

std::vector<double> Range(std::size_t n)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = double(i);
    return x;
}

}  // namespace

TEST(Decimator, FewPointsAreKeptAsTheyAreWithoutGaps)
{
    const std::vector<double> x = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<double> y = {5, 4, std::numeric_limits<double>::quiet_NaN(), 2, 1, 0, 1, 2, 3, 4};
    // Visible 3..6: points 3..6 plus one either side (1 is the nearest
    // point with a value before 3, since 2 has none).
    const Points shown = Decimate(x, y, 3, 6, 100);
    EXPECT_EQ(shown.x, (std::vector<double>{1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(shown.y, (std::vector<double>{4, 2, 1, 0, 1, 2}));
    EXPECT_TRUE(Decimate(x, y, 6, 3, 100).x.empty());  // an empty range
    EXPECT_TRUE(Decimate({}, {}, 0, 1, 100).x.empty());
}

TEST(Decimator, EachColumnKeepsItsLowestAndHighestPoint)
{
    // A million points of a noisy wave; 500 columns over the middle half.
    const std::size_t n = 1'000'000;
    const std::vector<double> x = Range(n);
    std::vector<double> y(n);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        y[i] = std::sin(double(i) * 1e-4) + double(state >> 8) / double(1u << 24) - 0.5;
    }
    const double low = 250'000;
    const double high = 750'000;
    const int columns = 500;
    const Points shown = Decimate(x, y, low, high, columns);
    ASSERT_LE(shown.x.size(), std::size_t(columns) * 4 + 2);
    ASSERT_GE(shown.x.size(), std::size_t(columns) * 2);
    EXPECT_LT(shown.x.front(), low);
    EXPECT_GT(shown.x.back(), high);
    EXPECT_TRUE(std::is_sorted(shown.x.begin(), shown.x.end()));
    // Every column's extremes, found here the plain way, are among the
    // points drawn, and nothing drawn lies outside them.
    const double width = (high - low) / columns;
    for (int c = 0; c < columns; c += 37) {
        const auto first = std::size_t(std::ceil(low + c * width));
        const auto last = std::size_t(std::ceil(low + (c + 1) * width));  // exclusive
        double lo = INFINITY, hi = -INFINITY;
        for (std::size_t i = first; i < last; ++i) {
            lo = std::min(lo, y[i]);
            hi = std::max(hi, y[i]);
        }
        double shownLo = INFINITY, shownHi = -INFINITY;
        for (std::size_t k = 0; k < shown.x.size(); ++k)
            if (shown.x[k] >= double(first) && shown.x[k] < double(last)) {
                shownLo = std::min(shownLo, shown.y[k]);
                shownHi = std::max(shownHi, shown.y[k]);
            }
        EXPECT_EQ(shownLo, lo) << "column " << c;
        EXPECT_EQ(shownHi, hi) << "column " << c;
    }
}

TEST(Decimator, AColumnKeepsTheOrderOfItsPoints)
{
    // One column holding a rise then a fall: first, highest, lowest, last
    // in the order they come, so the line's shape is kept.
    const std::vector<double> x = Range(100);
    std::vector<double> y(100);
    for (int i = 0; i < 100; ++i)
        y[std::size_t(i)] = i < 30 ? i : 60 - i;  // top 29 at x 30... falls to -39
    const Points shown = Decimate(x, y, 0, 99.5, 1);
    EXPECT_EQ(shown.x, (std::vector<double>{0, 30, 99}));
    EXPECT_EQ(shown.y, (std::vector<double>{0, 30, -39}));
}
