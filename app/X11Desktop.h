#pragma once
// What the X server and its window manager tell about the desktop, read on a
// connection of our own (the same under every Qt version). All sizes are in
// the screen's device pixels. On another window system, or with no X server,
// nothing is known: the answers are empty or false.

#include "field/layout.h"

#include <QMargins>
#include <QRect>
#include <QVector>
#include <QWindow>

namespace x11desktop {

// The program runs on an X server (Qt's xcb platform).
bool IsX11();
// A window manager is running: the root names its check window.
bool WindowManagerRunning();
// The window manager says it tells each window its frame's extents.
bool SendsFrameExtents();
// The window manager says it names the work area (what its panels leave).
bool NamesWorkArea();
// The X screen (the root window) and the current desktop's work area; an
// empty rectangle when the window manager names none.
QSize RootSize();
QRect WorkArea();
// The strips that docks and panels reserve (one per managed window that
// reserves any).
QVector<field::Strut> Struts();
// The extents of the frame the window manager put around the window; null
// until it says.
QMargins FrameExtents(WId window);
// Where the window's client area lies on the root; far off (-1000000) when
// it cannot be told.
QPoint ClientPosition(WId window);
// Asks the window manager to put the window's frame, title bar included,
// with its top-left at topLeft; false when it cannot be asked.
bool MoveFrame(WId window, QPoint topLeft);

} // namespace x11desktop
