#include "ListingDelegate.h"

#include "editor/statistics.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>

void ListingDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_MouseOver;
    if (plain.state & QStyle::State_Selected) {
        // As a list box draws it: the same bar in an inactive window (some
        // platforms' palettes would make it the window's grey there), the
        // disabled colours in a disabled listing.
        const QWidget *view = option.widget;
        const QPalette::ColorGroup group = (view ? view->isEnabled() : bool(option.state & QStyle::State_Enabled))
                                               ? QPalette::Active
                                               : QPalette::Disabled;
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QBrush text = option.palette.brush(group, QPalette::HighlightedText);
        plain.palette.setBrush(QPalette::Active, QPalette::Text, text);
        plain.palette.setBrush(QPalette::Inactive, QPalette::Text, text);
        plain.palette.setBrush(QPalette::Disabled, QPalette::Text, text);
        plain.state &= ~QStyle::State_Selected;
    }
    QStyledItemDelegate::paint(painter, plain, index);
}

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
