#pragma once
// How lstCom and the statistics panel draw their rows.
//
// lstCom draws a line: as stored, but a line too long for any row is laid
// out only as far as a row can show it. Laying out a whole line of a million
// characters for every repaint or size hint would hold the window for seconds.
// The current line (the line a run executes) is a bar of the palette's
// selection colours under every style, as a list box draws it; a style's
// own look (a pale bar, a hover shade) would hide it.

#include <QStyledItemDelegate>

class ListingDelegate : public QStyledItemDelegate
{
public:
    // A row shows at most this many characters of its line, then an ellipsis:
    // at 3 pixels or more a printable character, they are wider than any row.
    static constexpr int kShownChars = 1024;
    // The height of a row of lstCom, in pixels.
    static constexpr int kRowHeight = 16;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

// The statistics panel draws a row too long for its width with fewer dots, so
// that a count of any length is read whole.
class StatisticsDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Public so that a test reads what a row shows.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
