#pragma once
// A list of equally sized small images, cut from one strip.

#include <QIcon>
#include <QList>
#include <QPixmap>

class CImageList {
public:
    // Cuts strip into images cx logical pixels wide (the strip's device
    // pixel ratio is kept). False when the strip is empty.
    bool Create(const QPixmap& strip, int cx);
    int GetImageCount() const { return static_cast<int>(m_icons.size()); }
    // The image at index; a null icon past the end (nothing is drawn).
    QIcon GetIcon(int index) const { return m_icons.value(index); }
    QSize GetImageSize() const { return m_size; }
    // Every image, in order (for a list control's SetImageList).
    QList<QIcon> Icons() const { return m_icons; }

private:
    QList<QIcon> m_icons;
    QSize m_size;
};
