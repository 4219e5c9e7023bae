// A teacher's task: the field and points it sets at Начать, the task
// window, the pupil's trace recorded during a run and the check after it.
// Without a task (the free task) none of this does anything.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "TaskWindow.h"
#include "Texts.h"
#include "X11Desktop.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

namespace {

// Between the task window's frame and the field's frame.
const int kTaskWindowGap = 8;

} // namespace

void TfrmPvPupil::SetTask(const exec::Task &task)
{
    m_task = std::make_unique<exec::Task>(task);
}

bool TfrmPvPupil::HasTask() const
{
    return m_task != nullptr;
}

void TfrmPvPupil::ApplyTaskField()
{
    const editor::TaskFile &file = m_task->file;
    if (file.fieldSize != geometry.n)
        ResizeField(file.fieldSize);
    SetSpinnerMaxima();

    points = exec::TaskPoints(file);

    // The points panel shows the task's points, so that closing it keeps
    // them.
    const auto put = [](QSpinBox *spinner, QLineEdit *edit, int value) {
        spinner->setValue(value);
        edit->setText(QString::number(value));
    };
    ui->CheckBoxA->setChecked(true);
    put(ui->UpDownAX, ui->EditAX, file.ax);
    put(ui->UpDownAY, ui->EditAY, file.ay);
    ui->ComboBoxTo->setEditText(texts::kDirectionNames.value((file.aDirection / 90) % 4));
    ui->CheckBoxB->setChecked(file.hasB);
    if (file.hasB) {
        put(ui->UpDownBX, ui->EditBX, file.bx);
        put(ui->UpDownBY, ui->EditBY, file.by);
    }
}

void TfrmPvPupil::ShowTaskWindow()
{
    if (!m_task || stage == Stage::Initial)
        return;
    if (m_taskWindow) {
        m_taskWindow->Bring();
        return;
    }
    // The sample's cells about two fifths the size of the field's.
    // Where the work window is maximised under X11 (weston's XWayland), a
    // dialog window: Debian 13's weston never shows a tool window there and
    // falls over when one is raised.
    const Qt::WindowType kind = x11desktop::IsX11() && m_followSize ? Qt::Dialog : Qt::Tool;
    m_taskWindow = new TaskWindow(*m_task, qMax(3, u * 2 / 5), this, kind);
    PlaceTaskWindow();
    m_taskWindow->Bring();

    // How to bring it back, in the status bar for as long as the window lives.
    auto *key = new QLabel(texts::kTaskKeyHint, ui->StatusBar1);
    key->setContentsMargins(0, 0, 8, 0);
    ui->StatusBar1->addPermanentWidget(key);
}

void TfrmPvPupil::PlaceTaskWindow()
{
    // The work window spans the work area's width, the field on its right:
    // the task window goes to the work window's left, its bottom level with
    // the field frame's, over the command panel, the statistics and the
    // listing's lower part, its frame clear of the field's frame. Under
    // Wayland the compositor places it.
    if (IsWayland())
        return;
    const QRect fieldFrame(ui->pnl1->mapToGlobal(QPoint(0, 0)), ui->pnl1->size());
    const QRect area = screen() ? screen()->availableGeometry() : QRect(QPoint(0, 0), size());
    // The frame the window manager gives the work window, taken for the task
    // window's as well (the task window is not framed yet).
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const int left = area.left() + frame.left();
    const int right = fieldFrame.left() - kTaskWindowGap - frame.right();
    // As wide as the room left of the field, as high as its words need there.
    const int width = qMax(m_taskWindow->minimumSizeHint().width(), right - left);
    const int height = m_taskWindow->heightForWidth(width) > 0 ? m_taskWindow->heightForWidth(width)
                                                               : m_taskWindow->sizeHint().height();
    const int bottom = fieldFrame.bottom();
    const int top = qMax(area.top() + frame.top(), bottom - height);
    m_taskWindow->resize(width, qMin(height, bottom - top + 1));
    m_taskWindow->move(left - frame.left(), top - frame.top());
}

void TfrmPvPupil::RecordStep(QPoint from)
{
    if (!m_task)
        return;
    const QPoint to(executor.x, executor.y);
    if (to != from)  // a step into a wall draws nothing
        field::AddMove(m_trace, from, to);
}

void TfrmPvPupil::CheckTaskResult()
{
    if (!m_task || !m_runReachedEnd)
        return;
    m_runReachedEnd = false;
    const exec::Verdict verdict =
        exec::CheckDrawing(m_task->sample, m_trace, m_task->file, QPoint(executor.x, executor.y));
    dialogs::Message(this, dialogs::Kind::Information, exec::VerdictText(verdict), texts::kTaskCheck);
    // The segments still missing, over the field until the next run or
    // stage change (both redraw the field).
    QVector<QLine> marks;
    for (const exec::Segment &segment : verdict.missing) {
        const QPoint from = field::CellCentre(geometry, qint16(segment.a.x()), qint16(segment.a.y()));
        const QPoint to = field::CellCentre(geometry, qint16(segment.b.x()), qint16(segment.b.y()));
        // Where the trace would run: cell centres plus (1, 1).
        marks << QLine(from + QPoint(1, 1), to + QPoint(1, 1));
    }
    ui->PaintImage->setMarks(marks);
}
