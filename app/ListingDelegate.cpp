#include "ListingDelegate.h"

#include "editor/statistics.h"

#include <QStyle>
#include <QWidget>

void ListingDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.size() > kShownChars) {
        option->text.truncate(kShownChars);
        option->text += QChar(0x2026);  // …
    }
}

void StatisticsDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The room the style leaves the text of an item (its margins on both sides).
    const QStyle *style = option->widget ? option->widget->style() : nullptr;
    const int margin = style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1 : 0;
    const int room = option->rect.width() - 2 * margin;
    if (room <= 0)
        return;  // not laid out yet: nothing to fit
    // A row fits when the view would not elide it.
    option->text = editor::FitRow(option->text, [&](const QString &row) {
        return option->fontMetrics.elidedText(row, Qt::ElideRight, room) == row;
    });
}
