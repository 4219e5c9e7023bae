#pragma once
// A drawing as the executor leaves it: the set of unit segments its ШАГs drew,
// each between the centres of two neighbouring cells. The order and the
// direction of drawing are not kept, so two runs that cover the same segments
// leave equal drawings.

#include "field/geometry.h"
#include "field/glyph.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <set>

namespace field {

struct Segment {
    QPoint a, b;  // neighbouring cells, a before b (smaller y, then smaller x)

    bool operator<(const Segment &o) const
    {
        if (a.y() != o.a.y()) return a.y() < o.a.y();
        if (a.x() != o.a.x()) return a.x() < o.a.x();
        if (b.y() != o.b.y()) return b.y() < o.b.y();
        return b.x() < o.b.x();
    }
    bool operator==(const Segment &o) const { return a == o.a && b == o.b; }
    bool operator!=(const Segment &o) const { return !(*this == o); }
};

using Drawing = std::set<Segment>;

// The segment between two cells in its one stored form; false when the cells
// are not neighbours (then nothing is set).
bool MakeSegment(QPoint from, QPoint to, Segment *segment);
// Records a ШАГ from one cell to the next; a move between cells that are not
// neighbours draws nothing and is ignored.
void AddMove(Drawing &drawing, QPoint from, QPoint to);

// Draws every segment as DrawTrace draws a ШАГ, in the given colour and
// width: with the defaults, the very pixels a run that drew these segments
// leaves on the field. Returns the rectangle it may have changed.
QRect DrawDrawing(QImage &picture, const Geometry &g, const Drawing &drawing,
                  const QColor &colour = TraceColour(), int width = kTraceWidth);

// The field of a task's sample: the empty field, the marks of А (and of Б
// when points sets it), and the drawing over them; no executor. Pixel for
// pixel what a run from А that draws these segments leaves on the field once
// the executor's glyph is lifted off.
QImage SamplePicture(const Geometry &g, const Points &points, const Drawing &drawing);

} // namespace field
