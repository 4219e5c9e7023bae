// The tasks shipped with the program: each loads, its sample is exactly what
// a run of its reference algorithm leaves on the field, pixel for pixel, and
// a deliberately wrong algorithm is told apart from it.
#include "exec/engine.h"
#include "exec/moves.h"
#include "exec/task.h"

#include <QDir>
#include <QtTest>

namespace {

QString Dir()
{
    return QStringLiteral(PUTEVOD_TASKS_DIR);
}

// The field as a run leaves it: point marks, the executor placed on А, the
// moves of the work window, and at the end the glyph lifted off again.
QImage RunPicture(const QStringList &listing, const field::Geometry &g, const field::Points &points,
                  bool *wall)
{
    QImage picture = field::NewPicture(g.w);
    field::RedrawEmptyField(picture, g);
    QImage under = field::NewPicture(g.s);
    field::Executor e;
    field::PlaceExecutorAtStart(picture, under, g, points, e);

    bool stop = false;
    *wall = false;
    exec::MoveContext c;
    c.picture = &picture;
    c.under = &under;
    c.geometry = g;
    c.executor = &e;
    c.requestStop = [&stop] { stop = true; };
    c.wallMessage = [wall](const QString &) { *wall = true; };

    exec::EngineHooks h;
    h.linePause = 0;
    h.lineCount = [&listing] { return int(listing.size()); };
    h.line = [&listing](int i) { return listing.at(i); };
    h.checkPoint = [&stop] { return stop; };
    h.step = [&c] { exec::MakeStep(c); };
    h.jump = [&c] { exec::MakeJump(c); };
    h.turn = [&c] { exec::MakeTurn(c); };
    h.wallAhead = [&e, &g] { return exec::WallAhead(e, g.n); };
    exec::Walk(h);
    field::RestoreUnderGlyph(picture, under, g, e.x, e.y);
    return picture;
}

QStringList Listing(const QStringList &body, const QStringList &after = {})
{
    QStringList lines{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("НАЧ")};
    for (const QString &l : body)
        lines << QStringLiteral("    ") + l;
    return lines << QStringLiteral("КОН") << after;
}

QStringList Repeat(const QStringList &lines, int times)
{
    QStringList r;
    for (int i = 0; i < times; ++i)
        r += lines;
    return r;
}

const QString S = QStringLiteral("ШАГ");
const QString P = QStringLiteral("ПРЫЖОК");
const QString T = QStringLiteral("ПОВОРОТ");
const QString kWhile = QStringLiteral("ПОКА впереди НЕ стена");
const QString kIf = QStringLiteral("ЕСЛИ впереди НЕ стена");
const QString kNc = QStringLiteral("НЦ"), kKc = QStringLiteral("КЦ");
const QString kTo = QStringLiteral("ТО"), kAll = QStringLiteral("ВСЁ");

QStringList ToWall()
{
    return {kWhile, kNc, S, kKc};
}

} // namespace

class TestTasks : public QObject
{
    Q_OBJECT

private slots:
    void shippedTask_data();
    void shippedTask();
};

void TestTasks::shippedTask_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("wrong");

    QTest::newRow("01") << "01-otrezok.pvtask" << Listing(Repeat({S}, 5));
    QTest::newRow("02") << "02-ugolok.pvtask" << Listing(Repeat({S}, 3) + QStringList{T} + Repeat({S}, 4));
    QTest::newRow("03") << "03-punktir.pvtask" << Listing(Repeat({S}, 7));
    QTest::newRow("04") << "04-kvadrat.pvtask" << Listing(Repeat({S, S, S, T}, 3));
    QTest::newRow("05") << "05-cherez-pole.pvtask" << Listing(Repeat({S}, 11));
    QTest::newRow("06") << "06-lesenka.pvtask" << Listing({kWhile, kNc, T, S, T, T, T, S, kKc});
    QTest::newRow("07") << "07-ramka.pvtask" << Listing(ToWall() + QStringList{T} + ToWall() + QStringList{T} + ToWall());
    QTest::newRow("08") << "08-punktir-do-steny.pvtask" << Listing({kWhile, kNc, P, kIf, kTo, S, kAll, kKc});
    QTest::newRow("09") << "09-kvadraty.pvtask"
                        << Listing(Repeat({QStringLiteral("ДЕЛАЙ квадрат")}, 3),
                                   QStringList{QStringLiteral("ПРОЦЕДУРА квадрат")} + Repeat({S, S, T}, 4)
                                       + Repeat({P}, 3) + QStringList{QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
    QTest::newRow("10") << "10-zubcy.pvtask"
                        << Listing({kWhile, kNc, QStringLiteral("ДЕЛАЙ зубец"), kIf, kTo, S, kAll, kKc},
                                   {QStringLiteral("ПРОЦЕДУРА зубец"), S, T, T, T, S, T, S, T, S, T, T, T,
                                    QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
}

void TestTasks::shippedTask()
{
    QFETCH(QString, file);
    QFETCH(QStringList, wrong);

    exec::Task task;
    QString error;
    QVERIFY2(exec::LoadTask(QDir(Dir()).filePath(file), &task, &error), qPrintable(error));
    const editor::TaskFile &t = task.file;
    QVERIFY(!task.sample.empty());
    const QPoint a(t.ax, t.ay);

    // The reference reproduces its own sample; its end is Б where Б is set.
    const exec::TraceResult reference = exec::TraceAlgorithm(t.reference, t.fieldSize, a, t.aDirection);
    QVERIFY(exec::CheckDrawing(task.sample, reference.drawing, t, reference.lastCell).Reproduced());

    // On real pixels: the sample picture is the run's picture.
    const field::Geometry g = field::ComputeGeometry(10, qint16(t.fieldSize));
    bool wall = false;
    const QImage run = RunPicture(t.reference, g, exec::TaskPoints(t), &wall);
    QVERIFY(!wall);
    QCOMPARE(field::SamplePicture(g, exec::TaskPoints(t), task.sample), run);

    // The wrong algorithm ends on its own, and differs both in the check and
    // on the field.
    const exec::TraceResult r = exec::TraceAlgorithm(wrong, t.fieldSize, a, t.aDirection);
    QCOMPARE(int(r.outcome), int(exec::TraceResult::Ended));
    const exec::Verdict v = exec::CheckDrawing(task.sample, r.drawing, t, r.lastCell);
    QVERIFY(!v.Reproduced());
    QVERIFY(exec::VerdictText(v).startsWith(QStringLiteral("Образец не воспроизведён.")));
    QVERIFY(RunPicture(wrong, g, exec::TaskPoints(t), &wall) != run);
}

QTEST_APPLESS_MAIN(TestTasks)
#include "tst_tasks.moc"
