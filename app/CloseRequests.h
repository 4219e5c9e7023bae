#pragma once
// The window manager's close requests for one window, seen as they arrive
// from the window system, also while a modal box blocks that window (the
// toolkit drops them then, before the window could see them).

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace close_requests_detail {
// The result argument of the filter: long in older toolkits, qintptr now.
template <typename>
struct ResultOf;
template <typename C, typename R>
struct ResultOf<bool (C::*)(const QByteArray &, void *, R *)> {
    using type = R;
};
} // namespace close_requests_detail

class CloseRequestWatch : public QAbstractNativeEventFilter
{
public:
    // Calls `noted` for each close request for `window`; the request itself
    // goes on as usual. Watches from construction to destruction.
    CloseRequestWatch(QWidget *window, std::function<void()> noted);
    ~CloseRequestWatch() override;
    CloseRequestWatch(const CloseRequestWatch &) = delete;
    CloseRequestWatch &operator=(const CloseRequestWatch &) = delete;

    using Result = close_requests_detail::ResultOf<decltype(&QAbstractNativeEventFilter::nativeEventFilter)>::type;
    bool nativeEventFilter(const QByteArray &eventType, void *message, Result *result) override;

private:
    QPointer<QWidget> window;
    std::function<void()> noted;
    quint32 protocolsAtom = 0;  // WM_PROTOCOLS
    quint32 deleteAtom = 0;     // WM_DELETE_WINDOW
};
