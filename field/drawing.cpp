#include "field/drawing.h"

#include <cstdlib>

namespace field {

bool MakeSegment(QPoint from, QPoint to, Segment *segment)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    if (dx + dy != 1)
        return false;
    const bool fromFirst = from.y() < to.y() || (from.y() == to.y() && from.x() < to.x());
    segment->a = fromFirst ? from : to;
    segment->b = fromFirst ? to : from;
    return true;
}

void AddMove(Drawing &drawing, QPoint from, QPoint to)
{
    Segment s;
    if (MakeSegment(from, to, &s))
        drawing.insert(s);
}

QRect DrawDrawing(QImage &picture, const Geometry &g, const Drawing &drawing,
                  const QColor &colour, int width)
{
    QRect touched;
    for (const Segment &s : drawing)
        touched |= DrawCellLine(picture, g, s.a, s.b, colour, width);
    return touched;
}

QImage SamplePicture(const Geometry &g, const Points &points, const Drawing &drawing)
{
    QImage picture = NewPicture(g.w);
    RedrawEmptyField(picture, g);
    // Placing the executor marks А and Б exactly as a run does; the glyph
    // goes again with what it covered.
    QImage under = NewPicture(g.s);
    Executor e;
    PlaceExecutorAtStart(picture, under, g, points, e);
    RestoreUnderGlyph(picture, under, g, e.x, e.y);
    DrawDrawing(picture, g, drawing);
    return picture;
}

} // namespace field
