#include "res/gui/Artwork.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRadialGradient>

namespace res {

namespace {

const QColor kSpaceTop(0x10, 0x1a, 0x3a);
const QColor kSpaceBottom(0x27, 0x3f, 0x7a);
const QColor kPlanet(0xe8, 0x8a, 0x3c);
const QColor kPlanetDark(0x9c, 0x4a, 0x1c);
const QColor kRing(0xf3, 0xd9, 0xa4);
const QColor kTitle(0xf4, 0xf1, 0xe8);
const QColor kSubtitle(0xa9, 0xc4, 0xf5);

// A picture of a logical size at a pixel ratio: draw(painter, rect) paints
// it on a transparent ground, smoothly and in logical coordinates, rect
// being the whole picture.
template <class Draw>
QPixmap Paint(QSize size, qreal ratio, Draw draw)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return pixmap;
}

// Fills r with the space colours, running from its top left corner to end.
void FillGradient(QPainter& p, const QRectF& r, QPointF end)
{
    QLinearGradient sky(r.topLeft(), end);
    sky.setColorAt(0, kSpaceTop);
    sky.setColorAt(1, kSpaceBottom);
    p.fillRect(r, sky);
}

void FillSpace(QPainter& p, const QRectF& r)
{
    FillGradient(p, r, r.bottomLeft());
    // A few fixed stars, placed relative to the picture.
    static constexpr double kStars[][3] = {{0.12, 0.15, 1.0}, {0.82, 0.12, 1.3}, {0.68, 0.30, 0.8},
                                           {0.22, 0.72, 0.9}, {0.90, 0.78, 1.1}, {0.45, 0.08, 0.7},
                                           {0.07, 0.45, 0.8}, {0.58, 0.88, 0.8}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    const double unit = std::min(r.width(), r.height()) / 60.0;
    for (const auto& star : kStars) {
        p.drawEllipse(QPointF(r.left() + star[0] * r.width(), r.top() + star[1] * r.height()),
                      star[2] * unit, star[2] * unit);
    }
}

// A ringed planet centred at c with radius rad; the ring's back half is
// drawn behind the ball and its front half over it.
void DrawRingedPlanet(QPainter& p, QPointF c, double rad)
{
    const QRectF ring(c.x() - rad * 1.9, c.y() - rad * 0.55, rad * 3.8, rad * 1.1);
    QPen ringPen(kRing, std::max(1.0, rad * 0.16));
    ringPen.setCapStyle(Qt::FlatCap);
    p.save();
    p.translate(c);
    p.rotate(-18);
    p.translate(-c);
    p.setBrush(Qt::NoBrush);
    p.setPen(ringPen);
    p.drawArc(ring, 0, 180 * 16);
    QRadialGradient ball(c - QPointF(rad * 0.35, rad * 0.35), rad * 1.4);
    ball.setColorAt(0, kPlanet.lighter(125));
    ball.setColorAt(0.7, kPlanet);
    ball.setColorAt(1, kPlanetDark);
    p.setPen(Qt::NoPen);
    p.setBrush(ball);
    p.drawEllipse(c, rad, rad);
    // Bands.
    p.setPen(QPen(QColor(0x9c, 0x4a, 0x1c, 90), std::max(0.8, rad * 0.10)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - rad, c.y() - rad * 0.35, rad * 2, rad * 0.5), 180 * 16, 180 * 16);
    p.setPen(ringPen);
    p.drawArc(ring, 180 * 16, 180 * 16);
    p.restore();
}

void FitText(QPainter& p, const QRectF& box, const QString& text, QColor color, bool bold, double maxHeight)
{
    QFont font = QApplication::font();
    font.setBold(bold);
    font.setPixelSize(std::max(6, static_cast<int>(maxHeight)));
    // Shrink until the text fits the box's width.
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > box.width())
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void PlanetLogo(QPainter& p, const QRectF& r)
{
    FillSpace(p, r);
    const double rad = std::min(r.width(), r.height()) * 0.24;
    DrawRingedPlanet(p, r.center(), rad);
}

void ProbeLogo(QPainter& p, const QRectF& r)
{
    FillSpace(p, r);
    const double unit = std::min(r.width(), r.height());
    // A blue world rising at the bottom.
    QRadialGradient world(QPointF(r.center().x(), r.bottom() + unit * 0.55), unit * 0.9);
    world.setColorAt(0, QColor(0x5b, 0xa8, 0xe0));
    world.setColorAt(0.75, QColor(0x2c, 0x6e, 0xb5));
    world.setColorAt(1, QColor(0x2c, 0x6e, 0xb5, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(world);
    p.drawEllipse(QPointF(r.center().x(), r.bottom() + unit * 0.55), unit * 0.85, unit * 0.85);
    // Orbit.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), std::max(0.8, unit * 0.015), Qt::DashLine));
    p.drawEllipse(QPointF(r.center().x(), r.center().y() + unit * 0.05), unit * 0.42, unit * 0.16);
    // The probe: a gold body with two blue panels and a dish.
    const QPointF c(r.center().x() + unit * 0.05, r.center().y() - unit * 0.14);
    const double s = unit * 0.07;
    p.setPen(QPen(QColor(0x20, 0x20, 0x28), std::max(0.6, s * 0.15)));
    p.setBrush(QColor(0x3d, 0x6f, 0xc9));
    p.drawRect(QRectF(c.x() - s * 4.2, c.y() - s * 0.7, s * 2.8, s * 1.4));
    p.drawRect(QRectF(c.x() + s * 1.4, c.y() - s * 0.7, s * 2.8, s * 1.4));
    p.setBrush(QColor(0xe0, 0xb8, 0x4a));
    p.drawRect(QRectF(c.x() - s, c.y() - s, s * 2, s * 2));
    p.setBrush(QColor(0xee, 0xee, 0xee));
    p.drawChord(QRectF(c.x() - s * 0.9, c.y() - s * 2.4, s * 1.8, s * 1.8), 180 * 16, 180 * 16);
}

void DiscLogo(QPainter& p, const QRectF& r)
{
    FillSpace(p, r);
    const double rad = std::min(r.width(), r.height()) * 0.40;
    const QPointF c = r.center();
    QConicalGradient sheen(c, 30);
    sheen.setColorAt(0.00, QColor(0xd8, 0xde, 0xe8));
    sheen.setColorAt(0.15, QColor(0xb8, 0xe0, 0xf0));
    sheen.setColorAt(0.30, QColor(0xf0, 0xd8, 0xf0));
    sheen.setColorAt(0.50, QColor(0xc8, 0xcf, 0xda));
    sheen.setColorAt(0.65, QColor(0xf4, 0xf0, 0xc8));
    sheen.setColorAt(0.80, QColor(0xc0, 0xd8, 0xf4));
    sheen.setColorAt(1.00, QColor(0xd8, 0xde, 0xe8));
    p.setPen(QPen(QColor(0x60, 0x68, 0x78), std::max(0.8, rad * 0.04)));
    p.setBrush(sheen);
    p.drawEllipse(c, rad, rad);
    p.setBrush(QColor(0x27, 0x3f, 0x7a));
    p.drawEllipse(c, rad * 0.34, rad * 0.34);
    p.setBrush(kSpaceTop);
    p.drawEllipse(c, rad * 0.12, rad * 0.12);
    FitText(p, QRectF(c.x() - rad * 0.8, c.y() - rad * 0.78, rad * 1.6, rad * 0.42), QStringLiteral("PDS"),
            QColor(0x27, 0x3f, 0x7a), true, rad * 0.36);
}

void NameBanner(QPainter& p, const QRectF& r)
{
    FillGradient(p, r, r.topRight());
    FitText(p, r.adjusted(2, 0, -2, 0), QStringLiteral("Vellora"), kTitle, true, r.height() * 0.78);
}

void ContentsBanner(QPainter& p, const QRectF& r)
{
    FillSpace(p, r);
    // A ring arc sweeping behind the words.
    p.setPen(QPen(QColor(0xf3, 0xd9, 0xa4, 110), std::max(1.0, r.height() * 0.05)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.left() - r.width() * 0.1, r.top() + r.height() * 0.35, r.width() * 1.2, r.height() * 1.3),
              20 * 16, 140 * 16);
    FitText(p, QRectF(r.left() + 4, r.top() + r.height() * 0.04, r.width() - 8, r.height() * 0.56),
            QStringLiteral("Vellora"), kTitle, true, r.height() * 0.48);
    FitText(p, QRectF(r.left() + 4, r.top() + r.height() * 0.60, r.width() - 8, r.height() * 0.34),
            QStringLiteral("Volume Contents"), kSubtitle, false, r.height() * 0.26);
}

// The 16 x 16 file-type icons. Outlines are dark and fills light, so each
// reads on light and dark grounds alike.
void DrawPage(QPainter& p, double x, QColor fill)
{
    QPainterPath page;
    page.moveTo(x + 3.5, 1.5);
    page.lineTo(x + 10, 1.5);
    page.lineTo(x + 13.5, 5);
    page.lineTo(x + 13.5, 14.5);
    page.lineTo(x + 3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x4a, 0x4f, 0x5a), 1));
    p.setBrush(fill);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(x + 10, 1.5);
    corner.lineTo(x + 10, 5);
    corner.lineTo(x + 13.5, 5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(corner);
}

void FileTypes(QPainter& p, const QRectF&)
{
    // 0: a plain file.
    DrawPage(p, 0, QColor(0xfa, 0xfa, 0xfa));
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xab), 1));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
    // 1: a folder.
    QPainterPath folder;
    folder.moveTo(17.5, 3.5);
    folder.lineTo(22, 3.5);
    folder.lineTo(23.5, 5);
    folder.lineTo(30.5, 5);
    folder.lineTo(30.5, 13.5);
    folder.lineTo(17.5, 13.5);
    folder.closeSubpath();
    p.setPen(QPen(QColor(0x7a, 0x52, 0x0a), 1));
    p.setBrush(QColor(0xf2, 0xb8, 0x3b));
    p.drawPath(folder);
    p.setBrush(QColor(0xf9, 0xd0, 0x6a));
    p.drawRect(QRectF(17.5, 6.5, 13, 7));
    // 2: a PDS label: a page with a blue tag band.
    DrawPage(p, 32, QColor(0xfa, 0xfa, 0xfa));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawRect(QRectF(36, 6, 7.5, 3.5));
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xab), 1));
    p.drawLine(QPointF(37.5, 11.5), QPointF(43.5, 11.5));
}

// Button images: lines in the palette's button text colour.
void ButtonImage(QPainter& p, const QRectF& r, unsigned id)
{
    const QColor ink = QApplication::palette().color(QPalette::ButtonText);
    const double w = r.width();
    const double h = r.height();
    const double u = std::min(w, h) / 16.0;
    p.translate((w - 16 * u) / 2, (h - 16 * u) / 2);
    p.scale(u, u);
    QPen pen(ink, 1.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (id == IDB_UPDIR) {
        // An arrow up out of a folder bracket.
        p.drawLine(QPointF(8, 12), QPointF(8, 3));
        p.drawPolyline(QPolygonF({QPointF(4.5, 6.5), QPointF(8, 3), QPointF(11.5, 6.5)}));
        p.drawPolyline(QPolygonF({QPointF(2.5, 9.5), QPointF(2.5, 13.5), QPointF(13.5, 13.5), QPointF(13.5, 9.5)}));
    } else if (id == IDB_LIST) {
        // Rows of small items in two columns.
        for (double y : {3.5, 8.0, 12.5}) {
            for (double x : {1.5, 9.0}) {
                p.setBrush(ink);
                p.drawRect(QRectF(x, y - 1, 2, 2));
                p.drawLine(QPointF(x + 3.5, y), QPointF(x + 5.5, y));
            }
        }
    } else {
        // Details: a header row over full-width rows with a column line.
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.drawLine(QPointF(1.5, 5.5), QPointF(14.5, 5.5));
        pen.setWidthF(1.0);
        p.setPen(pen);
        p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 13.5));
        p.drawLine(QPointF(1.5, 8.5), QPointF(14.5, 8.5));
        p.drawLine(QPointF(1.5, 11), QPointF(14.5, 11));
    }
}

}  // namespace

QPixmap AppIconImage(int side)
{
    return Paint(QSize(side, side), 1.0, [side](QPainter& p, const QRectF&) {
        const QRectF r(0.5, 0.5, side - 1, side - 1);
        QPainterPath tile;
        tile.addRoundedRect(r, side * 0.18, side * 0.18);
        p.setClipPath(tile);
        FillSpace(p, r);
        p.setClipping(false);
        DrawRingedPlanet(p, r.center(), side * 0.24);
    });
}

QPixmap LoadBitmap(unsigned id, QSize size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (id == IDB_FILE_TYPES)
        return Paint(QSize(48, 16), ratio, FileTypes);
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    switch (id) {
    case IDB_LOGO_DISC:
        return Paint(size, ratio, DiscLogo);
    case IDB_CONTENTS_BANNER:
        return Paint(size, ratio, ContentsBanner);
    case IDB_LOGO_PLANET:
        return Paint(size, ratio, PlanetLogo);
    case IDB_NAME_BANNER:
        return Paint(size, ratio, NameBanner);
    case IDB_LOGO_PROBE:
        return Paint(size, ratio, ProbeLogo);
    case IDB_DETAILS:
    case IDB_LIST:
    case IDB_UPDIR:
        return Paint(size, ratio, [id](QPainter& p, const QRectF& r) { ButtonImage(p, r, id); });
    default:
        return {};
    }
}

QIcon LoadAppIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(AppIconImage(side));
    return icon;
}

QPixmap LoadPicture(unsigned id, QSize size, double devicePixelRatio)
{
    if (id == IDR_MAINFRAME)
        return LoadAppIcon().pixmap(QSize(32, 32), devicePixelRatio);
    return LoadBitmap(id, size, devicePixelRatio);
}

}  // namespace res
