#pragma once
// A small histogram of a band's valid values with the stretch's two limits
// as lines; dragging a line moves that limit.

#include "viewer/BandPicture.h"

#include <QWidget>

namespace viewer {

class HistogramWidget : public QWidget {
    Q_OBJECT
public:
    explicit HistogramWidget(QWidget* parent = nullptr);

    void SetSummary(const BandSummary& summary);
    void SetLimits(const StretchLimits& limits);
    const StretchLimits& limits() const { return m_limits; }

    // The value at a widget x, and back.
    double ValueAt(double x) const;
    double XOf(double value) const;

    QSize sizeHint() const override;

signals:
    // The user dragged a limit.
    void limitsDragged(double low, double high);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    BandSummary m_summary;
    StretchLimits m_limits;
    int m_dragged = -1;  // 0 low, 1 high
};

}  // namespace viewer
