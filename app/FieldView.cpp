#include "FieldView.h"

#include <QPainter>

void FieldView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
