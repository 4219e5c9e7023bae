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

} // namespace field
