#pragma once
// The image control that shows a copy of the field picture at natural size.

#include <QColor>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QVector>
#include <QWidget>

class FieldView : public QWidget
{
    Q_OBJECT
public:
    explicit FieldView(QWidget *parent = nullptr);
    // Brings the control's copy up to date with the picture, where the
    // drawing since the last call went (`drawn`, as the drawing routines
    // reported it). Returns the area of the control to repaint: `drawn`
    // within the picture, or all of it when the picture's size or format
    // changed. The pictures are never compared.
    QRect setPicture(const QImage &picture, const QRect &drawn);
    // The copy shown.
    const QImage &picture() const { return m_picture; }
    // Lines drawn over the picture, not into it (a task's missing segments
    // after the check); none by default. Setting them repaints what they
    // cover, before and after.
    void setMarks(const QVector<QLine> &lines);
    const QVector<QLine> &marks() const { return m_marks; }
    static QColor MarkColour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;  // the control's own copy, shared with no picture drawn on
    QVector<QLine> m_marks;
};
