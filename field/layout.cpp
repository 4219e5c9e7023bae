#include "field/layout.h"

#include <QtGlobal>

#include <cmath>

namespace field {

int NeededClientHeight(int u)
{
    return 26 + 57 * u + kStatusBarHeight;
}

WindowLayout ComputeWindowLayout(int screenWidth, QSize available)
{
    WindowLayout layout;
    int u = qMax(1, screenWidth / 100);
    while (u > 1 && NeededClientHeight(u) > available.height())
        --u;
    layout.u = u;
    layout.clientWidth = available.width();
    const int needed = NeededClientHeight(u);
    layout.clientHeight = qMax(needed, qMin(available.height(), qMax(kBaseClientHeight, needed)));
    return layout;
}

QRect FreeArea(QRect workArea, QSize root, const QVector<Strut> &struts)
{
    int left = workArea.left();
    int top = workArea.top();
    int right = workArea.right() + 1;    // one past the last column
    int bottom = workArea.bottom() + 1;  // one past the last row
    // Does the strip along [start, end] meet [from, to)?
    auto meets = [](int start, int end, int from, int to) { return start < to && end >= from; };
    for (const Strut &s : struts) {
        if (s.top > 0 && meets(s.topStartX, s.topEndX, left, right))
            top = qMax(top, s.top);
        if (s.bottom > 0 && meets(s.bottomStartX, s.bottomEndX, left, right))
            bottom = qMin(bottom, root.height() - s.bottom);
    }
    // The side strips against the rows left between the top and bottom ones.
    for (const Strut &s : struts) {
        if (s.left > 0 && meets(s.leftStartY, s.leftEndY, top, bottom))
            left = qMax(left, s.left);
        if (s.right > 0 && meets(s.rightStartY, s.rightEndY, top, bottom))
            right = qMin(right, root.width() - s.right);
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int StartWindowCut(int workAreaHeight)
{
    return qBound(0, kStartOuterHeight - workAreaHeight, kStartMaxCut);
}

QSize ClientRoom(QRect area, QMargins frame, int menuHeight, qreal scale)
{
    const qreal width = (area.width() - frame.left() - frame.right()) / scale;
    const qreal height = (area.height() - frame.top() - frame.bottom()) / scale - menuHeight;
    // A hair of tolerance: 2558 / 1.25 is 2046.4, but 1366 / 1.0 must stay 1366.
    return QSize(int(std::ceil(width - 1e-6)), int(std::floor(height + 1e-6)));
}

} // namespace field
