#include "Hints.h"

#include <QAction>
#include <QWidget>

QString ShortHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(ShortHint(hint));
    widget->setStatusTip(LongHint(hint));
    widget->setProperty("hint", hint);
}

void SetHint(QAction *action, const QString &hint)
{
    action->setToolTip(QString());
    action->setStatusTip(LongHint(hint));
    action->setProperty("hint", hint);
}

QString HintUnder(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant hint = w->property("hint");
        if (hint.isValid() && !hint.toString().isEmpty())
            return LongHint(hint.toString());
        if (w->isWindow())
            break;
    }
    return QString();
}
