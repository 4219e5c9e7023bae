#pragma once
// The main work window's layout unit and client height, from the screen and
// the room the window is given.

#include <QSize>

namespace field {

// The client height the window has at least, where the work area allows it.
const int kBaseClientHeight = 684;
// The status bar along the client's bottom edge.
const int kStatusBarHeight = 22;

struct WindowLayout {
    int u = 0;             // layout unit
    int clientWidth = 0;   // the window's client width
    int clientHeight = 0;  // its height under the menu bar, status bar included

    bool operator==(const WindowLayout &o) const
    {
        return u == o.u && clientWidth == o.clientWidth && clientHeight == o.clientHeight;
    }
    bool operator!=(const WindowLayout &o) const { return !(*this == o); }
};

// The client height that the listing and the field frame (their bottom at
// 26 + 57u) need with the status bar under them.
int NeededClientHeight(int u);

// screenWidth: the screen's width in pixels. available: the client size the
// window may take under its menu bar (the work area without the window
// manager's frame, or the size a compositor gave the window).
// u is the largest value not above screenWidth div 100 (and at least 1) for
// which the layout fits available's height; the client height is 684, more
// where u needs it and available allows it, less where available is lower.
WindowLayout ComputeWindowLayout(int screenWidth, QSize available);

} // namespace field
