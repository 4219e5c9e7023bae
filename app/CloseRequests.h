#pragma once
// The window manager's close requests for one window, seen as they arrive
// from the window system, also while a modal box blocks that window (the
// toolkit drops them then, before the window could see them).

#include "qtcompat.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <functional>

class CloseRequestWatch : public QAbstractNativeEventFilter
{
public:
    // Calls `noted` for each close request for `window`; the request itself
    // goes on as usual. Watches from construction to destruction.
    CloseRequestWatch(QWidget *window, std::function<void()> noted);
    ~CloseRequestWatch() override;
    CloseRequestWatch(const CloseRequestWatch &) = delete;
    CloseRequestWatch &operator=(const CloseRequestWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, compat::NativeEventResult *result) override;

private:
    QPointer<QWidget> window;
    std::function<void()> noted;
    quint32 protocolsAtom = 0;  // WM_PROTOCOLS
    quint32 deleteAtom = 0;     // WM_DELETE_WINDOW
};
