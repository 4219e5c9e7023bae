#pragma once
// The texts of a list box's items, in order.

#include <QListWidget>
#include <QStringList>

inline QStringList ItemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}
