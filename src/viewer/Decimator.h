#pragma once
// Thins a long series for drawing: of the points whose x lies in the
// visible range, each pixel column keeps only its first, lowest, highest
// and last point (in the order they come), so the drawn line has exactly
// the shape the whole series would give at that width, with at most four
// points per column. The points just outside the range are kept so the
// line reaches the edges. x must be sorted ascending; points with a NaN y
// are left out.

#include <vector>

namespace viewer {

struct Points {
    std::vector<double> x;
    std::vector<double> y;
};

Points Decimate(const std::vector<double>& x, const std::vector<double>& y, double low, double high, int columns);

}  // namespace viewer
