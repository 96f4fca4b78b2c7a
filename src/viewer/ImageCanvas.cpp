#include "viewer/ImageCanvas.h"

#include "viewer/ViewerTexts.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace viewer {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMaxZoom = 64;
constexpr double kPanFraction = 0.1;
// Drawn tiles kept as pictures, in bytes; the values stay in the loader.
constexpr int kTileImageBytes = 24 << 20;

}  // namespace

ImageCanvas::ImageCanvas(TileLoader& loader, QWidget* parent)
    : QWidget(parent), m_loader(loader), m_tileImages(kTileImageBytes)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QString::fromUtf8(text::kCanvasName));
    setMinimumSize(64, 64);
    connect(&m_loader, &TileLoader::tileReady, this, &ImageCanvas::OnTileReady);
    Fit();
}

void ImageCanvas::SetLook(const ImageLook& look)
{
    m_look = look;
    m_tileImages.clear();
    m_overviewImage = QImage();
    const int count = m_look.rgb ? 3 : 1;
    std::array<std::shared_ptr<const Overview>, 3> overviews;
    std::array<const BandPicture*, 3> pictures{};
    bool complete = true;
    for (int i = 0; i < count; ++i) {
        overviews[std::size_t(i)] = m_loader.FindOverview(m_look.bands[std::size_t(i)]);
        if (!overviews[std::size_t(i)]) {
            m_loader.RequestOverview(m_look.bands[std::size_t(i)]);
            complete = false;
        } else {
            pictures[std::size_t(i)] = &overviews[std::size_t(i)]->picture;
        }
    }
    m_overview = overviews[0];
    if (complete)
        m_overviewImage = Render(pictures);
    Changed();
}

QImage ImageCanvas::Render(const std::array<const BandPicture*, 3>& pictures) const
{
    const SpecialValues specials(m_loader.reader().array().specials);
    if (m_look.rgb)
        return RenderRgb(pictures, m_look.limits, specials, mirror());
    return RenderBand(*pictures[0], m_look.limits[0], m_look.colours, specials, mirror());
}

Mirror ImageCanvas::mirror() const
{
    const product::ArrayObject& array = m_loader.reader().array();
    return Mirror{!array.samplesLeftToRight, !array.linesTopToBottom};
}

double ImageCanvas::FitZoom() const
{
    const product::ArrayObject& array = m_loader.reader().array();
    const double samples = double(std::max<std::int64_t>(1, array.Samples()));
    const double lines = double(std::max<std::int64_t>(1, array.Lines()));
    return std::max(1e-6, std::min(width() / samples, height() / lines));
}

void ImageCanvas::SetZoom(double zoom)
{
    const double lowest = std::min(1.0, FitZoom()) / 4;
    m_zoom = std::clamp(zoom, lowest, kMaxZoom);
    emit zoomChanged(m_zoom);
}

void ImageCanvas::Fit()
{
    const product::ArrayObject& array = m_loader.reader().array();
    m_fitted = true;
    m_centre = QPointF(array.Samples() / 2.0, array.Lines() / 2.0);
    SetZoom(FitZoom());
    Changed();
}

void ImageCanvas::ActualSize()
{
    m_fitted = false;
    SetZoom(1);
    Changed();
}

void ImageCanvas::ZoomIn() { ZoomBy(kZoomStep, QPointF(width() / 2.0, height() / 2.0)); }

void ImageCanvas::ZoomOut() { ZoomBy(1 / kZoomStep, QPointF(width() / 2.0, height() / 2.0)); }

void ImageCanvas::ZoomBy(double factor, QPointF anchor)
{
    const QPointF half(width() / 2.0, height() / 2.0);
    const QPointF before = m_centre + (anchor - half) / m_zoom;
    SetZoom(m_zoom * factor);
    m_centre = before - (anchor - half) / m_zoom;
    m_fitted = false;
    Changed();
}

void ImageCanvas::Pan(QPointF pixels)
{
    m_centre -= pixels / m_zoom;
    const product::ArrayObject& array = m_loader.reader().array();
    m_centre.setX(std::clamp(m_centre.x(), 0.0, double(array.Samples())));
    m_centre.setY(std::clamp(m_centre.y(), 0.0, double(array.Lines())));
    m_fitted = false;
    Changed();
}

void ImageCanvas::CentreOn(QPointF display)
{
    m_centre = display;
    Pan(QPointF(0, 0));
}

bool ImageCanvas::SampleAt(QPointF point, std::int64_t& line, std::int64_t& sample) const
{
    const product::ArrayObject& array = m_loader.reader().array();
    const QPointF display = m_centre + (point - QPointF(width() / 2.0, height() / 2.0)) / m_zoom;
    const double x = std::floor(display.x());
    const double y = std::floor(display.y());
    if (x < 0 || y < 0 || x >= double(array.Samples()) || y >= double(array.Lines()))
        return false;
    const Mirror flip = mirror();
    sample = flip.horizontal ? array.Samples() - 1 - std::int64_t(x) : std::int64_t(x);
    line = flip.vertical ? array.Lines() - 1 - std::int64_t(y) : std::int64_t(y);
    return true;
}

QPointF ImageCanvas::PointOf(std::int64_t line, std::int64_t sample) const
{
    const product::ArrayObject& array = m_loader.reader().array();
    const Mirror flip = mirror();
    const double x = double(flip.horizontal ? array.Samples() - 1 - sample : sample) + 0.5;
    const double y = double(flip.vertical ? array.Lines() - 1 - line : line) + 0.5;
    return (QPointF(x, y) - m_centre) * m_zoom + QPointF(width() / 2.0, height() / 2.0);
}

int ImageCanvas::TileLevel() const
{
    // The coarsest power-of-two step that still gives a value per screen
    // pixel; none when the reduced picture is already that detailed.
    const double wanted = 1 / m_zoom;
    int level = 0;
    while (double(std::int64_t(2) << level) <= wanted && level < 40)
        ++level;
    return (std::int64_t(1) << level) >= m_loader.overviewStep() ? -1 : level;
}

std::vector<TileKey> ImageCanvas::VisibleTiles() const
{
    std::vector<TileKey> tiles;
    const int level = TileLevel();
    if (level < 0)
        return tiles;
    const product::ArrayObject& array = m_loader.reader().array();
    const QPointF half(width() / 2.0, height() / 2.0);
    const QPointF topLeft = m_centre - half / m_zoom;
    const QPointF bottomRight = m_centre + half / m_zoom;
    // Display coordinates back to storage ones.
    const Mirror flip = mirror();
    double s0 = topLeft.x(), s1 = bottomRight.x(), l0 = topLeft.y(), l1 = bottomRight.y();
    if (flip.horizontal)
        std::tie(s0, s1) = std::pair(double(array.Samples()) - s1, double(array.Samples()) - s0);
    if (flip.vertical)
        std::tie(l0, l1) = std::pair(double(array.Lines()) - l1, double(array.Lines()) - l0);
    const double span = double(kTileSize) * double(std::int64_t(1) << level);
    const auto first = [span](double at) { return std::max<std::int64_t>(0, std::int64_t(std::floor(at / span))); };
    const auto last = [span](double at, std::int64_t count) {
        return std::min<std::int64_t>(std::int64_t(std::ceil(double(count) / span)) - 1,
                                      std::int64_t(std::floor(at / span)));
    };
    const auto bands = m_look.rgb ? 3 : 1;
    for (std::int64_t row = first(l0); row <= last(l1, array.Lines()); ++row)
        for (std::int64_t column = first(s0); column <= last(s1, array.Samples()); ++column)
            for (int b = 0; b < bands; ++b)
                tiles.push_back(TileKey{m_look.bands[std::size_t(b)], level, row, column});
    return tiles;
}

QRectF ImageCanvas::DisplayRect(const BandPicture& picture) const
{
    const product::ArrayObject& array = m_loader.reader().array();
    const double step = double(picture.step);
    double x = double(picture.firstSample);
    double y = double(picture.firstLine);
    const double w = std::min(picture.width * step, double(array.Samples()) - x);
    const double h = std::min(picture.height * step, double(array.Lines()) - y);
    const Mirror flip = mirror();
    if (flip.horizontal)
        x = double(array.Samples()) - x - w;
    if (flip.vertical)
        y = double(array.Lines()) - y - h;
    return QRectF(x, y, w, h);
}

void ImageCanvas::Changed()
{
    m_loader.Request(VisibleTiles());
    update();
}

void ImageCanvas::OnTileReady() { update(); }

void ImageCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(m_zoom, m_zoom);
    painter.translate(-m_centre);
    if (!m_overviewImage.isNull()) {
        if (const std::shared_ptr<const Overview>& overview = m_overview) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom * double(overview->picture.step) < 1);
            const QRectF target = DisplayRect(overview->picture);
            const QRectF source(0, 0, target.width() / double(overview->picture.step),
                                target.height() / double(overview->picture.step));
            const Mirror flip = mirror();
            QRectF from = source;
            if (flip.horizontal)
                from.moveRight(m_overviewImage.width());
            if (flip.vertical)
                from.moveBottom(m_overviewImage.height());
            painter.drawImage(target, m_overviewImage, from);
        }
    }
    const int bands = m_look.rgb ? 3 : 1;
    for (const TileKey& key : VisibleTiles()) {
        if (key.band != m_look.bands[0])
            continue;  // an RGB tile is drawn once, with its red band's key
        QImage* image = m_tileImages.object(key);
        std::shared_ptr<const BandPicture> tile = m_loader.FindTile(key);
        if (!tile)
            continue;
        if (!image) {
            std::array<std::shared_ptr<const BandPicture>, 3> parts{tile, nullptr, nullptr};
            std::array<const BandPicture*, 3> pictures{tile.get(), nullptr, nullptr};
            bool complete = true;
            for (int b = 1; b < bands; ++b) {
                TileKey other = key;
                other.band = m_look.bands[std::size_t(b)];
                parts[std::size_t(b)] = m_loader.FindTile(other);
                pictures[std::size_t(b)] = parts[std::size_t(b)].get();
                complete = complete && parts[std::size_t(b)];
            }
            if (!complete)
                continue;
            auto rendered = std::make_unique<QImage>(Render(pictures));
            const int cost = int(rendered->sizeInBytes());
            image = rendered.get();
            if (!m_tileImages.insert(key, rendered.release(), cost))
                continue;
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom * double(tile->step) < 1);
        const QRectF target = DisplayRect(*tile);
        const QRectF source(0, 0, target.width() / double(tile->step), target.height() / double(tile->step));
        QRectF from = source;
        const Mirror flip = mirror();
        if (flip.horizontal)
            from.moveRight(image->width());
        if (flip.vertical)
            from.moveBottom(image->height());
        painter.drawImage(target, *image, from);
    }
}

void ImageCanvas::resizeEvent(QResizeEvent*)
{
    if (m_fitted)
        Fit();
    else
        Changed();
}

void ImageCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_lastDrag = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
    }
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_dragging) {
        Pan(at - m_lastDrag);
        m_lastDrag = at;
    }
    std::int64_t line = -1, sample = -1;
    if (!SampleAt(event->position(), line, sample))
        line = sample = -1;
    emit hovered(line, sample);
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        unsetCursor();
    }
}

void ImageCanvas::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        ZoomBy(std::pow(kZoomStep, steps), event->position());
    event->accept();
}

void ImageCanvas::keyPressEvent(QKeyEvent* event)
{
    const double dx = width() * kPanFraction;
    const double dy = height() * kPanFraction;
    switch (event->key()) {
    case Qt::Key_Left:
        Pan(QPointF(dx, 0));
        break;
    case Qt::Key_Right:
        Pan(QPointF(-dx, 0));
        break;
    case Qt::Key_Up:
        Pan(QPointF(0, dy));
        break;
    case Qt::Key_Down:
        Pan(QPointF(0, -dy));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIn();
        break;
    case Qt::Key_Minus:
        ZoomOut();
        break;
    case Qt::Key_0:
        Fit();
        break;
    case Qt::Key_1:
        ActualSize();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ImageCanvas::leaveEvent(QEvent*) { emit hovered(-1, -1); }

}  // namespace viewer
