#include "field/layout.h"

#include <QtGlobal>

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

} // namespace field
