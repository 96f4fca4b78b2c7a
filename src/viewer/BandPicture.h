#pragma once
// What the image view draws from: the stored values of one band read with
// a step (the reduced picture of the whole band, or one tile), as floats,
// with the stretch limits, the special constants and the summary of a band
// (histogram and percentiles) made from its reduced picture.

#include "product/Product.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace viewer {

// Values of `width` x `height` samples, every `step`th line and sample of
// a band from (firstLine, firstSample), line by line in storage order.
struct BandPicture {
    std::int64_t band = 0;
    std::int64_t step = 1;
    std::int64_t firstLine = 0;
    std::int64_t firstSample = 0;
    int width = 0;
    int height = 0;
    std::vector<float> values;
};

// The values drawn in the flag colour and left out of the stretch: NaN and
// every special constant of the label.
class SpecialValues {
public:
    explicit SpecialValues(const std::vector<product::SpecialConstant>& constants);
    bool Contains(float value) const;
    // The name of the constant `stored` equals; empty for none.
    QString NameOf(double stored) const;

private:
    std::vector<product::SpecialConstant> m_constants;
    std::vector<float> m_values;
};

struct StretchLimits {
    double low = 0;
    double high = 0;
};

inline constexpr int kHistogramBins = 256;

// The valid values of a reduced picture summarised: extremes, the 0.5 and
// 99.5 percentiles and a histogram of kHistogramBins bins from min to max.
struct BandSummary {
    bool valid = false;  // false when every value is special
    double min = 0;
    double max = 0;
    double lowPercentile = 0;
    double highPercentile = 0;
    std::vector<std::int64_t> histogram;
};

BandSummary Summarize(const std::vector<float>& values, const SpecialValues& specials);

// A colour index 0..255 for `value` stretched linearly between the limits.
int StretchIndex(double value, const StretchLimits& limits);

// Draws a picture with one band through a colour table, or three bands as
// red, green and blue; mirrored as the display direction asks.
struct Mirror {
    bool horizontal = false;
    bool vertical = false;
};
QImage RenderBand(const BandPicture& picture, const StretchLimits& limits, const std::array<QRgb, 256>& colours,
                  const SpecialValues& specials, Mirror mirror);
QImage RenderRgb(const std::array<const BandPicture*, 3>& pictures, const std::array<StretchLimits, 3>& limits,
                 const SpecialValues& specials, Mirror mirror);

}  // namespace viewer
