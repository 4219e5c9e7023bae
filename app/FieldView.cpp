#include "FieldView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <cstring>

namespace {

const int kMarkWidth = 3;

// What a set of marks covers, pen included.
QRect MarksRect(const QVector<QLine> &lines)
{
    QRect r;
    for (const QLine &line : lines)
        r |= QRect(line.p1(), line.p2()).normalized();
    return r.isNull() ? r : r.adjusted(-kMarkWidth, -kMarkWidth, kMarkWidth, kMarkWidth);
}

} // namespace

FieldView::FieldView(QWidget *parent) : QWidget(parent)
{
    // paintEvent covers every pixel of the control: what lies beneath need
    // not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FieldView::setPicture(const QImage &picture, const QRect &drawn)
{
    if (picture.size() != m_picture.size() || picture.format() != m_picture.format()
        || picture.depth() != 32) {
        const QRect changed = rect() | picture.rect() | m_picture.rect();
        // A deep copy: the picture goes on being drawn on.
        m_picture = picture.copy();
        return changed;
    }
    const QRect changed = drawn & picture.rect();
    if (changed.isEmpty())
        return QRect();
    const size_t bytes = size_t(changed.width()) * sizeof(quint32);
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        std::memcpy(reinterpret_cast<quint32 *>(m_picture.scanLine(y)) + changed.left(),
                    reinterpret_cast<const quint32 *>(picture.constScanLine(y)) + changed.left(), bytes);
    }
    return changed;
}

void FieldView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const QRect source = area & m_picture.rect();
    if (!source.isEmpty())
        painter.drawImage(source.topLeft(), m_picture, source);
    // Beyond the picture (a control larger than it): the window's colour.
    const QRegion rest = QRegion(area) - QRegion(m_picture.rect());
    for (const QRect &r : rest)
        painter.fillRect(r, palette().color(backgroundRole()));
    if (!m_marks.isEmpty()) {
        // Dashed, so that even where a mark runs along the trace it reads
        // as something else.
        QPen pen(MarkColour(), kMarkWidth, Qt::DashLine, Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLines(m_marks);
    }
}

QColor FieldView::MarkColour()
{
    // Magenta: neither the trace's grey, the grid's blue, the executor's red
    // nor the background's grey.
    return QColor(0xE0, 0x00, 0xE0);
}

void FieldView::setMarks(const QVector<QLine> &lines)
{
    if (lines.isEmpty() && m_marks.isEmpty())
        return;
    const QRect old = MarksRect(m_marks);
    m_marks = lines;
    update(old | MarksRect(m_marks));
}
