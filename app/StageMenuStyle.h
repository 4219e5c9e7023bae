#pragma once
// Owner drawing of the stage menu's top-level items: image, then caption.

#include <QProxyStyle>

class StageMenuStyle : public QProxyStyle
{
public:
    explicit StageMenuStyle(QStyle *base = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;

    // ImageList3: image i of the ten (even: coloured, odd: grey).
    static QPixmap StageImage(int index);
};
