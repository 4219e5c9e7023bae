// Field geometry and the empty field picture.
//
// All drawing here is done pixel by pixel rather than through QPainter, so
// that the picture is exact and the same on every platform:
// - a line from A to B paints A and every pixel up to B, but not B itself;
// - a polyline is a chain of such lines, so only its very last point is left
//   unpainted;
// - a filled polygon covers its interior and its whole outline.
// Everything is clipped to the picture.
#include "field/geometry.h"

#include <QPainter>
#include <QPen>
#include <QRect>
#include <cstdlib>

namespace field {

Geometry ComputeGeometry(qint16 u, qint16 n)
{
    Geometry g;
    g.u = u;
    g.n = n;
    // The field frame is 56u wide; the picture starts 2u narrower than the
    // frame and keeps a margin of u on each side of the cells.
    const qint16 imageWidth = qint16(56 * u - 2 * u);
    g.p = n > 0 ? qint16(qint16(imageWidth - 2 * u) / n) : qint16(0);
    g.w = qint16(2 * u + n * g.p);
    g.s = qint16(g.p - u - 2);
    return g;
}

QPoint CellCentre(const Geometry &g, qint16 x, qint16 y)
{
    const qint16 origin = qint16(g.u + g.p / 2);
    return QPoint(qint16(origin + x * g.p), qint16(origin + y * g.p));
}

QPoint GlyphCorner(const Geometry &g, qint16 x, qint16 y)
{
    const QPoint c = CellCentre(g, x, y);
    const qint16 half = qint16(g.s / 2);
    return QPoint(qint16(c.x() - half), qint16(c.y() - half));
}

qint16 GridLine(const Geometry &g, qint16 k)
{
    return qint16(g.u + k * g.p);
}

// Stand-ins for the system colours of a light theme. They differ from each
// other and from white and black, so the parts of the field can be told apart:
// - button face: the light grey of dialog and button backgrounds;
// - desktop background: the classic steel blue desktop;
// - scroll bar: the mid grey of a scroll bar's track.
QColor FaceColour()
{
    return QColor(0xF0, 0xF0, 0xF0);
}

QColor GridColour()
{
    return QColor(0x3A, 0x6E, 0xA5);
}

QColor ScrollBarColour()
{
    return QColor(0xC8, 0xC8, 0xC8);
}

QColor TraceColour()
{
    return QColor(0x80, 0x80, 0x80);
}

QVector<BorderBar> BorderBars(const Geometry &g)
{
    const int b = g.u / 2;
    const int m = 2 * b;
    const int d = g.w - g.u - 1;
    const int e = d + b;
    const int f = e + b;

    QVector<BorderBar> bars;
    // Left.
    bars.append({QPolygon({QPoint(b, b), QPoint(0, m), QPoint(0, d), QPoint(b, e), QPoint(m, d), QPoint(m, m)}),
                 QPolygon({QPoint(b, b), QPoint(0, m), QPoint(0, d), QPoint(b, e)}),
                 QPolygon({QPoint(b, e), QPoint(m, d), QPoint(m, m), QPoint(b, b)})});
    // Right.
    bars.append({QPolygon({QPoint(e, b), QPoint(d, m), QPoint(d, d), QPoint(e, e), QPoint(f, d), QPoint(f, m)}),
                 QPolygon({QPoint(e, b), QPoint(d, m), QPoint(d, d), QPoint(e, e)}),
                 QPolygon({QPoint(e, e), QPoint(f, d), QPoint(f, m), QPoint(e, b)})});
    // Top.
    bars.append({QPolygon({QPoint(b, b), QPoint(m, m), QPoint(d, m), QPoint(e, b), QPoint(d, 0), QPoint(m, 0)}),
                 QPolygon({QPoint(e, b), QPoint(d, 0), QPoint(m, 0), QPoint(b, b)}),
                 QPolygon({QPoint(b, b), QPoint(m, m), QPoint(d, m), QPoint(e, b)})});
    // Bottom.
    bars.append({QPolygon({QPoint(b, e), QPoint(m, f), QPoint(d, f), QPoint(e, e), QPoint(d, d), QPoint(m, d)}),
                 QPolygon({QPoint(e, e), QPoint(d, d), QPoint(m, d), QPoint(b, e)}),
                 QPolygon({QPoint(b, e), QPoint(m, f), QPoint(d, f), QPoint(e, e)})});
    return bars;
}

// ---------------------------------------------------------------------------
// Pixel drawing

namespace raster {

void Plot(QImage &picture, int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height())
        return;
    if (picture.depth() == 32)
        reinterpret_cast<QRgb *>(picture.scanLine(y))[x] = colour;
    else
        picture.setPixel(x, y, colour);
}

void FillRect(QImage &picture, const QRect &rect, QRgb colour)
{
    const QRect r = rect.intersected(picture.rect());
    if (picture.depth() != 32) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                picture.setPixel(x, y, colour);
        return;
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] = colour;
    }
}

void Line(QImage &picture, QPoint from, QPoint to, QRgb colour)
{
    // Bresenham from 'from' towards 'to'; 'to' itself is not painted.
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = std::abs(to.y() - y);
    const int sx = to.x() > x ? 1 : -1, sy = to.y() > y ? 1 : -1;
    int err = dx - dy;
    while (x != to.x() || y != to.y()) {
        Plot(picture, x, y, colour);
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void Polyline(QImage &picture, const QPolygon &points, QRgb colour)
{
    for (int i = 1; i < points.size(); ++i)
        Line(picture, points[i - 1], points[i], colour);
}

namespace {

// True when (x, y) lies inside the polygon or on its outline.
bool InsideOrOn(const QPolygon &poly, int x, int y)
{
    bool inside = false;
    const int n = int(poly.size());
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const QPoint a = poly[j], c = poly[i];
        // On the segment a-c?
        const long long cross = (long long)(c.x() - a.x()) * (y - a.y()) - (long long)(c.y() - a.y()) * (x - a.x());
        if (cross == 0 && x >= qMin(a.x(), c.x()) && x <= qMax(a.x(), c.x()) && y >= qMin(a.y(), c.y())
            && y <= qMax(a.y(), c.y()))
            return true;
        // Even-odd crossing test on a ray to the right.
        if ((a.y() > y) != (c.y() > y)) {
            const double xCross = a.x() + double(y - a.y()) * (c.x() - a.x()) / double(c.y() - a.y());
            if (x < xCross)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

void Polygon(QImage &picture, const QPolygon &points, QRgb colour)
{
    if (points.isEmpty())
        return;
    const QRect box = points.boundingRect().intersected(picture.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (InsideOrOn(points, x, y))
                Plot(picture, x, y, colour);
    // The outline, closed.
    for (int i = 0; i < points.size(); ++i)
        Line(picture, points[i], points[(i + 1) % points.size()], colour);
}

} // namespace raster

QRect DrawFieldBorder(QImage &picture, const Geometry &g)
{
    if (picture.isNull())
        return QRect();
    const QRgb bar = ScrollBarColour().rgb();
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    for (const BorderBar &b : BorderBars(g)) {
        raster::Polygon(picture, b.hexagon, bar);
        raster::Polyline(picture, b.white, white);
        raster::Polyline(picture, b.black, black);
    }
    return picture.rect();
}

QRect RedrawEmptyField(QImage &picture, const Geometry &g)
{
    if (picture.isNull())
        return QRect();
    raster::FillRect(picture, QRect(0, 0, g.w, g.w), FaceColour().rgb());
    DrawFieldBorder(picture, g);
    const QRgb grid = GridColour().rgb();
    const int first = g.u, last = g.u + g.n * g.p;
    for (qint16 k = 1; k <= g.n - 1; ++k) {
        const int at = GridLine(g, k);
        raster::Line(picture, QPoint(first, at), QPoint(last, at), grid);
    }
    for (qint16 k = 1; k <= g.n - 1; ++k) {
        const int at = GridLine(g, k);
        raster::Line(picture, QPoint(at, first), QPoint(at, last), grid);
    }
    return picture.rect();
}

QRect DrawCellLine(QImage &picture, const Geometry &g, QPoint fromCell, QPoint toCell,
                   const QColor &colour, int width)
{
    if (picture.isNull())
        return QRect();
    const QPoint from = CellCentre(g, qint16(fromCell.x()), qint16(fromCell.y())) + QPoint(1, 1);
    const QPoint to = CellCentre(g, qint16(toCell.x()), qint16(toCell.y())) + QPoint(1, 1);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    // The round ends reach half the pen's width past each end point; one
    // pixel more covers how the rasteriser rounds them.
    const int reach = qMax(width, 0) / 2 + 1;
    return QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach);
}

QRect DrawTrace(QImage &picture, const Geometry &g, QPoint fromCell, QPoint toCell)
{
    return DrawCellLine(picture, g, fromCell, toCell, TraceColour(), kTraceWidth);
}

QImage NewPicture(int side)
{
    // Opaque 32-bit pixels; new pictures start in the background colour.
    QImage picture(qMax(side, 0), qMax(side, 0), QImage::Format_RGB32);
    if (!picture.isNull())
        picture.fill(FaceColour());
    return picture;
}

} // namespace field
