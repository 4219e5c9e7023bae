#include "TaskWindow.h"

#include "Texts.h"
#include "field/drawing.h"
#include "field/geometry.h"
#include "field/glyph.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const int kMargin = 8;

QFont TextFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *TextLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    // The teacher's words as written: no markup is interpreted.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QImage TaskWindow::SamplePicture(const exec::Task &task, int sampleUnit)
{
    const editor::TaskFile &file = task.file;
    const field::Geometry g = field::ComputeGeometry(qint16(sampleUnit), qint16(file.fieldSize));
    QImage picture = field::NewPicture(g.w);
    field::RedrawEmptyField(picture, g);
    field::DrawDrawing(picture, g, task.sample);
    const field::Points points = exec::TaskPoints(file);
    QImage under = field::NewPicture(g.s);
    field::Executor executor;
    field::PlaceExecutorAtStart(picture, under, g, points, executor);
    return picture;
}

TaskWindow::TaskWindow(const exec::Task &task, int sampleUnit, QWidget *workWindow, Qt::WindowType kind)
    : QWidget(workWindow, kind)
{
    const editor::TaskFile &file = task.file;
    setWindowTitle(texts::TaskWindowTitle(file.title));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);

    m_sample = SamplePicture(task, sampleUnit);
    // The sample on the left, the words on its right: a window low enough
    // to leave the command panel and most of the listing in view.
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    auto *sample = new QLabel(this);
    sample->setPixmap(QPixmap::fromImage(m_sample));
    sample->setFixedSize(m_sample.size());
    layout->addWidget(sample, 0, Qt::AlignTop);
    auto *words = new QVBoxLayout;
    words->setSpacing(6);
    words->addWidget(TextLabel(file.title, TextFont(14, true), this));
    words->addWidget(TextLabel(file.statement, TextFont(12, false), this));
    words->addWidget(TextLabel(texts::TaskPoints(file.fieldSize, file.ax, file.ay, file.aDirection,
                                                 file.hasB, file.bx, file.by),
                               TextFont(11, false), this));
    words->addWidget(TextLabel(texts::kTaskWindowHint, TextFont(11, false), this));
    words->addStretch(1);
    layout->addLayout(words, 1);

    // It goes with the work window.
    workWindow->installEventFilter(this);
}

void TaskWindow::Bring()
{
    if (isHidden())
        show();
    raise();
}

bool TaskWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Closed with the work window; minimised with it by the window manager.
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous())
        hide();
    return QWidget::eventFilter(watched, event);
}

void TaskWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
