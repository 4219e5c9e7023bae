#include "Hints.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QWidget>

QString HintUnder(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w->isWindow())
            break;
    }
    return QString();
}

namespace {

// Watches the window and each widget inside it; a widget added later is
// watched once it is polished.
class HintRouter : public QObject
{
public:
    HintRouter(QWidget *window, QStatusBar *statusBar) : QObject(window), m_window(window), m_bar(statusBar)
    {
        Watch(window);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::ChildPolished:
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
                Watch(child);
            break;
        case QEvent::Enter:
            if (widget != m_window)
                m_bar->showMessage(HintUnder(widget));
            break;
        case QEvent::Leave:
            // Back onto the enclosing control: its hint (an Enter of a sibling
            // comes after this and wins).
            if (widget != m_window)
                m_bar->showMessage(HintUnder(widget->parentWidget()));
            break;
        case QEvent::StatusTip:
            // Menu items report their long hint this way and it travels up to
            // the window; the widgets' own tips are shown on Enter.
            if (widget == m_window) {
                m_bar->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
                return true;
            }
            if (!qobject_cast<QMenuBar *>(widget) && !qobject_cast<QMenu *>(widget))
                return true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    QWidget *m_window;
    QStatusBar *m_bar;
};

} // namespace

void RouteHints(QWidget *window, QStatusBar *statusBar)
{
    new HintRouter(window, statusBar);
}
