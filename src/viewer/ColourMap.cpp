#include "viewer/ColourMap.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace viewer {

namespace {

struct Anchor {
    double at;  // 0..1
    int red;
    int green;
    int blue;
};

// Colours at evenly spread points of each published map; the table
// interpolates linearly between them, which keeps the maps' lightness
// ramps within a few per cent of the originals.
constexpr Anchor kViridis[] = {
    {0.0, 68, 1, 84},      {0.125, 71, 44, 122}, {0.25, 59, 81, 139},   {0.375, 44, 113, 142}, {0.5, 33, 144, 141},
    {0.625, 39, 173, 129}, {0.75, 92, 200, 99},  {0.875, 170, 220, 50}, {1.0, 253, 231, 37},
};
constexpr Anchor kMagma[] = {
    {0.0, 0, 0, 4},        {0.125, 28, 16, 68},  {0.25, 79, 18, 123},    {0.375, 129, 37, 129}, {0.5, 181, 54, 122},
    {0.625, 229, 80, 100}, {0.75, 251, 135, 97}, {0.875, 254, 194, 135}, {1.0, 252, 253, 191},
};
constexpr Anchor kCividis[] = {
    {0.0, 0, 32, 77},       {0.125, 33, 56, 109},  {0.25, 66, 77, 108},   {0.375, 97, 100, 112}, {0.5, 124, 123, 120},
    {0.625, 155, 148, 119}, {0.75, 188, 175, 111}, {0.875, 222, 204, 94}, {1.0, 255, 234, 70},
};

QRgb Interpolate(std::span<const Anchor> anchors, double at)
{
    std::size_t i = 1;
    while (i + 1 < anchors.size() && anchors[i].at < at)
        ++i;
    const Anchor& a = anchors[i - 1];
    const Anchor& b = anchors[i];
    const double t = (at - a.at) / (b.at - a.at);
    const auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue));
}

}  // namespace

ColourTable MakeColourTable(ColourMapKind kind, bool invert)
{
    ColourTable table{};
    for (int i = 0; i < 256; ++i) {
        const double at = i / 255.0;
        switch (kind) {
        case ColourMapKind::Gray:
            table[i] = qRgb(i, i, i);
            break;
        case ColourMapKind::Viridis:
            table[i] = Interpolate(kViridis, at);
            break;
        case ColourMapKind::Magma:
            table[i] = Interpolate(kMagma, at);
            break;
        case ColourMapKind::Cividis:
            table[i] = Interpolate(kCividis, at);
            break;
        }
    }
    if (invert)
        std::reverse(table.begin(), table.end());
    return table;
}

}  // namespace viewer
