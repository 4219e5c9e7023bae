#include "StageMenuStyle.h"

#include <QAction>
#include <QBitmap>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {

const int kMenuRowHeight = 20;

const QAction *ItemAction(const QWidget *widget, const QStyleOptionMenuItem *item)
{
    const auto *bar = qobject_cast<const QMenuBar *>(widget);
    if (!bar)
        return nullptr;
    const QList<QAction *> actions = bar->actions();
    for (const QAction *action : actions) {
        if (action->text() == item->text && bar->actionGeometry(const_cast<QAction *>(action)) == item->rect)
            return action;
    }
    for (const QAction *action : actions) {
        if (action->text() == item->text)
            return action;
    }
    return nullptr;
}

// The menu font at 9 points: the items are drawn and measured in it.
QFont ItemFont(QFont font)
{
    font.setPointSize(9);
    return font;
}

} // namespace

StageMenuStyle::StageMenuStyle(QStyle *base) : QProxyStyle(base) {}

QPixmap StageMenuStyle::StageImage(int index)
{
    QPixmap image(QStringLiteral(":/images/stage%1.png").arg(index));
    if (image.isNull())
        return image;
    // The colour of the lower-left pixel is the image's transparent background.
    const QImage source = image.toImage();
    const QColor background = source.pixelColor(0, source.height() - 1);
    image.setMask(QBitmap::fromImage(source.createMaskFromColor(background.rgb(), Qt::MaskInColor)));
    return image;
}

QSize StageMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                       const QWidget *widget) const
{
    if (type == CT_MenuBarItem) {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
            // Measured in the font the item is drawn in.
            const QFontMetrics metrics(ItemFont(widget ? widget->font() : item->font));
            QString caption = item->text;
            caption.remove(QLatin1Char('&'));
            // The bar is never lower than a standard menu row (20 pixels),
            // so the image at top + 2 is never cut.
            return QSize(metrics.horizontalAdvance(caption) + 24, qMax(metrics.height() + 2, kMenuRowHeight));
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void StageMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    // The bar's background is drawn whole, with no edge line under it.
    if (element == PE_PanelMenuBar) {
        painter->fillRect(option->rect, option->palette.color(QPalette::Window));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void StageMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    if (element == CE_MenuBarEmptyArea) {
        painter->fillRect(option->rect, option->palette.color(QPalette::Window));
        return;
    }
    if (element != CE_MenuBarItem) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    const QAction *action = item ? ItemAction(widget, item) : nullptr;
    if (!item || !action || !action->property("stageImage").isValid()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }

    const QRect r = item->rect;
    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    const QPalette &pal = item->palette;

    painter->save();
    painter->fillRect(r, pal.color(QPalette::Window));
    const int index = action->property("stageImage").toInt() + (enabled ? 0 : 1);
    const QPixmap image = StageImage(index);
    if (!image.isNull())
        painter->drawPixmap(r.left(), r.top() + 2, image);

    QRect text = r;
    text.setLeft(r.left() + 16);
    QColor textColour;
    if (enabled) {
        painter->fillRect(text, selected ? pal.color(QPalette::Active, QPalette::Highlight)
                                         : pal.color(QPalette::Window));
        textColour = selected ? QColor(255, 255, 255) : pal.color(QPalette::WindowText);
    } else {
        painter->fillRect(text, pal.color(QPalette::Window));
        textColour = pal.color(QPalette::Disabled, QPalette::WindowText);
    }
    const QFont font = ItemFont(widget ? widget->font() : painter->font());
    painter->setFont(font);
    painter->setPen(textColour);
    QString caption = item->text;
    caption.remove(QLatin1Char('&'));
    const QFontMetrics metrics(font);
    painter->drawText(QPoint(r.left() + 20, r.top() + 2 + metrics.ascent()), caption);
    painter->restore();
}
