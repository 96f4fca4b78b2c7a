#include "viewer/Thumbnail.h"

#include "product/ArrayReader.h"
#include "product/OpenProduct.h"
#include "viewer/ColourMap.h"
#include "viewer/TileLoader.h"
#include "viewer/ViewerTexts.h"

#include <QSaveFile>
#include <QStringList>

namespace viewer {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

constexpr int kLargestThumbnail = 4096;

}  // namespace

QImage MakeThumbnail(const QString& path, int size)
{
    const product::Product product = product::OpenProduct(path);
    const product::ArrayObject* image = nullptr;
    for (const product::DataObject& object : product.objects) {
        const auto* array = std::get_if<product::ArrayObject>(&object);
        if (array && array->lineAxis >= 0 && array->sampleAxis >= 0 && array->Lines() > 0 && array->Samples() > 0) {
            image = array;
            break;
        }
    }
    if (!image)
        throw product::Error{T(text::kThumbnailNoImage).arg(path)};
    const product::ArrayReader reader = product::ArrayReader::Open(*image);
    const std::int64_t step = OverviewStep(*image, size);
    const product::BandWindow window{0, 0, image->Lines(), image->Samples(), step};
    const SpecialValues specials(image->specials);
    const Mirror mirror{!image->samplesLeftToRight, !image->linesTopToBottom};
    const auto limits = [&specials](const BandPicture& picture) {
        const BandSummary summary = Summarize(picture.values, specials);
        return StretchLimits{summary.lowPercentile, summary.highPercentile};
    };
    if (image->Bands() == 3) {
        std::array<BandPicture, 3> bands;
        std::array<StretchLimits, 3> stretch;
        for (std::size_t b = 0; b < 3; ++b) {
            bands[b] = ReadPicture(reader, std::int64_t(b), window);
            stretch[b] = limits(bands[b]);
        }
        return RenderRgb({&bands[0], &bands[1], &bands[2]}, stretch, specials, mirror);
    }
    const BandPicture band = ReadPicture(reader, 0, window);
    return RenderBand(band, limits(band), MakeColourTable(ColourMapKind::Gray, false), specials, mirror);
}

void WriteThumbnail(const QString& path, int size, const QString& target)
{
    // Special samples are transparent in a thumbnail: the file manager's
    // background shows through instead of the window's flag colour.
    QImage image = MakeThumbnail(path, size).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == kFlagColour)
                line[x] = qRgba(0, 0, 0, 0);
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw product::Error{T(text::kThumbnailWrite).arg(target, file.errorString())};
    if (image.isNull() || !image.save(&file, "PNG")) {
        file.cancelWriting();
        throw product::Error{T(text::kThumbnailWrite).arg(target, file.errorString())};
    }
    if (!file.commit())
        throw product::Error{T(text::kThumbnailWrite).arg(target, file.errorString())};
}

int RunThumbnail(const QStringList& arguments, QString& err)
{
    if (arguments.size() != 3) {
        err = T(text::kThumbnailUsage);
        return 2;
    }
    bool ok = false;
    const int size = arguments[0].toInt(&ok);
    if (!ok || size < 1 || size > kLargestThumbnail) {
        err = T(text::kThumbnailBadSize).arg(arguments[0]) + T(text::kThumbnailUsage);
        return 2;
    }
    try {
        WriteThumbnail(arguments[1], size, arguments[2]);
        return 0;
    } catch (const product::Error& error) {
        QString line = error.message;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        err = T(text::kThumbnailFailure).arg(line);
        return 1;
    }
}

}  // namespace viewer
