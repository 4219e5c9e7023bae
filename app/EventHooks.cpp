#include "EventHooks.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QVector>

#include <utility>

namespace {

// Lives as long as its target (its parent) and watches only that target.
class EventHook : public QObject
{
public:
    EventHook(QObject *target, QVector<QEvent::Type> types, std::function<bool(QEvent *)> handler)
        : QObject(target), m_types(std::move(types)), m_handler(std::move(handler))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && m_types.contains(event->type()))
            return m_handler(event);
        return QObject::eventFilter(watched, event);
    }

private:
    QVector<QEvent::Type> m_types;
    std::function<bool(QEvent *)> m_handler;
};

std::function<bool(QEvent *)> AsMouse(std::function<bool(QMouseEvent *)> handler)
{
    return [handler = std::move(handler)](QEvent *e) { return handler(static_cast<QMouseEvent *>(e)); };
}

} // namespace

void OnKeyPress(QObject *target, std::function<bool(QKeyEvent *)> handler)
{
    new EventHook(target, {QEvent::KeyPress},
                  [handler = std::move(handler)](QEvent *e) { return handler(static_cast<QKeyEvent *>(e)); });
}

void OnMouseButton(QObject *target, std::function<bool(QMouseEvent *)> handler)
{
    new EventHook(target, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick},
                  AsMouse(std::move(handler)));
}

void OnMousePress(QObject *target, std::function<bool(QMouseEvent *)> handler)
{
    new EventHook(target, {QEvent::MouseButtonPress}, AsMouse(std::move(handler)));
}

void OnFocusOut(QObject *target, std::function<void()> handler)
{
    new EventHook(target, {QEvent::FocusOut}, [handler = std::move(handler)](QEvent *) {
        handler();
        return false;
    });
}
