// The run tool bar and the runs.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "Hints.h"
#include "exec/engine.h"
#include "exec/moves.h"

#include <QCoreApplication>
#include <QIcon>
#include <QListView>
#include <QStringListModel>
#include <QToolButton>

#include <chrono>
#include <thread>

namespace {

const char *const kHintDo = "Выполнять медленно | Исполнять алгоритм с малой скоростью";
const char *const kHintQuick = "Выполнять быстро | Исполнять алгоритм со средней скоростью";
const char *const kHintResult = "Выполнять очень быстро | Исполнять алгоритм с высокой скоростью";
const char *const kHintStop = "Прервать выполнение";

const char *const kNoPointA =
    "Точка А не задана или лежит вне поля. Задайте точку А на этапе \"Разработка\".";

} // namespace

void TfrmPvPupil::SetupToolBar()
{
    const struct {
        QToolButton *button;
        const char *image;
        const char *hint;
        void (TfrmPvPupil::*click)();
    } buttons[] = {
        {ui->FixToolButtonDo, ":/images/tool0.png", kHintDo, &TfrmPvPupil::FixToolButtonDoClick},
        {ui->FixToolButtonQuick, ":/images/tool1.png", kHintQuick, &TfrmPvPupil::FixToolButtonQuickClick},
        {ui->FixToolButtonResult, ":/images/tool2.png", kHintResult, &TfrmPvPupil::FixToolButtonResultClick},
        {ui->FixToolButtonStop, ":/images/tool3.png", kHintStop, &TfrmPvPupil::FixToolButtonStopClick},
    };
    for (const auto &b : buttons) {
        b.button->setIcon(QIcon(QString::fromLatin1(b.image)));
        b.button->setIconSize(QSize(16, 16));
        SetHint(b.button, QString::fromUtf8(b.hint));
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
    StopRequested = false;

    exec::MoveContext moves;
    moves.picture = &fieldPicture;
    moves.under = &underPicture;
    moves.geometry = geometry;
    moves.executor = &executor;
    moves.turnFramePause = TurnFramePause;
    moves.wallBlinkPause = WallBlinkPause;
    moves.showField = [this] { ShowField(); };
    moves.pause = [this](int ms) { Pause(ms); };
    moves.requestStop = [this] { StopRequested = true; };
    moves.wallMessage = [this](const QString &text) {
        dialogs::Message(this, dialogs::Kind::Error, text);
        repaint();
    };

    exec::EngineHooks hooks;
    hooks.linePause = LinePause;
    hooks.lineCount = [this] { return listing->rowCount(); };
    hooks.line = [this](int i) { return listing->index(i).data().toString(); };
    hooks.selectLine = [this](int i) {
        SetCurrentLine(i);
        // The pause that follows blocks: put the highlight on screen now.
        ui->lstCom->viewport()->repaint();
    };
    hooks.pause = [this](int ms) { Pause(ms); };
    hooks.checkPoint = [this] { return CheckPoint(); };
    hooks.step = [&moves] { exec::MakeStep(moves); };
    hooks.jump = [&moves] { exec::MakeJump(moves); };
    hooks.turn = [&moves] { exec::MakeTurn(moves); };
    hooks.wallAhead = [this] { return exec::WallAhead(executor, geometry.n); };
    hooks.fail = [this](const QString &text) {
        dialogs::Message(this, dialogs::Kind::Error, text);
        StopRequested = true;
    };

    const exec::WalkResult result = exec::Walk(hooks);
    if (!result.stopped)
        SetCurrentLine(result.endIndex);  // the КОН line; past the end selects nothing
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
        dialogs::Message(this, dialogs::Kind::Information, QString::fromUtf8(kNoPointA));
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
