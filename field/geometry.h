#pragma once
// Field geometry and the empty field picture. All values are 16-bit signed
// with truncating division.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QVector>

namespace field {

struct Geometry {
    qint16 u = 0;   // layout unit: screen width div 100
    qint16 n = 12;  // cells per side
    qint16 p = 0;   // cell size: 52u div N
    qint16 w = 0;   // field picture side: 2u + N*p
    qint16 s = 0;   // glyph square side: p - u - 2
};

Geometry ComputeGeometry(qint16 u, qint16 n);
// Pixel centre of cell (x, y) in the field picture.
QPoint CellCentre(const Geometry &g, qint16 x, qint16 y);
// Top-left corner of the glyph square of cell (x, y).
QPoint GlyphCorner(const Geometry &g, qint16 x, qint16 y);
// Pixel position of grid line k (1 .. N-1) on either axis.
qint16 GridLine(const Geometry &g, qint16 k);

// Stand-ins for the system colours the field uses.
QColor FaceColour();       // field background, save-under fill
QColor GridColour();       // grid lines
QColor ScrollBarColour();  // border bar fill and outline
QColor TraceColour();      // the line a ШАГ draws
constexpr int kTraceWidth = 5;

// One border bar: the filled hexagon and its two polylines.
struct BorderBar {
    QPolygon hexagon;
    QPolygon white;
    QPolygon black;
};
// The bars in the order left, right, top, bottom.
QVector<BorderBar> BorderBars(const Geometry &g);

// Every routine that draws into the field picture returns the rectangle it
// may have changed (possibly reaching beyond the picture, whose edge clips
// it), so that showing the field copies only that.

// Background, border bars and grid over the whole picture (W x W).
QRect RedrawEmptyField(QImage &picture, const Geometry &g);
QRect DrawFieldBorder(QImage &picture, const Geometry &g);
// The trace of a ШАГ: a 5-pixel grey line from the centre of one cell to the
// centre of the next, both plus (1, 1).
QRect DrawTrace(QImage &picture, const Geometry &g, QPoint fromCell, QPoint toCell);
// The same line in another colour and width (DrawTrace is grey, 5 pixels).
QRect DrawCellLine(QImage &picture, const Geometry &g, QPoint fromCell, QPoint toCell,
                   const QColor &colour, int width);

// A picture of the given side in the format every field drawing uses
// (opaque 32-bit), filled with the background colour.
QImage NewPicture(int side);

// Exact, non-antialiased pixel drawing, clipped to the picture.
namespace raster {
void Plot(QImage &picture, int x, int y, QRgb colour);
void FillRect(QImage &picture, const QRect &rect, QRgb colour);
// From 'from' towards 'to'; the end point itself is not painted.
void Line(QImage &picture, QPoint from, QPoint to, QRgb colour);
// A chain of lines: only the last point stays unpainted.
void Polyline(QImage &picture, const QPolygon &points, QRgb colour);
// Interior and the whole closed outline in one colour.
void Polygon(QImage &picture, const QPolygon &points, QRgb colour);
} // namespace raster

} // namespace field
