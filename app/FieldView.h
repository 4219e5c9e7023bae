#pragma once
// The image control that shows a copy of the field picture at natural size.

#include <QImage>
#include <QRect>
#include <QWidget>

class FieldView : public QWidget
{
    Q_OBJECT
public:
    explicit FieldView(QWidget *parent = nullptr);
    // Takes a copy of the picture to show and returns the area of the control
    // whose pixels change with it (empty when none does); the caller repaints
    // that area.
    QRect setPicture(const QImage &picture);
    // The copy shown.
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;        // the control's own copy, shared with no picture drawn on
    qint64 m_sourceKey = 0;  // the picture it was taken from, as it was then
};
