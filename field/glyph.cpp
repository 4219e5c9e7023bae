// Points А and Б, the executor glyph and the save-under square.
#include "field/glyph.h"
#include "field/fonts.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace field {

namespace {

// ---------------------------------------------------------------------------
// The glyph images

const int kSide = 16;

enum Cell : char { Empty = 0, Outline = 1, Fill = 2 };
using Shape = QVector<Cell>;  // kSide * kSide, row by row

Cell At(const Shape &s, int c, int r)
{
    if (c < 0 || r < 0 || c >= kSide || r >= kSide)
        return Empty;
    return s[r * kSide + c];
}

// The pointer aimed right, axis on row 7. The shaft covers rows 5 to 9 from
// column 0 to 9 with rows 5 and 9 and column 0 as outline. The head is the
// triangle with its base on column 9 (rows 1 to 13) and its tip at (15, 7):
// its base and its two slanted sides are outline, the rest is filled.
Shape RightPointer()
{
    Shape s(kSide * kSide, Empty);
    auto set = [&s](int c, int r, Cell v) { s[r * kSide + c] = v; };
    for (int c = 9; c <= 15; ++c) {
        const int top = c - 8, bottom = 22 - c;  // the slanted sides
        for (int r = top; r <= bottom; ++r)
            set(c, r, (r == top || r == bottom || c == 9) ? Outline : Fill);
    }
    for (int r = 5; r <= 9; ++r)
        for (int c = 0; c <= 9; ++c)
            set(c, r, (r == 5 || r == 9 || c == 0) ? Outline : Fill);
    return s;
}

// The pointer aimed up-right, tip in the top-right corner (15, 0). It is the
// right pointer turned by 45 degrees: the head's sides run along row 0 and
// column 15, its base along the diagonal c - r = 7; the shaft is the band
// 12 <= c + r <= 18 back to c - r = -7. The outline is every pixel of the
// shape that has a side neighbour outside it.
Shape UpRightPointer()
{
    auto inside = [](int c, int r) {
        if (c < 0 || r < 0 || c >= kSide || r >= kSide)
            return false;
        const bool shaft = c + r >= 12 && c + r <= 18 && c - r >= -7 && c - r <= 7;
        const bool head = c - r >= 7;
        return shaft || head;
    };
    Shape s(kSide * kSide, Empty);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            if (!inside(c, r))
                continue;
            const bool edge = !inside(c - 1, r) || !inside(c + 1, r) || !inside(c, r - 1) || !inside(c, r + 1);
            s[r * kSide + c] = edge ? Outline : Fill;
        }
    return s;
}

// dst(x, y) = src(map(x, y))
template <typename Map>
Shape Remap(const Shape &src, Map map)
{
    Shape s(kSide * kSide, Empty);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const QPoint from = map(x, y);
            s[y * kSide + x] = At(src, from.x(), from.y());
        }
    return s;
}

// A glyph picture: colour gives the pixel of each cell, or 0 for none.
template <typename Colour>
QImage Picture(Colour colour)
{
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            if (const QRgb pixel = colour(c, r))
                image.setPixel(c, r, pixel);
        }
    return image;
}

QImage NormalImage(const Shape &s)
{
    return Picture([&s](int c, int r) -> QRgb {
        switch (At(s, c, r)) {
        case Outline: return qRgb(128, 0, 0);
        case Fill: return qRgb(255, 0, 0);
        default: return 0;
        }
    });
}

// The hollow twin: the outline in grey with a white line just inside it.
QImage HollowImage(const Shape &s)
{
    return Picture([&s](int c, int r) -> QRgb {
        const Cell v = At(s, c, r);
        if (v == Outline)
            return qRgb(128, 128, 128);
        const bool besideOutline = At(s, c - 1, r) == Outline || At(s, c + 1, r) == Outline
                                   || At(s, c, r - 1) == Outline || At(s, c, r + 1) == Outline;
        return v == Fill && besideOutline ? qRgb(255, 255, 255) : 0;
    });
}

QVector<QImage> BuildGlyphImages()
{
    const Shape right = RightPointer();
    const Shape upRight = UpRightPointer();
    constexpr int last = kSide - 1;
    // Turns on the pixel grid. Right and left keep their axes on rows 7 and 8,
    // up and down both on column 7, as the placement tables expect.
    const Shape shapes[8] = {
        right,                                                               // 0
        upRight,                                                             // 45
        Remap(right, [](int x, int y) { return QPoint(last - y, x); }), // 90
        Remap(upRight, [](int x, int y) { return QPoint(last - x, y); }),        // 135
        Remap(right, [](int x, int y) { return QPoint(last - x, last - y); }),   // 180
        Remap(upRight, [](int x, int y) { return QPoint(last - x, last - y); }), // 225
        Remap(right, [](int x, int y) { return QPoint(y, x); }),                     // 270
        Remap(upRight, [](int x, int y) { return QPoint(x, last - y); }),        // 315
    };
    QVector<QImage> images;
    for (const Shape &s : shapes) {
        images.append(NormalImage(s));
        images.append(HollowImage(s));
    }
    return images;
}

// ---------------------------------------------------------------------------
// Drawing helpers

QRect DrawImageMasked(QImage &picture, const QImage &image, QPoint at)
{
    const QRect area(at, image.size());
    if (picture.depth() != 32 || image.format() != QImage::Format_ARGB32) {
        for (int r = 0; r < image.height(); ++r)
            for (int c = 0; c < image.width(); ++c) {
                const QRgb px = image.pixel(c, r);
                if (qAlpha(px) == 255)
                    raster::Plot(picture, at.x() + c, at.y() + r, px);
            }
        return area;
    }
    // Row by row, what Plot would write for each opaque pixel.
    const QRect to = area.intersected(picture.rect());
    for (int y = to.top(); y <= to.bottom(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(image.constScanLine(y - at.y()));
        QRgb *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = to.left(); x <= to.right(); ++x) {
            const QRgb px = in[x - at.x()];
            if (qAlpha(px) == 255)
                out[x] = px;
        }
    }
    return area;
}

// Copy srcRect of src to dst at dstAt; parts outside either picture are
// skipped. Returns the rectangle of dst written to.
QRect CopyRect(const QImage &src, const QRect &srcRect, QImage &dst, QPoint dstAt)
{
    const QRect from = srcRect.intersected(src.rect());
    if (src.format() == QImage::Format_RGB32 && dst.depth() == 32) {
        // Row by row, what Plot would write for each pixel: its colour, opaque.
        const QPoint shift = dstAt - srcRect.topLeft();
        const QRect to = from.translated(shift).intersected(dst.rect());
        for (int y = to.top(); y <= to.bottom(); ++y) {
            const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(y - shift.y()));
            QRgb *out = reinterpret_cast<QRgb *>(dst.scanLine(y));
            for (int x = to.left(); x <= to.right(); ++x)
                out[x] = 0xff000000u | in[x - shift.x()];
        }
        return to;
    }
    for (int y = from.top(); y <= from.bottom(); ++y)
        for (int x = from.left(); x <= from.right(); ++x)
            raster::Plot(dst, dstAt.x() + x - srcRect.left(), dstAt.y() + y - srcRect.top(), src.pixel(x, y));
    return from.translated(dstAt - srcRect.topLeft()).intersected(dst.rect());
}

QFont MarkFont()
{
    // 8 points at 96 dots per inch; letters are drawn without smoothing.
    QFont font(FontFamily(Face::MsSansSerif));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

const QVector<QImage> &GlyphImages()
{
    static const QVector<QImage> images = BuildGlyphImages();
    return images;
}

Placement GlyphPlacement(const Geometry &g, qint16 direction)
{
    const qint16 d = qint16(g.s - 16);
    const qint16 o = qint16(d / 2);
    switch (direction) {
    case 0:
    case 360: return {0, QPoint(d, o + 2)};
    case 45: return {2, QPoint(d, 0)};
    case 90: return {4, QPoint(o + 2, 0)};
    case 135: return {6, QPoint(0, 0)};
    case 180: return {8, QPoint(0, o + 1)};
    case 225: return {10, QPoint(0, d)};
    case 270: return {12, QPoint(o + 2, d)};
    case 315: return {14, QPoint(d, d)};
    default: return {0, QPoint(0, 0)};
    }
}

Placement BlockedGlyphPlacement(const Geometry &g, qint16 direction)
{
    const qint16 e = qint16(g.s - 16);
    const qint16 h = qint16(e / 2);
    switch (direction) {
    case 0:
    case 360: return {1, QPoint(e, h + 1)};
    case 90: return {5, QPoint(h + 1, 0)};
    case 180: return {9, QPoint(0, h)};
    case 270: return {13, QPoint(h + 1, e)};
    default: return {1, QPoint(0, 0)};
    }
}

QRect DrawGlyph(QImage &picture, const Geometry &g, qint16 x, qint16 y, qint16 direction)
{
    const Placement pl = GlyphPlacement(g, direction);
    return DrawImageMasked(picture, GlyphImages().at(pl.image), GlyphCorner(g, x, y) + pl.offset);
}

QRect DrawBlockedGlyph(QImage &picture, const Geometry &g, qint16 x, qint16 y, qint16 direction)
{
    const Placement pl = BlockedGlyphPlacement(g, direction);
    return DrawImageMasked(picture, GlyphImages().at(pl.image), GlyphCorner(g, x, y) + pl.offset);
}

QRect DrawPointMark(QImage &picture, const Geometry &g, qint16 x, qint16 y, QChar letter)
{
    if (picture.isNull())
        return QRect();
    const QPoint c = CellCentre(g, x, y);
    const QRect dot(c.x() - 3, c.y() - 3, 8, 8);

    // The round 8 x 8 dot whose box runs from (cx - 3, cy - 3) to (cx + 4, cy + 4).
    static const int kDotInset[8] = {2, 1, 0, 0, 0, 0, 1, 2};
    const QRgb black = qRgb(0, 0, 0);
    for (int r = 0; r < 8; ++r)
        for (int col = kDotInset[r]; col < 8 - kDotInset[r]; ++col)
            raster::Plot(picture, c.x() - 3 + col, c.y() - 3 + r, black);

    // The letter on an opaque background cell, top-left at (cx - 10, cy - 13).
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return dot;  // no fonts without a GUI application
    const QFont font = MarkFont();
    const QFontMetrics metrics(font);
    const QString text(letter);
    const QPoint topLeft(c.x() - 10, c.y() - 13);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QRect cell(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()));
    painter.fillRect(cell, FaceColour());
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0));
    const QPoint baseline = topLeft + QPoint(0, metrics.ascent());
    painter.drawText(baseline, text);
    // The letter's ink may reach past its cell.
    return dot | cell | metrics.boundingRect(text).translated(baseline).adjusted(-1, -1, 1, 1);
}

void SaveUnderGlyph(const QImage &picture, QImage &under, const Geometry &g, qint16 x, qint16 y)
{
    CopyRect(picture, QRect(GlyphCorner(g, x, y), QSize(g.s, g.s)), under, QPoint(0, 0));
}

QRect RestoreUnderGlyph(QImage &picture, const QImage &under, const Geometry &g, qint16 x, qint16 y)
{
    return CopyRect(under, QRect(0, 0, g.s, g.s), picture, GlyphCorner(g, x, y));
}

QRect PlaceExecutorAtStart(QImage &picture, QImage &under, const Geometry &g, const Points &points,
                           Executor &executor)
{
    QRect touched = DrawPointMark(picture, g, points.ax, points.ay, QChar(0x0410));  // А
    executor.x = points.ax;
    executor.y = points.ay;
    executor.dir = points.adir;
    SaveUnderGlyph(picture, under, g, executor.x, executor.y);
    touched |= DrawGlyph(picture, g, executor.x, executor.y, executor.dir);
    touched |= DrawPointMark(picture, g, points.bx, points.by, QChar(0x0411));  // Б
    return touched;
}

} // namespace field
