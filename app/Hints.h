#pragma once
// Hints. A control's short hint is its tool tip and its long hint its status
// tip, both stored in the window's .ui file. The status bar shows the long
// hint of the control under the mouse, or of the nearest enclosing control
// that has one; menu items report theirs through status-tip events.

class QStatusBar;
class QString;
class QWidget;

// The long hint of the widget, or of the nearest enclosing widget that has one.
QString HintUnder(QWidget *widget);

// Routes the hints of window and of every widget inside it, now or later, to
// statusBar.
void RouteHints(QWidget *window, QStatusBar *statusBar);
