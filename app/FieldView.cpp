#include "FieldView.h"

#include <QPaintEvent>
#include <QPainter>

#include <cstring>

namespace {

// The smallest rectangle that holds every pixel in which two 32-bit pictures
// of one size and format differ; empty when they are equal.
QRect ChangedArea(const QImage &a, const QImage &b)
{
    const int w = a.width();
    const int h = a.height();
    const size_t rowBytes = size_t(w) * sizeof(quint32);
    int top = -1, bottom = -1, left = w, right = -1;
    for (int y = 0; y < h; ++y) {
        const auto *ra = reinterpret_cast<const quint32 *>(a.constScanLine(y));
        const auto *rb = reinterpret_cast<const quint32 *>(b.constScanLine(y));
        if (std::memcmp(ra, rb, rowBytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        // Only the pixels outside the columns already known to change need a look.
        int l = 0;
        while (l < left && ra[l] == rb[l])
            ++l;
        left = l < left ? l : left;
        int r = w - 1;
        while (r > right && ra[r] == rb[r])
            --r;
        right = r > right ? r : right;
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

FieldView::FieldView(QWidget *parent) : QWidget(parent)
{
    // paintEvent covers every pixel of the control: what lies beneath need
    // not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FieldView::setPicture(const QImage &picture)
{
    // Any drawing into a picture changes its key: the same key means the
    // same pixels as last time.
    if (!picture.isNull() && picture.cacheKey() == m_sourceKey)
        return QRect();
    m_sourceKey = picture.cacheKey();

    if (picture.size() != m_picture.size() || picture.format() != m_picture.format()
        || picture.depth() != 32) {
        const QRect changed = rect() | picture.rect() | m_picture.rect();
        // A deep copy: the picture goes on being drawn on.
        m_picture = picture.copy();
        return changed;
    }
    const QRect changed = ChangedArea(picture, m_picture);
    if (changed.isEmpty())
        return changed;
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
}
