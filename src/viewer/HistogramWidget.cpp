#include "viewer/HistogramWidget.h"

#include "viewer/ViewerTexts.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace viewer {

namespace {
constexpr int kMargin = 4;
}

HistogramWidget::HistogramWidget(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QString::fromUtf8(text::kHistogramName));
    setToolTip(QString::fromUtf8(text::kHistogramName));
    setMinimumHeight(48);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize HistogramWidget::sizeHint() const { return QSize(256 + 2 * kMargin, 56); }

void HistogramWidget::SetSummary(const BandSummary& summary)
{
    m_summary = summary;
    update();
}

void HistogramWidget::SetLimits(const StretchLimits& limits)
{
    m_limits = limits;
    update();
}

double HistogramWidget::ValueAt(double x) const
{
    const double usable = std::max(1, width() - 2 * kMargin);
    const double t = std::clamp((x - kMargin) / usable, 0.0, 1.0);
    return m_summary.min + t * (m_summary.max - m_summary.min);
}

double HistogramWidget::XOf(double value) const
{
    const double usable = std::max(1, width() - 2 * kMargin);
    const double span = m_summary.max - m_summary.min;
    const double t = span > 0 ? (value - m_summary.min) / span : 0.5;
    return kMargin + std::clamp(t, 0.0, 1.0) * usable;
}

void HistogramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!m_summary.valid || m_summary.histogram.empty())
        return;
    // Counts on a square-root scale, so one tall bin leaves the rest visible.
    const auto highest = *std::max_element(m_summary.histogram.begin(), m_summary.histogram.end());
    const double top = std::sqrt(double(std::max<std::int64_t>(1, highest)));
    const double usable = std::max(1, width() - 2 * kMargin);
    const double barWidth = usable / double(m_summary.histogram.size());
    const double height = this->height() - 2 * kMargin;
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Text));
    for (std::size_t i = 0; i < m_summary.histogram.size(); ++i) {
        const double h = std::sqrt(double(m_summary.histogram[i])) / top * height;
        painter.drawRect(QRectF(kMargin + double(i) * barWidth, kMargin + height - h, std::max(1.0, barWidth), h));
    }
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    for (double value : {m_limits.low, m_limits.high}) {
        const double x = XOf(value);
        painter.drawLine(QPointF(x, 0), QPointF(x, this->height()));
    }
}

void HistogramWidget::mousePressEvent(QMouseEvent* event)
{
    if (!m_summary.valid || event->button() != Qt::LeftButton)
        return;
    const double x = event->position().x();
    m_dragged = std::abs(x - XOf(m_limits.low)) <= std::abs(x - XOf(m_limits.high)) ? 0 : 1;
    mouseMoveEvent(event);
}

void HistogramWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragged < 0)
        return;
    const double value = ValueAt(event->position().x());
    if (m_dragged == 0)
        m_limits.low = std::min(value, m_limits.high);
    else
        m_limits.high = std::max(value, m_limits.low);
    update();
    emit limitsDragged(m_limits.low, m_limits.high);
}

void HistogramWidget::mouseReleaseEvent(QMouseEvent*) { m_dragged = -1; }

}  // namespace viewer
