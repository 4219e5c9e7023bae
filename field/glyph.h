#pragma once
// Points А and Б, the executor state and its glyph, the save-under square.

#include "field/geometry.h"

#include <QImage>
#include <QVector>

namespace field {

struct Points {
    qint16 ax = -1, ay = -1, adir = -1;  // point А and the start direction
    qint16 bx = -1, by = -1;             // point Б
};

struct Executor {
    qint16 x = -1, y = -1, dir = -1;
};

// ImageList4: 16 images of 16 x 16 with transparency. Even indices are the
// filled pointer at 0, 45, ..., 315 degrees; each odd one its hollow twin.
const QVector<QImage> &GlyphImages();

struct Placement {
    int image = 0;
    QPoint offset;  // from the glyph square's top-left corner
};
Placement GlyphPlacement(const Geometry &g, qint16 direction);
Placement BlockedGlyphPlacement(const Geometry &g, qint16 direction);

// Draw the normal or the hollow glyph at cell (x, y) for a direction. Like
// every routine that draws into the field picture, they return the rectangle
// they may have changed.
QRect DrawGlyph(QImage &picture, const Geometry &g, qint16 x, qint16 y, qint16 direction);
QRect DrawBlockedGlyph(QImage &picture, const Geometry &g, qint16 x, qint16 y, qint16 direction);

// Black 8 x 8 dot and the letter with an opaque background.
QRect DrawPointMark(QImage &picture, const Geometry &g, qint16 x, qint16 y, QChar letter);

// Copy the glyph square of (x, y) into the save-under picture, and back.
void SaveUnderGlyph(const QImage &picture, QImage &under, const Geometry &g, qint16 x, qint16 y);
QRect RestoreUnderGlyph(QImage &picture, const QImage &under, const Geometry &g, qint16 x, qint16 y);

// Steps 1 to 5 of placing the executor: mark А, executor := А, save under,
// glyph, mark Б. The caller shows the field.
QRect PlaceExecutorAtStart(QImage &picture, QImage &under, const Geometry &g,
                          const Points &points, Executor &executor);

} // namespace field
