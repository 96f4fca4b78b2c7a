#include "viewcli/PngExport.h"

#include "viewcli/Texts.h"

#include <QImage>
#include <QSaveFile>

#include <cmath>

namespace viewcli {

namespace {

constexpr double kLowFraction = 0.005;
constexpr double kHighFraction = 0.995;
// Lines read at a time, so memory stays bounded by the picture itself.
constexpr std::int64_t kLinesPerBlock = 256;

unsigned char Grey(double value, double low, double high)
{
    if (std::isnan(value))
        return 0;
    if (!(high > low))
        return value > low ? 255 : 0;
    const double scaled = (value - low) / (high - low) * 255.0;
    return static_cast<unsigned char>(std::lround(std::clamp(scaled, 0.0, 255.0)));
}

[[noreturn]] void Fail(const QString& path, const QString& what)
{
    throw product::Error{QString::fromUtf8(text::kPngFailed).arg(path, what)};
}

}  // namespace

void WriteBandPng(const product::ArrayReader& reader, std::int64_t band, const QString& path)
{
    const product::ArrayObject& array = reader.array();
    const std::int64_t lines = array.Lines();
    const std::int64_t samples = array.Samples();
    if (lines > 32767 * 4 || samples > 32767 * 4 || lines * samples > (std::int64_t(1) << 31))
        Fail(path, QStringLiteral("%1 x %2 samples are too many for one picture").arg(lines).arg(samples));
    const std::vector<double> cut = reader.BandPercentiles(band, {kLowFraction, kHighFraction});
    const double low = cut.size() == 2 ? cut[0] : 0;
    const double high = cut.size() == 2 ? cut[1] : 0;

    QImage image(int(samples), int(lines), QImage::Format_Grayscale8);
    if (image.isNull() && lines && samples)
        Fail(path, QStringLiteral("no memory for a %1 x %2 picture").arg(samples).arg(lines));
    for (std::int64_t first = 0; first < lines; first += kLinesPerBlock) {
        const std::int64_t count = std::min(kLinesPerBlock, lines - first);
        const std::vector<double> values = reader.ReadBand(band, {first, 0, count, samples, 1});
        for (std::int64_t line = 0; line < count; ++line) {
            const std::int64_t y = array.linesTopToBottom ? first + line : lines - 1 - (first + line);
            uchar* row = image.scanLine(int(y));
            const double* source = values.data() + line * samples;
            for (std::int64_t s = 0; s < samples; ++s) {
                const std::int64_t x = array.samplesLeftToRight ? s : samples - 1 - s;
                row[x] = Grey(source[s], low, high);
            }
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(path, file.errorString());
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        Fail(path, QStringLiteral("the PNG could not be written"));
    }
    if (!file.commit())
        Fail(path, file.errorString());
}

}  // namespace viewcli
