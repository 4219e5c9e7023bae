#pragma once
// The main work window's layout unit and client height, from the screen and
// the room the window is given.

#include <QRect>
#include <QSize>
#include <QVector>

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

// What a dock or a panel reserves along the screen's edges, in the order of
// the X property it comes from (_NET_WM_STRUT_PARTIAL): the widths of the
// left, right, top and bottom strips, then the first and last row of the
// left and the right strip and the first and last column of the top and the
// bottom strip. A strip of width 0 reserves nothing.
struct Strut {
    int left = 0, right = 0, top = 0, bottom = 0;
    int leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    int topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;
};

// The part of workArea that lies clear of every strip the struts reserve on
// a screen (the X root window) of size root: each strip that overlaps the
// area across from its edge pushes that edge in. Window managers differ in
// whether their work area leaves out partial strips; this never covers one.
QRect FreeArea(QRect workArea, QSize root, const QVector<Strut> &struts);

// The client's room in logical pixels for a work area and frame given in
// device pixels at a scale factor: as wide as the frame leaves the area,
// rounded up so that the frame covers the whole width, and as high as it
// leaves, rounded down so that nothing goes below the area.
QSize ClientRoom(QRect area, QMargins frame, int menuHeight, qreal scale);

// The start window: its outer height (frame and caption included, as a
// usual frame makes it) and how many rows of sky its banner may lose.
const int kStartOuterHeight = 715;
const int kStartMaxCut = 180;

// How many pixels the start window is made lower on a work area of this
// height so that the whole window, its Start button and status bar
// included, is shown: none where it fits, otherwise what is missing (taken
// off the top of the banner), at most kStartMaxCut.
int StartWindowCut(int workAreaHeight);

} // namespace field
