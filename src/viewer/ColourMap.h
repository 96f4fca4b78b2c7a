#pragma once
// The colour maps an image band is drawn with: gray and three perceptually
// uniform maps, each as 256 colours from dark to light, optionally
// inverted. Samples that hold a special constant (or NaN) are drawn in one
// flag colour that no map contains at full saturation.

#include <QRgb>

#include <array>

namespace viewer {

enum class ColourMapKind { Gray, Viridis, Magma, Cividis };

inline constexpr int kColourMapCount = 4;
inline constexpr QRgb kFlagColour = 0xffff00ffu;  // magenta

using ColourTable = std::array<QRgb, 256>;

// The 256 colours of a map, the lowest first (the highest first when
// inverted).
ColourTable MakeColourTable(ColourMapKind kind, bool invert);

}  // namespace viewer
