// Runs started from the tool bar of the work window: what is enabled while a
// run lasts, how it ends, the stop button, the close box and the start check.
#include "Dialogs.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include "exec/engine.h"
#include "exec/moves.h"
#include "field/geometry.h"

#include <QListView>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <QApplication>
#include <QMessageBox>

#include <functional>
#include <memory>

namespace {

QStringList Listing(const QStringList &body, const QStringList &procedures = {})
{
    return QStringList{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("    Дано: Исполнитель в т.А"),
                       QStringLiteral("    Надо: Воспроизвести образец"), QStringLiteral("НАЧ")}
        + body + QStringList{QStringLiteral("КОН")} + procedures;
}

// What the window looks like at one moment of a run.
struct Snapshot {
    bool running = false;
    bool speedButtons = false;  // any of the three enabled
    bool stopButton = false;
    bool work = false;          // NMainWork
    int linePause = -1, turnPause = -1, blinkPause = -1;
    int listRow = -2;  // the row lstCom itself has current
};

// The line the walk is on at each of its first `count` check points, from
// the engine alone, its moves drawing into a picture of their own.
QVector<int> LinesAtCheckPoints(const QStringList &lines, const field::Points &start, int count)
{
    const field::Geometry g = field::ComputeGeometry(10, 12);
    QImage picture = field::NewPicture(g.w), under = field::NewPicture(g.s);
    field::Executor executor;
    field::PlaceExecutorAtStart(picture, under, g, start, executor);
    exec::MoveContext moves;
    moves.picture = &picture;
    moves.under = &under;
    moves.geometry = g;
    moves.executor = &executor;
    moves.turnFramePause = 0;
    moves.wallBlinkPause = 0;

    QVector<int> seen;
    int line = -1;
    exec::EngineHooks hooks;
    hooks.linePause = 0;
    hooks.lineCount = [&] { return int(lines.size()); };
    hooks.line = [&](int i) { return lines.at(i); };
    hooks.selectLine = [&](int i) { line = i; };
    hooks.pause = [](int) {};
    hooks.checkPoint = [&] {
        seen << line;
        return seen.size() >= count;
    };
    hooks.step = [&] { exec::MakeStep(moves); };
    hooks.jump = [&] { exec::MakeJump(moves); };
    hooks.turn = [&] { exec::MakeTurn(moves); };
    hooks.wallAhead = [&] { return exec::WallAhead(executor, g.n); };
    exec::Walk(hooks);
    return seen;
}

} // namespace

class TestRun : public WorkWindowTest
{
    Q_OBJECT

private:
    std::function<void()> onMessage;


    Snapshot Take() const
    {
        Snapshot s;
        s.running = In(*w).running;
        s.speedButtons = ui()->FixToolButtonDo->isEnabled() || ui()->FixToolButtonQuick->isEnabled()
                         || ui()->FixToolButtonResult->isEnabled();
        s.stopButton = ui()->FixToolButtonStop->isEnabled();
        s.work = ui()->NMainWork->isEnabled();
        s.linePause = In(*w).LinePause;
        s.turnPause = In(*w).TurnFramePause;
        s.blinkPause = In(*w).WallBlinkPause;
        const QModelIndex current = ui()->lstCom->currentIndex();
        s.listRow = current.isValid() ? current.row() : -1;
        return s;
    }
    void VerifyIdle() const
    {
        QVERIFY(!In(*w).running);
        QVERIFY(ui()->FixToolButtonDo->isEnabled());
        QVERIFY(ui()->FixToolButtonQuick->isEnabled());
        QVERIFY(ui()->FixToolButtonResult->isEnabled());
        QVERIFY(ui()->FixToolButtonStop->isEnabled());
        QVERIFY(ui()->NMainWork->isEnabled());
    }
    // Начать, Разработка with the given listing, then Отладка.
    void Prepare(const QStringList &lines)
    {
        w->NMainBeginClick();
        w->NMainWorkClick();
        In(*w).listing->setStringList(lines);
        w->NMainDebugClick();
        QCOMPARE(In(*w).stage, TfrmPvPupil::Stage::Debug);
    }
    // Runs f at the first check point of the coming run. A run that is
    // refused never gets there: the window, which cleanup() closes, owns the
    // timer, so f never outlives the test that gave it.
    void AtFirstCheckPoint(std::function<void()> f) { QTimer::singleShot(0, w.get(), std::move(f)); }

private slots:
    void init()
    {
        onMessage = nullptr;
        OpenWindow();
        // Some tests act when a message is shown.
        dialogs::messageHook = [this](const dialogs::MessageRecord &m) {
            messages << m;
            if (onMessage)
                onMessage();
        };
    }
    void cleanup()
    {
        CloseWindow();
    }

    void buttonsOffDuringRun_data();
    void buttonsOffDuringRun();
    void wallErrorInLoopInProcedure();
    void stopButtonEndsEndlessLoop();
    void stopWhileIdleHasNoEffect();
    void refusedWithoutPointA_data();
    void refusedWithoutPointA();
    void closeDuringRunWaitsForItsEnd();
    void closeOrders_data();
    void closeOrders();
    void currentLineAtEveryCheckPoint();
    void tooDeepSelfCallIsReported();
};

void TestRun::buttonsOffDuringRun_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("blink");
    QTest::addColumn<int>("line");
    QTest::newRow("slow") << 0 << 100 << 100 << 500;
    QTest::newRow("fast") << 1 << 30 << 100 << 10;
    QTest::newRow("very fast") << 2 << 0 << 10 << 0;
}

void TestRun::buttonsOffDuringRun()
{
    QFETCH(int, speed);
    QFETCH(int, turn);
    QFETCH(int, blink);
    QFETCH(int, line);

    Prepare(Listing({}));
    VerifyIdle();
    Snapshot during;
    AtFirstCheckPoint([&] { during = Take(); });

    QToolButton *buttons[] = {ui()->FixToolButtonDo, ui()->FixToolButtonQuick, ui()->FixToolButtonResult};
    buttons[speed]->click();

    QVERIFY(during.running);
    QVERIFY(!during.speedButtons);
    QVERIFY(!during.work);
    QVERIFY(during.stopButton);
    QCOMPARE(during.turnPause, turn);
    QCOMPARE(during.blinkPause, blink);
    QCOMPARE(during.linePause, line);
    VerifyIdle();
    // The run ended on КОН, with the executor still on point А.
    QCOMPARE(w->CurrentLine(), 4);
    QCOMPARE(In(*w).executor.x, qint16(0));
    QCOMPARE(In(*w).executor.dir, qint16(0));
    QVERIFY(messages.isEmpty());
}

// A move into the wall from a loop inside a procedure: one message, while the
// run still holds the buttons; then nothing more runs and the buttons return.
void TestRun::wallErrorInLoopInProcedure()
{
    Prepare(Listing({QStringLiteral("  ДЕЛАЙ вперёд"), QStringLiteral("  ПОВОРОТ")},
                    {QStringLiteral("ПРОЦЕДУРА вперёд"), QStringLiteral("  ПОКА впереди НЕ стена"),
                     QStringLiteral("  НЦ"), QStringLiteral("    ШАГ"), QStringLiteral("    ШАГ"),
                     QStringLiteral("  КЦ"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));
    Snapshot atMessage;
    onMessage = [&] { atMessage = Take(); };

    w->FixToolButtonResultClick();

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().kind, dialogs::Kind::Error);
    QCOMPARE(messages.first().text, exec::WallErrorText());
    QVERIFY(atMessage.running);
    QCOMPARE(atMessage.listRow, 11);  // lstCom shows the blocked ШАГ under the box
    QVERIFY(!atMessage.speedButtons);
    QVERIFY(!atMessage.work);
    // From (0, 0) two steps a pass: the second step from x = 11 meets the wall.
    QCOMPARE(In(*w).executor.x, qint16(11));
    QCOMPARE(In(*w).executor.y, qint16(0));
    QCOMPARE(In(*w).executor.dir, qint16(0));  // the ПОВОРОТ after the call never ran
    QCOMPARE(w->CurrentLine(), 11);        // the blocked ШАГ stays selected
    QVERIFY(In(*w).StopRequested);
    VerifyIdle();
}

void TestRun::stopButtonEndsEndlessLoop()
{
    Prepare(Listing({QStringLiteral("  ПОКА впереди НЕ стена"), QStringLiteral("  НЦ"),
                     QStringLiteral("    ПОВОРОТ"), QStringLiteral("    ПОВОРОТ"), QStringLiteral("    ПОВОРОТ"),
                     QStringLiteral("    ПОВОРОТ"), QStringLiteral("  КЦ"), QStringLiteral("  ШАГ")}));
    int passes = 0;
    std::function<void()> later = [&] {
        // Let the loop go round a while, then press the stop button.
        if (++passes < 50)
            QTimer::singleShot(0, later);
        else
            ui()->FixToolButtonStop->click();
    };
    AtFirstCheckPoint(later);

    w->FixToolButtonResultClick();

    QCOMPARE(passes, 50);
    QVERIFY(messages.isEmpty());
    QCOMPARE(In(*w).executor.x, qint16(0));  // the ШАГ after the loop never ran
    QVERIFY(w->CurrentLine() >= 4 && w->CurrentLine() <= 10);
    VerifyIdle();
}

void TestRun::stopWhileIdleHasNoEffect()
{
    Prepare(Listing({QStringLiteral("  ШАГ"), QStringLiteral("  ШАГ"), QStringLiteral("  ШАГ")}));
    ui()->FixToolButtonStop->click();
    QVERIFY(In(*w).StopRequested);

    w->FixToolButtonResultClick();

    QCOMPARE(In(*w).executor.x, qint16(3));
    QCOMPARE(w->CurrentLine(), 7);  // КОН
    QVERIFY(!In(*w).StopRequested);
    QVERIFY(messages.isEmpty());
}

void TestRun::refusedWithoutPointA_data()
{
    QTest::addColumn<int>("ax");
    QTest::addColumn<int>("ay");
    QTest::addColumn<int>("adir");
    QTest::addColumn<bool>("runs");
    QTest::newRow("not set") << -1 << -1 << -1 << false;
    QTest::newRow("column N") << 12 << 0 << 0 << false;
    QTest::newRow("row N") << 3 << 12 << 90 << false;
    QTest::newRow("typed 14, 14") << 14 << 14 << 180 << false;
    QTest::newRow("negative row") << 2 << -1 << 0 << false;
    QTest::newRow("far corner") << 11 << 11 << 270 << true;
}

void TestRun::refusedWithoutPointA()
{
    QFETCH(int, ax);
    QFETCH(int, ay);
    QFETCH(int, adir);
    QFETCH(bool, runs);

    Prepare(Listing({}));
    In(*w).points.ax = qint16(ax);
    In(*w).points.ay = qint16(ay);
    In(*w).points.adir = qint16(adir);
    w->SetCurrentLine(1);
    bool ran = false;
    AtFirstCheckPoint([&] { ran = In(*w).running; });

    w->FixToolButtonResultClick();

    QCOMPARE(ran, runs);
    VerifyIdle();
    if (runs) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(w->CurrentLine(), 4);
        QCOMPARE(In(*w).executor.x, qint16(ax));
        return;
    }
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().kind, dialogs::Kind::Information);
    QCOMPARE(messages.first().text,
             QStringLiteral("Точка А не задана или лежит вне поля. Задайте точку А на этапе \"Разработка\"."));
    QCOMPARE(w->CurrentLine(), 1);  // nothing ran
    QCOMPARE(In(*w).LinePause, 500);    // the pauses of the last run stay
}

// The close box during a run: the window stays until the run ends (here by
// the stop button, the loop being endless), then closes.
void TestRun::closeDuringRunWaitsForItsEnd()
{
    Prepare(Listing({QStringLiteral("  ПОКА впереди НЕ стена"), QStringLiteral("  НЦ"),
                     QStringLiteral("    ПРЫЖОК"), QStringLiteral("    ПОВОРОТ"), QStringLiteral("    ПОВОРОТ"),
                     QStringLiteral("    ПРЫЖОК"), QStringLiteral("    ПОВОРОТ"), QStringLiteral("    ПОВОРОТ"),
                     QStringLiteral("  КЦ")}));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    bool acceptedDuringRun = true, visibleAfterRequest = false, stillRunning = false;
    AtFirstCheckPoint([&] {
        acceptedDuringRun = w->close();
        visibleAfterRequest = w->isVisible();
        QTimer::singleShot(0, [&] {
            stillRunning = In(*w).running && w->isVisible();
            ui()->FixToolButtonStop->click();
        });
    });

    w->FixToolButtonResultClick();

    QVERIFY(!acceptedDuringRun);
    QVERIFY(visibleAfterRequest);
    QVERIFY(stillRunning);
    QVERIFY(!w->isVisible());
    QVERIFY(!In(*w).closePending);
    QVERIFY(!In(*w).running);
}

// Every order of close requests, the stop button, a wall error and its real message box, and
// the question about a changed listing: the request is never lost, every
// modal loop ends, and the window closes once the run has ended unless the
// pupil keeps it.
void TestRun::closeOrders_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("wall");     // the loop ends at the wall, not endless
    QTest::addColumn<bool>("changed");  // the listing was changed before the run
    QTest::addColumn<bool>("closed");
    QTest::newRow("close, stop") << "close stop" << false << false << true;
    QTest::newRow("stop, close at one check point") << "stop+close" << false << false << true;
    QTest::newRow("close twice, stop") << "close close stop" << false << false << true;
    QTest::newRow("stop, then close after the run") << "stop after:close" << false << false << true;
    QTest::newRow("close, wall box") << "close box:ok" << true << false << true;
    QTest::newRow("close during the wall box") << "box:close box:ok" << true << false << true;
    QTest::newRow("close, stop, question Нет") << "close stop question:no" << false << true << true;
    QTest::newRow("close, stop, question Отмена") << "close stop question:cancel" << false << true << false;
    QTest::newRow("close, wall box, question Отмена") << "close box:ok question:cancel" << true << true << false;
}

void TestRun::closeOrders()
{
    QFETCH(QString, order);
    QFETCH(bool, wall);
    QFETCH(bool, changed);
    QFETCH(bool, closed);

    const QStringList endless = {QStringLiteral("  ПОКА впереди НЕ стена"), QStringLiteral("  НЦ"),
                                 QStringLiteral("    ПРЫЖОК"), QStringLiteral("    ПОВОРОТ"),
                                 QStringLiteral("    ПОВОРОТ"), QStringLiteral("  КЦ")};
    const QStringList toWall = {QStringLiteral("  ПОКА впереди НЕ стена"), QStringLiteral("  НЦ"),
                                QStringLiteral("    ШАГ"), QStringLiteral("  КЦ"), QStringLiteral("  ШАГ")};
    Prepare(Listing(wall ? toWall : endless));
    In(*w).modified = changed;
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    // The wall error in a real box; the question answered by the hook.
    dialogs::messageHook = nullptr;
    QStringList steps = order.split(QLatin1Char(' '));
    int questions = 0;
    dialogs::questionHook = [&](const dialogs::MessageRecord &) {
        ++questions;
        const QString step = steps.isEmpty() ? QString() : steps.takeFirst();
        return step == QLatin1String("question:no") ? dialogs::Answer::No : dialogs::Answer::Cancel;
    };
    // A window manager's request is dropped while a box blocks the window;
    // close() is not, so it reaches the window in every order.
    const auto closeRequest = [this] { w->close(); };
    bool afterRun = false;
    // Each step waits for its moment, then acts: during the run, while the
    // wall box is open, or once the run has ended.
    QTimer driver;
    driver.setInterval(5);
    connect(&driver, &QTimer::timeout, this, [&] {
        if (steps.isEmpty())
            return;
        const QString step = steps.first();
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (step.startsWith(QLatin1String("box:"))) {
            if (!box)
                return;
            steps.removeFirst();
            if (step == QLatin1String("box:ok"))
                box->button(QMessageBox::Ok)->click();
            else
                closeRequest();  // the close box of the work window behind the box
            return;
        }
        if (step.startsWith(QLatin1String("question:")))
            return;  // answered by the hook
        if (step.startsWith(QLatin1String("after:")) != afterRun)
            return;
        steps.removeFirst();
        if (step == QLatin1String("stop"))
            ui()->FixToolButtonStop->click();
        else if (step == QLatin1String("stop+close")) {
            ui()->FixToolButtonStop->click();
            closeRequest();
        } else {
            closeRequest();
        }
    });
    driver.start();

    QTimer::singleShot(0, [&] { ui()->FixToolButtonResult->click(); });
    QTRY_VERIFY_WITH_TIMEOUT(
        !In(*w).running && (steps.isEmpty() || steps.first().startsWith(QLatin1String("after:"))), 20000);
    afterRun = true;
    QTest::qWait(50);
    QTRY_VERIFY_WITH_TIMEOUT(steps.isEmpty(), 5000);
    QTest::qWait(50);
    driver.stop();

    QCOMPARE(QApplication::activeModalWidget() == nullptr || QApplication::activeModalWidget() == w.get(),
             true);
    QVERIFY(!qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
    QVERIFY(!In(*w).running);
    QVERIFY(!In(*w).closePending);
    QCOMPARE(questions, changed ? 1 : 0);
    QCOMPARE(!w->isVisible(), closed);
    dialogs::questionHook = nullptr;
}

// At the very fast speed lstCom catches up with the run once a display frame;
// wherever events are processed the window's current line is the run's, and
// lstCom never paints a highlight other than the run's line.
void TestRun::currentLineAtEveryCheckPoint()
{
    const QStringList lines =
        Listing({QStringLiteral("  ДЕЛАЙ круг"), QStringLiteral("  ШАГ")},
                {QStringLiteral("ПРОЦЕДУРА круг"), QStringLiteral("  ПОКА впереди НЕ стена"),
                 QStringLiteral("  НЦ"), QStringLiteral("    ЕСЛИ впереди стена"), QStringLiteral("       ТО"),
                 QStringLiteral("         ПОВОРОТ"), QStringLiteral("       ИНАЧЕ"), QStringLiteral("         ПРЫЖОК"),
                 QStringLiteral("    ВСЁ"), QStringLiteral("    ПОВОРОТ"), QStringLiteral("    ПОВОРОТ"),
                 QStringLiteral("  КЦ"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
    // From (0, 0) facing right the executor jumps back and forth between
    // two cells for ever; the stop button ends the run.
    Prepare(lines);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    // lstCom as it paints itself during the run.
    struct PaintWatch : QObject {
        TfrmPvPupil *w = nullptr;
        int paints = 0;
        QStringList wrong;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint && In(*w).running) {
                ++paints;
                const int row = In(*w).ui->lstCom->currentIndex().row();
                if (row != w->CurrentLine())
                    wrong << QStringLiteral("lstCom painted row %1 while the run is on %2").arg(row).arg(w->CurrentLine());
            }
            return false;
        }
    } watch;
    watch.w = w.get();
    ui()->lstCom->viewport()->installEventFilter(&watch);

    const int count = 3000;
    QVector<int> seen;
    std::function<void()> next = [&] {
        seen << w->CurrentLine();
        if (seen.size() < count)
            QTimer::singleShot(0, next);
        else
            ui()->FixToolButtonStop->click();
    };
    AtFirstCheckPoint(next);
    w->FixToolButtonResultClick();
    ui()->lstCom->viewport()->removeEventFilter(&watch);

    QCOMPARE(seen, LinesAtCheckPoints(lines, In(*w).points, count).mid(0, count));
    QCOMPARE(watch.wrong, QStringList());
    QVERIFY(watch.paints > 1);  // painted during the run, not only at its end
    QCOMPARE(ui()->lstCom->currentIndex().row(), seen.last());
}

void TestRun::tooDeepSelfCallIsReported()
{
    Prepare(Listing({QStringLiteral("  ДЕЛАЙ снова"), QStringLiteral("  ШАГ")},
                    {QStringLiteral("ПРОЦЕДУРА снова"), QStringLiteral("  ДЕЛАЙ снова"),
                     QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));

    w->FixToolButtonResultClick();

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().kind, dialogs::Kind::Error);
    QVERIFY(messages.first().text.contains(QStringLiteral("вложенность")));
    QCOMPARE(In(*w).executor.x, qint16(0));
    VerifyIdle();
}

QTEST_MAIN(TestRun)
#include "tst_run.moc"
