#include "platform/gui/CImageList.h"

bool CImageList::Create(const QPixmap& strip, int cx)
{
    m_icons.clear();
    if (strip.isNull() || cx <= 0)
        return false;
    const qreal ratio = strip.devicePixelRatio();
    const int logicalWidth = qRound(strip.width() / ratio);
    const int logicalHeight = qRound(strip.height() / ratio);
    m_size = QSize(cx, logicalHeight);
    for (int x = 0; x + cx <= logicalWidth; x += cx) {
        QPixmap image = strip.copy(QRect(qRound(x * ratio), 0, qRound(cx * ratio), strip.height()));
        image.setDevicePixelRatio(ratio);
        m_icons.emplace_back(image);
    }
    return !m_icons.empty();
}
