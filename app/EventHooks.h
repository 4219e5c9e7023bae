#pragma once
// Small event filters, each giving one kind of event of one object to one
// handler. A control's own keys, clicks or focus changes are set up beside
// the handler that serves them, not in a window-wide switch.

#include <functional>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QObject;

// The handler returns true when it consumes the key.
void OnKeyPress(QObject *target, std::function<bool(QKeyEvent *)> handler);
// Presses, releases and double clicks of any button; true consumes the event.
void OnMouseButton(QObject *target, std::function<bool(QMouseEvent *)> handler);
// A press on the target itself; true consumes it.
void OnMousePress(QObject *target, std::function<bool(QMouseEvent *)> handler);
// The target lost the keyboard focus; the event goes on as usual.
void OnFocusOut(QObject *target, std::function<void()> handler);
