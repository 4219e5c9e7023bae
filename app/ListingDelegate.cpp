#include "ListingDelegate.h"

void ListingDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.size() > kShownChars) {
        option->text.truncate(kShownChars);
        option->text += QChar(0x2026);  // …
    }
}
