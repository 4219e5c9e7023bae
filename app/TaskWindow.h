#pragma once
// The task window: a teacher's task as the pupil reads it at Начать, its
// title, its statement and the sample drawing on a field of the task's
// size. It belongs to the work window: it stays above it, never takes the
// keys from it when shown, and goes when the work window is closed.

#include "exec/task.h"

#include <QImage>
#include <QWidget>

class QLabel;

class TaskWindow : public QWidget
{
    Q_OBJECT
public:
    // sampleUnit: the layout unit of the sample's field (its cells are
    // 52 * sampleUnit / N pixels). kind: a tool window (no task bar button
    // of its own), or a dialog window where a window manager loses tool
    // windows.
    TaskWindow(const exec::Task &task, int sampleUnit, QWidget *workWindow, Qt::WindowType kind = Qt::Tool);

    // Shows the window, or raises it when shown, leaving the keys where
    // they are.
    void Bring();
    // The picture of the sample drawing shown.
    const QImage &Sample() const { return m_sample; }

    // The sample drawing on an empty field of the task's size: the trace of
    // every segment, the marks of А and Б, the executor on А.
    static QImage SamplePicture(const exec::Task &task, int sampleUnit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage m_sample;
};
