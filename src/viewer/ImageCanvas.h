#pragma once
// The picture of an image: fitted to the widget on open, zoomed by the
// wheel and the keys, panned by dragging and by the arrow keys. It draws
// the band's reduced picture first and, where the zoom asks for more
// detail, the tiles the loader has read, smoothly when reduced and in
// blocks when enlarged, in the label's display direction.

#include "viewer/BandPicture.h"
#include "viewer/TileLoader.h"

#include <QCache>
#include <QPointF>
#include <QWidget>

#include <array>

namespace viewer {

// How the samples become colours.
struct ImageLook {
    bool rgb = false;
    std::array<std::int64_t, 3> bands{0, 0, 0};  // bands[0] alone unless rgb
    std::array<StretchLimits, 3> limits{};
    std::array<QRgb, 256> colours{};
};

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    ImageCanvas(TileLoader& loader, QWidget* parent = nullptr);

    void SetLook(const ImageLook& look);
    const ImageLook& look() const { return m_look; }

    double zoom() const { return m_zoom; }
    void ZoomIn();
    void ZoomOut();
    void Fit();
    void ActualSize();
    // Zooms by `factor` keeping the image point under `anchor` in place.
    void ZoomBy(double factor, QPointF anchor);
    void Pan(QPointF pixels);
    // Puts a point of the displayed image (in samples and lines from its
    // top left corner as drawn) at the widget's centre.
    void CentreOn(QPointF display);

    // The stored line and sample (0-based) shown at a point of the widget;
    // false outside the image.
    bool SampleAt(QPointF point, std::int64_t& line, std::int64_t& sample) const;
    // The widget point at the centre of a stored sample.
    QPointF PointOf(std::int64_t line, std::int64_t sample) const;

    // The tiles the present view wants: none when the reduced picture is
    // detailed enough.
    std::vector<TileKey> VisibleTiles() const;

signals:
    void hovered(qint64 line, qint64 sample);  // -1, -1 outside the image
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Mirror mirror() const;
    double FitZoom() const;
    void SetZoom(double zoom);
    void Changed();
    void OnTileReady();
    // Where a picture (storage place, step, size) lies in display coordinates.
    QRectF DisplayRect(const BandPicture& picture) const;
    QImage Render(const std::array<const BandPicture*, 3>& pictures) const;
    int TileLevel() const;

    TileLoader& m_loader;
    ImageLook m_look;
    double m_zoom = 1;
    QPointF m_centre;       // display coordinates shown at the widget's centre
    bool m_fitted = false;  // follows the widget's size until zoomed or panned
    bool m_dragging = false;
    QPoint m_lastDrag;
    std::shared_ptr<const Overview> m_overview;  // of the first band drawn
    QImage m_overviewImage;                      // the reduced picture as drawn, for the present look
    QCache<TileKey, QImage> m_tileImages;
};

}  // namespace viewer
