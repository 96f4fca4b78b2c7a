#include "viewer/BandPicture.h"

#include "viewer/ColourMap.h"

#include <algorithm>
#include <cmath>

namespace viewer {

SpecialValues::SpecialValues(const std::vector<product::SpecialConstant>& constants) : m_constants(constants)
{
    for (const product::SpecialConstant& constant : constants)
        m_values.push_back(static_cast<float>(constant.value));
}

bool SpecialValues::Contains(float value) const
{
    if (std::isnan(value))
        return true;
    return std::find(m_values.begin(), m_values.end(), value) != m_values.end();
}

QString SpecialValues::NameOf(double stored) const
{
    for (const product::SpecialConstant& constant : m_constants)
        if (constant.value == stored)
            return constant.name;
    return {};
}

BandSummary Summarize(const std::vector<float>& values, const SpecialValues& specials)
{
    std::vector<float> valid;
    valid.reserve(values.size());
    for (float value : values)
        if (!specials.Contains(value) && std::isfinite(value))
            valid.push_back(value);
    BandSummary summary;
    if (valid.empty())
        return summary;
    summary.valid = true;
    const auto at = [&valid](double fraction) {
        const auto index = static_cast<std::size_t>(std::floor(fraction * double(valid.size() - 1) + 0.5));
        std::nth_element(valid.begin(), valid.begin() + std::ptrdiff_t(index), valid.end());
        return double(valid[index]);
    };
    summary.lowPercentile = at(0.005);
    summary.highPercentile = at(0.995);
    const auto [lowest, highest] = std::minmax_element(valid.begin(), valid.end());
    summary.min = *lowest;
    summary.max = *highest;
    summary.histogram.assign(kHistogramBins, 0);
    const double span = summary.max - summary.min;
    for (float value : valid) {
        const int bin = span > 0 ? std::min(kHistogramBins - 1, int((value - summary.min) / span * kHistogramBins)) : 0;
        ++summary.histogram[std::size_t(bin)];
    }
    return summary;
}

int StretchIndex(double value, const StretchLimits& limits)
{
    if (!(limits.high > limits.low))
        return value > limits.low ? 255 : 0;
    const double t = (value - limits.low) / (limits.high - limits.low);
    return int(std::lround(std::clamp(t, 0.0, 1.0) * 255.0));
}

namespace {

// Calls put(x, y, index) for every value of a picture, at its mirrored place.
template <typename Put>
void ForEachValue(const BandPicture& picture, Mirror mirror, Put put)
{
    for (int y = 0; y < picture.height; ++y) {
        const float* row = picture.values.data() + std::size_t(y) * std::size_t(picture.width);
        const int outY = mirror.vertical ? picture.height - 1 - y : y;
        for (int x = 0; x < picture.width; ++x)
            put(mirror.horizontal ? picture.width - 1 - x : x, outY, row[x]);
    }
}

}  // namespace

QImage RenderBand(const BandPicture& picture, const StretchLimits& limits, const std::array<QRgb, 256>& colours,
                  const SpecialValues& specials, Mirror mirror)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    ForEachValue(picture, mirror, [&](int x, int y, float value) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        line[x] = specials.Contains(value) ? kFlagColour : colours[std::size_t(StretchIndex(value, limits))];
    });
    return image;
}

QImage RenderRgb(const std::array<const BandPicture*, 3>& pictures, const std::array<StretchLimits, 3>& limits,
                 const SpecialValues& specials, Mirror mirror)
{
    const BandPicture& first = *pictures[0];
    QImage image(first.width, first.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    for (int channel = 0; channel < 3; ++channel) {
        const BandPicture& picture = *pictures[std::size_t(channel)];
        if (picture.width != first.width || picture.height != first.height)
            continue;
        const int shift = 16 - 8 * channel;
        ForEachValue(picture, mirror, [&](int x, int y, float value) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            if (line[x] == kFlagColour)
                return;
            if (specials.Contains(value))
                line[x] = kFlagColour;
            else
                line[x] |= QRgb(StretchIndex(value, limits[std::size_t(channel)])) << shift;
        });
    }
    return image;
}

}  // namespace viewer
