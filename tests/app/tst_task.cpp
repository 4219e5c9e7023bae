// A teacher's task through the work window: what Начать sets and opens, the
// task window's place and keys, the check after a run and the missing
// segments it shows, and a free task that knows nothing of any of it.
#include "Dialogs.h"
#include "FieldView.h"
#include "PvPupilUnit.h"
#include "TaskWindow.h"
#include "Texts.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include "exec/moves.h"
#include "field/drawing.h"
#include "field/geometry.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kStep = QStringLiteral("  ШАГ");
const QString kJump = QStringLiteral("  ПРЫЖОК");
const QString kTurn = QStringLiteral("  ПОВОРОТ");

QStringList Listing(const QStringList &body)
{
    return QStringList{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("    Дано: Исполнитель в т.А"),
                       QStringLiteral("    Надо: Воспроизвести образец"), QStringLiteral("НАЧ")}
        + body + QStringList{QStringLiteral("КОН")};
}

QStringList Repeat(const QString &line, int times)
{
    QStringList lines;
    for (int i = 0; i < times; ++i)
        lines << line;
    return lines;
}

// A field of 12, А (0, 0) facing right, the sample three segments to the
// right; Б at their end when asked for.
exec::Task LineTask(bool withB)
{
    exec::Task task;
    task.file.title = QStringLiteral("Отрезок");
    task.file.statement = QStringLiteral("Нарисуйте отрезок длиной в три клетки.");
    task.file.fieldSize = 12;
    task.file.ax = 0;
    task.file.ay = 0;
    task.file.aDirection = 0;
    task.file.hasB = withB;
    task.file.bx = withB ? 3 : -1;
    task.file.by = withB ? 0 : -1;
    for (int x = 0; x < 3; ++x)
        field::AddMove(task.sample, QPoint(x, 0), QPoint(x + 1, 0));
    return task;
}

// Pixels of the mark colour in a picture.
int MarkPixels(const QImage &image)
{
    const QRgb mark = FieldView::MarkColour().rgb();
    int count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += (rgb.pixel(x, y) & 0xFFFFFF) == (mark & 0xFFFFFF);
    return count;
}

} // namespace

class TestTask : public WorkWindowTest
{
    Q_OBJECT

private:
    TaskWindow *Window() const { return w->findChild<TaskWindow *>(); }
    FieldView *View() const { return ui()->PaintImage; }

    // The task, Начать, Разработка with this body, Отладка.
    void Prepare(const QStringList &body)
    {
        w->NMainBeginClick();
        w->NMainWorkClick();
        In(*w).listing->setStringList(Listing(body));
        w->NMainDebugClick();
    }
    void RunVeryFast() { ui()->FixToolButtonResult->click(); }

private slots:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void beginTakesTheTask();
    void taskWindowComesBackAndGoesWithTheWorkWindow();
    void verdicts_data();
    void verdicts();
    void missingSegmentsUntilNextRunOrStage();
    void freeTaskHasNoneOfIt();
};

void TestTask::beginTakesTheTask()
{
    exec::Task task = LineTask(true);
    task.file.fieldSize = 13;
    task.file.ax = 2;
    task.file.ay = 3;
    task.file.aDirection = 90;
    task.file.bx = 5;
    task.file.by = 3;
    w->SetTask(task);
    w->show();
    QVERIFY(!Window());  // nothing before Начать

    w->NMainBeginClick();
    QCOMPARE(In(*w).geometry.n, qint16(13));
    QCOMPARE(In(*w).executor.x, qint16(2));
    QCOMPARE(In(*w).executor.y, qint16(3));
    QCOMPARE(In(*w).executor.dir, qint16(90));
    QCOMPARE(In(*w).points.bx, qint16(5));
    // The points panel shows the task's points: opening and closing it
    // keeps them.
    w->NMainWorkClick();
    w->NMainPointsClick();
    QCOMPARE(ui()->EditAX->text(), QStringLiteral("2"));
    QCOMPARE(ui()->ComboBoxTo->currentText(), QStringLiteral("вверх"));
    QVERIFY(ui()->CheckBoxB->isChecked());
    w->NMainPointsClick();
    QVERIFY(ui()->PanelPoints->isHidden());
    QCOMPARE(In(*w).points.ax, qint16(2));
    QCOMPARE(In(*w).points.ay, qint16(3));
    QCOMPARE(In(*w).points.adir, qint16(90));
    QCOMPARE(In(*w).points.bx, qint16(5));
    QCOMPARE(In(*w).points.by, qint16(3));

    TaskWindow *window = Window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Задание: Отрезок"));
    // The sample: the task's field, its segments drawn as a trace.
    field::Geometry g;
    for (qint16 unit = 1; unit < 20 && g.w != window->Sample().width(); ++unit)
        g = field::ComputeGeometry(unit, 13);
    QCOMPARE(window->Sample().size(), QSize(g.w, g.w));
    const QPoint middle = (field::CellCentre(g, 0, 0) + field::CellCentre(g, 1, 0)) / 2 + QPoint(1, 1);
    QCOMPARE(window->Sample().pixel(middle) & 0xFFFFFF, QRgb(0x808080));
    const QPoint away = (field::CellCentre(g, 0, 5) + field::CellCentre(g, 1, 5)) / 2 + QPoint(1, 1);
    QVERIFY((window->Sample().pixel(away) & 0xFFFFFF) != QRgb(0x808080));
    // Beside the field, never over it.
    const QRect fieldFrame(ui()->pnl1->mapToGlobal(QPoint(0, 0)), ui()->pnl1->size());
    QVERIFY2(!window->frameGeometry().intersects(fieldFrame),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())));
    // The way back is told in the status bar.
    bool told = false;
    for (QLabel *label : ui()->StatusBar1->findChildren<QLabel *>())
        told = told || (label->isVisible() && label->text() == texts::kTaskKeyHint);
    QVERIFY(told);
}

void TestTask::taskWindowComesBackAndGoesWithTheWorkWindow()
{
    w->SetTask(LineTask(false));
    w->show();
    w->NMainBeginClick();
    TaskWindow *window = Window();
    QVERIFY(window && window->isVisible());

    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window->isHidden());
    // F9 in the work window, at any stage, brings back the same window.
    w->NMainWorkClick();
    QTest::keyClick(ui()->lstCom, Qt::Key_F9);
    QVERIFY(window->isVisible());
    QCOMPARE(w->findChildren<TaskWindow *>().size(), 1);
    w->NMainDebugClick();
    window->close();
    QTest::keyClick(w.get(), Qt::Key_F9);
    QVERIFY(window->isVisible());

    // Closing the work window closes it.
    w->close();
    QVERIFY(!w->isVisible());
    QVERIFY(window->isHidden());
}

void TestTask::verdicts_data()
{
    QTest::addColumn<bool>("withB");
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<bool>("stop");
    // The boxes shown, in order: "done", "not done" (the check), "wall".
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("missing");

    const QStringList three = Repeat(kStep, 3);
    const QStringList turnedBack = three + Repeat(kTurn, 2) + QStringList{kJump};
    const QStringList done{QStringLiteral("done")}, notDone{QStringLiteral("not done")};
    QTest::newRow("right") << true << three << false << done << 0;
    QTest::newRow("right, no Б: the end cell is free") << false << turnedBack << false << done << 0;
    QTest::newRow("one segment short") << true << Repeat(kStep, 2) << false << notDone << 1;
    QTest::newRow("one segment more") << false << three + Repeat(kTurn, 3) + QStringList{kStep} << false
                                      << notDone << 0;
    QTest::newRow("right, ends off Б") << true << turnedBack << false << notDone << 0;
    QTest::newRow("stopped") << true << three << true << QStringList() << 0;
    QTest::newRow("ends at a wall") << true << three + QStringList{kTurn, kStep} << false
                                    << QStringList{QStringLiteral("wall")} << 0;
}

void TestTask::verdicts()
{
    QFETCH(bool, withB);
    QFETCH(QStringList, body);
    QFETCH(bool, stop);
    QFETCH(QStringList, boxes);
    QFETCH(int, missing);

    w->SetTask(LineTask(withB));
    Prepare(body);
    if (stop)
        QTimer::singleShot(0, [this] { w->FixToolButtonStopClick(); });
    RunVeryFast();

    QStringList shown;
    for (const auto &m : messages) {
        if (m.caption != texts::kTaskCheck)
            shown << (m.text == exec::WallErrorText() ? QStringLiteral("wall") : m.text);
        else if (m.text == QStringLiteral("Образец воспроизведён!"))
            shown << QStringLiteral("done");
        else if (m.text.startsWith(QStringLiteral("Образец не воспроизведён.")))
            shown << QStringLiteral("not done");
        else
            shown << m.text;
    }
    QCOMPARE(shown, boxes);
    QCOMPARE(View()->marks().size(), missing);
}

void TestTask::missingSegmentsUntilNextRunOrStage()
{
    w->SetTask(LineTask(true));
    w->show();
    // The window settles (docks) before the runs: a new layout redraws the field.
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(300);
    Prepare(Repeat(kStep, 2));
    RunVeryFast();
    QCOMPARE(View()->marks().size(), 1);
    // Drawn where the missing segment's trace would run, from (2, 0) to (3, 0).
    const field::Geometry g = In(*w).geometry;
    const QPoint a = field::CellCentre(g, 2, 0), b = field::CellCentre(g, 3, 0);
    const QRect along = QRect(a, b).normalized().adjusted(-3, -3, 4, 4);
    const QImage shown = View()->grab().toImage();
    QVERIFY(MarkPixels(shown.copy(along)) > 20);
    QCOMPARE(MarkPixels(shown), MarkPixels(shown.copy(along)));

    // The next run takes them away, whatever it brings.
    RunVeryFast();
    QCOMPARE(View()->marks().size(), 1);
    w->NMainWorkClick();
    QVERIFY(View()->marks().isEmpty());
    QCOMPARE(MarkPixels(View()->grab().toImage()), 0);
    In(*w).listing->setStringList(Listing(Repeat(kStep, 3)));
    w->NMainDebugClick();
    messages.clear();
    RunVeryFast();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().text, QStringLiteral("Образец воспроизведён!"));
    QVERIFY(View()->marks().isEmpty());
}

void TestTask::freeTaskHasNoneOfIt()
{
    w->show();
    QVERIFY(!w->HasTask());
    Prepare(Repeat(kStep, 3));
    QTest::keyClick(w.get(), Qt::Key_F9);
    RunVeryFast();
    QVERIFY(messages.isEmpty());
    QVERIFY(!Window());
    QVERIFY(View()->marks().isEmpty());
    for (const QLabel *label : ui()->StatusBar1->findChildren<QLabel *>())
        QVERIFY(label->text() != texts::kTaskKeyHint);
}

QTEST_MAIN(TestTask)
#include "tst_task.moc"
