#pragma once
// The image control that shows a copy of the field picture at natural size.

#include <QImage>
#include <QWidget>

class FieldView : public QWidget
{
    Q_OBJECT
public:
    explicit FieldView(QWidget *parent = nullptr) : QWidget(parent) {}
    void setPicture(const QImage &picture) { m_picture = picture; }
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};
