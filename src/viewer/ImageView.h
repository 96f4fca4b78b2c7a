#pragma once
// The view of an image: its picture (ImageCanvas) with the controls of how
// it is drawn — band or RGB composite of three bands, stretch (percentiles,
// minimum–maximum, or limits typed or dragged on the band's histogram),
// colour map and inversion — and the value under the mouse for the status
// bar.

#include "product/ArrayReader.h"
#include "viewer/ColourMap.h"
#include "viewer/ImageCanvas.h"
#include "viewer/TileLoader.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace viewer {

class HistogramWidget;

enum class StretchMode { Percentile, MinMax, Manual };

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(std::shared_ptr<const product::ArrayReader> reader, QWidget* parent = nullptr,
              std::int64_t tileCacheBytes = kDefaultTileCacheBytes);
    ~ImageView() override;

    ImageCanvas& canvas() { return *m_canvas; }
    TileLoader& loader() { return *m_loader; }
    HistogramWidget& histogram() { return *m_histogram; }

    // What the controls choose.
    void SetBand(std::int64_t band);
    void SetRgb(bool on, std::array<std::int64_t, 3> bands);
    void SetStretchMode(StretchMode mode);
    void SetLimits(double low, double high);  // typed limits: switches to Manual
    void SetColourMap(ColourMapKind kind, bool invert);
    StretchMode stretchMode() const { return m_mode; }
    const ImageLook& look() const { return m_look; }

    // The status bar's text for a stored line and sample (0-based).
    QString PixelText(std::int64_t line, std::int64_t sample) const;
    // Writes the view as it is drawn; false with the reason in `error`.
    bool ExportPng(const QString& path, QString& error);

signals:
    void statusMessage(const QString& text);

private:
    void BuildControls();
    void UpdateLook();
    void OnHovered(qint64 line, qint64 sample);
    void OnLimitsTyped();
    void ShowProblem(const QString& message);

    std::shared_ptr<const product::ArrayReader> m_reader;
    TileLoader* m_loader = nullptr;
    ImageCanvas* m_canvas = nullptr;
    HistogramWidget* m_histogram = nullptr;
    QLabel* m_problem = nullptr;
    QComboBox* m_band = nullptr;
    QCheckBox* m_rgb = nullptr;
    std::array<QComboBox*, 3> m_rgbBands{};
    QComboBox* m_stretch = nullptr;
    QLineEdit* m_low = nullptr;
    QLineEdit* m_high = nullptr;
    QComboBox* m_colours = nullptr;
    QCheckBox* m_invert = nullptr;
    QLabel* m_zoom = nullptr;

    ImageLook m_look;
    StretchMode m_mode = StretchMode::Percentile;
    StretchLimits m_manual;
    bool m_updating = false;
};

}  // namespace viewer
