#pragma once
// Hints have the form "short|long": the short part is the tooltip, the long
// part goes to the status bar.

#include <QString>

class QWidget;
class QAction;

QString ShortHint(const QString &hint);
QString LongHint(const QString &hint);
void SetHint(QWidget *widget, const QString &hint);
void SetHint(QAction *action, const QString &hint);
// The long hint of the widget, or of the nearest enclosing widget that has one.
QString HintUnder(QWidget *widget);
