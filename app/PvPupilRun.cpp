// The run tool bar and the runs.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "Texts.h"
#include "exec/engine.h"
#include "exec/moves.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>
#include <QToolButton>

#include <chrono>
#include <thread>

namespace {

// About one display frame: at most this long may the listing on screen lag
// behind the highlighted line while a run with no line pause goes on.
const qint64 kListFrameNs = 16 * 1000 * 1000;

// The highlight of the line the run is on. With a line pause, each line's
// highlight is put on screen at once, before the blocking pause. With none
// (very fast speed) lines follow each other thousands of times a second, far
// more often than a screen shows, and moving lstCom's selection costs more
// than the line itself. The window then only notes the run's line
// (`runLine`, which CurrentLine reports), and lstCom is brought up to it and
// painted about once a display frame, at once before any blocking wait or
// message box, and at the run's end. Nothing else changes lstCom during a
// run, so it never paints a highlight other than the one it was last given.
class ListHighlight
{
public:
    ListHighlight(TfrmPvPupil *window, QListView *list, int &runLine, bool batched)
        : w(window), list(list), runLine(runLine), batched(batched)
    {
        clock.start();
    }
    ~ListHighlight() { End(); }

    void Select(int i)
    {
        if (!batched) {
            Put(i);
            return;
        }
        runLine = i;
        if (clock.nsecsElapsed() >= kListFrameNs)
            Show();
    }

    // Puts the listing with the run's line on screen.
    void Show()
    {
        const int line = runLine;
        if (line < 0)
            return;  // lstCom already shows it
        runLine = -1;
        Put(line);
        clock.start();
    }

    // The run's line is lstCom's current line again.
    void End()
    {
        Show();
        batched = false;
    }

private:
    // Makes line i current in lstCom and paints it at once. Only the rows
    // whose highlight may have moved are painted again (with whatever else
    // waits to be painted), unless the list scrolled to show the line.
    void Put(int i)
    {
        const QModelIndex before = list->currentIndex();
        const QPoint scroll = ScrollPosition();
        w->SetCurrentLine(i);
        if (ScrollPosition() != scroll)
            list->viewport()->repaint();
        else
            list->viewport()->repaint(QRegion(list->visualRect(before)) + list->visualRect(list->currentIndex()));
    }

    QPoint ScrollPosition() const
    {
        return QPoint(list->horizontalScrollBar()->value(), list->verticalScrollBar()->value());
    }

    TfrmPvPupil *w;
    QListView *list;
    int &runLine;  // the window's
    bool batched;
    QElapsedTimer clock;  // since lstCom was last brought up to the run
};

} // namespace

void TfrmPvPupil::SetupToolBar()
{
    const struct {
        QToolButton *button;
        const char *image;
        void (TfrmPvPupil::*click)();
    } buttons[] = {
        {ui->FixToolButtonDo, ":/images/tool0.png", &TfrmPvPupil::FixToolButtonDoClick},
        {ui->FixToolButtonQuick, ":/images/tool1.png", &TfrmPvPupil::FixToolButtonQuickClick},
        {ui->FixToolButtonResult, ":/images/tool2.png", &TfrmPvPupil::FixToolButtonResultClick},
        {ui->FixToolButtonStop, ":/images/tool3.png", &TfrmPvPupil::FixToolButtonStopClick},
    };
    for (const auto &b : buttons) {
        b.button->setIcon(QIcon(QString::fromLatin1(b.image)));
        b.button->setIconSize(QSize(16, 16));
        connect(b.button, &QToolButton::clicked, this, b.click);
    }
}

// A blocking wait: no window events are processed meanwhile.
void TfrmPvPupil::Pause(int ms)
{
    if (ms <= 0)
        return;
    std::this_thread::sleep_until(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

bool TfrmPvPupil::CheckPoint()
{
    QCoreApplication::processEvents();
    return StopRequested;
}

void TfrmPvPupil::RunAlgorithm()
{
    RedrawEmptyField();
    PlaceExecutorAtStart();
    SetCurrentLine(0);
    ShowField();
    ui->NMainWork->setEnabled(false);
    m_trace = exec::Drawing();
    StopRequested = false;

    ListHighlight highlight(this, ui->lstCom, runLine, LinePause == 0);
    // A blocking wait: whatever the listing shows stays on screen meanwhile.
    const auto pause = [this, &highlight](int ms) {
        if (ms > 0)
            highlight.Show();
        Pause(ms);
    };

    exec::MoveContext moves;
    moves.picture = &fieldPicture;
    moves.under = &underPicture;
    moves.dirty = &fieldDirty;
    moves.geometry = geometry;
    moves.executor = &executor;
    moves.turnFramePause = TurnFramePause;
    moves.wallBlinkPause = WallBlinkPause;
    moves.showField = [this] { ShowField(); };
    moves.pause = pause;
    moves.requestStop = [this] { StopRequested = true; };
    moves.wallMessage = [this, &highlight](const QString &text) {
        highlight.Show();
        dialogs::Message(this, dialogs::Kind::Error, text);
        repaint();
    };

    exec::EngineHooks hooks;
    hooks.linePause = LinePause;
    hooks.lineCount = [this] { return listing->rowCount(); };
    hooks.line = [this](int i) { return listing->index(i).data().toString(); };
    hooks.selectLine = [&highlight](int i) { highlight.Select(i); };
    hooks.pause = pause;
    hooks.checkPoint = [this] { return CheckPoint(); };
    hooks.step = [this, &moves] {
        const QPoint from(executor.x, executor.y);
        exec::MakeStep(moves);
        RecordStep(from);
    };
    hooks.jump = [&moves] { exec::MakeJump(moves); };
    hooks.turn = [&moves] { exec::MakeTurn(moves); };
    hooks.wallAhead = [this] { return exec::WallAhead(executor, geometry.n); };
    hooks.fail = [this, &highlight](const QString &text) {
        highlight.Show();
        dialogs::Message(this, dialogs::Kind::Error, text);
        StopRequested = true;
    };

    const exec::WalkResult result = exec::Walk(hooks);
    highlight.End();
    if (!result.stopped)
        SetCurrentLine(result.endIndex);  // the КОН line; past the end selects nothing
    m_runReachedEnd = !result.stopped && result.endIndex < listing->rowCount();
    ui->NMainWork->setEnabled(true);
}

void TfrmPvPupil::StartRun(int turnFramePause, int wallBlinkPause, int linePause)
{
    if (running)
        return;
    const bool pointInField = points.ax >= 0 && points.ax < geometry.n && points.ay >= 0
                              && points.ay < geometry.n
                              && (points.adir == 0 || points.adir == 90 || points.adir == 180
                                  || points.adir == 270);
    if (!pointInField) {
        dialogs::Message(this, dialogs::Kind::Information, texts::kNoPointA);
        return;
    }

    // However the run ends, the window leaves the running state.
    struct RunScope {
        TfrmPvPupil *w;
        explicit RunScope(TfrmPvPupil *window) : w(window)
        {
            w->running = true;
            w->SetStage(w->stage);
        }
        ~RunScope()
        {
            w->running = false;
            w->SetStage(w->stage);
        }
    };
    {
        RunScope scope(this);
        TurnFramePause = turnFramePause;
        WallBlinkPause = wallBlinkPause;
        LinePause = linePause;
        RunAlgorithm();
    }

    if (!closePending)
        CheckTaskResult();
    LayOutPending();
    if (closePending) {
        closePending = false;
        close();
    }
}

void TfrmPvPupil::FixToolButtonDoClick()
{
    StartRun(100, 100, 500);
}

void TfrmPvPupil::FixToolButtonQuickClick()
{
    StartRun(30, 100, 10);
}

void TfrmPvPupil::FixToolButtonResultClick()
{
    StartRun(0, 10, 0);
}

void TfrmPvPupil::FixToolButtonStopClick()
{
    StopRequested = true;
}
