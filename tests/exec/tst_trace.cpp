// Runs without a window, the check of a pupil's drawing against a sample,
// and tasks read from files.
#include "exec/task.h"
#include "exec/trace.h"

#include <QtTest>

using exec::TraceResult;
using field::Drawing;

Q_DECLARE_METATYPE(Drawing)

namespace {

Drawing operator+(Drawing a, const Drawing &b)
{
    a.insert(b.begin(), b.end());
    return a;
}

QStringList Listing(const QString &body)
{
    QStringList lines{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("НАЧ")};
    for (const QString &l : body.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        lines << QStringLiteral("    ") + l.trimmed();
    lines << QStringLiteral("КОН");
    return lines;
}

// The path through the cells, one segment between each two.
Drawing Path(const QVector<QPoint> &cells)
{
    Drawing d;
    for (int i = 1; i < cells.size(); ++i)
        field::AddMove(d, cells.at(i - 1), cells.at(i));
    return d;
}

// A square of side 2 from (5, 5), right then up: eight segments.
Drawing Square()
{
    return Path({{5, 5}, {6, 5}, {7, 5}, {7, 4}, {7, 3}, {6, 3}, {5, 3}, {5, 4}, {5, 5}});
}

editor::TaskFile Task(bool withB)
{
    editor::TaskFile t;
    t.title = QStringLiteral("Квадрат");
    t.statement = QStringLiteral("Нарисуй квадрат.");
    t.ax = 5;
    t.ay = 5;
    t.hasB = withB;
    t.bx = 5;
    t.by = 5;
    t.reference = Listing(QStringLiteral("ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ"));
    return t;
}

} // namespace

class TestTrace : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void verdicts_data();
    void verdicts();
    void loadingNamesFileAndFault_data();
    void loadingNamesFileAndFault();
};

void TestTrace::outcomes_data()
{
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<QPoint>("last");

    const QString toWall = QStringLiteral("ПОКА впереди НЕ стена/НЦ/ШАГ/КЦ");
    QVector<QPoint> row;
    for (int x = 5; x <= 11; ++x)
        row << QPoint(x, 5);

    QTest::newRow("square") << Listing(QStringLiteral("ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ/ПОВОРОТ/ШАГ/ШАГ"))
                            << 12 << int(TraceResult::Ended) << Square() << QPoint(5, 5);
    QTest::newRow("ПРЫЖОК draws nothing") << Listing(QStringLiteral("ШАГ/ПРЫЖОК/ШАГ")) << 12
                                          << int(TraceResult::Ended)
                                          << (Path({{5, 5}, {6, 5}}) + Path({{7, 5}, {8, 5}})) << QPoint(8, 5);
    QTest::newRow("there and back is one segment")
        << Listing(QStringLiteral("ШАГ/ПОВОРОТ/ПОВОРОТ/ШАГ")) << 12 << int(TraceResult::Ended)
        << Path({{5, 5}, {6, 5}}) << QPoint(5, 5);
    QTest::newRow("lines after КОН are not run") << (Listing(QStringLiteral("ШАГ")) << QStringLiteral("ШАГ"))
                                                 << 12 << int(TraceResult::Ended) << Path({{5, 5}, {6, 5}})
                                                 << QPoint(6, 5);
    QTest::newRow("up to the wall of 12") << Listing(toWall) << 12 << int(TraceResult::Ended) << Path(row)
                                          << QPoint(11, 5);
    QTest::newRow("up to the wall of 15")
        << Listing(toWall) << 15 << int(TraceResult::Ended)
        << (Path(row) + Path({{11, 5}, {12, 5}, {13, 5}, {14, 5}})) << QPoint(14, 5);
    QTest::newRow("ШАГ into the wall") << Listing(toWall + QStringLiteral("/ШАГ/ПОВОРОТ/ШАГ")) << 12
                                       << int(TraceResult::Wall) << Path(row) << QPoint(11, 5);
    QTest::newRow("ПРЫЖОК into the wall") << Listing(toWall + QStringLiteral("/ПРЫЖОК")) << 12
                                          << int(TraceResult::Wall) << Path(row) << QPoint(11, 5);
    QTest::newRow("turning for ever") << Listing(QStringLiteral("ШАГ/ПОКА впереди НЕ стена/НЦ/ПОВОРОТ/КЦ")) << 12
                                      << int(TraceResult::Endless) << Path({{5, 5}, {6, 5}}) << QPoint(6, 5);
    QTest::newRow("a call without end")
        << (QStringList{QStringLiteral("ПРОЦЕДУРА круг"), QStringLiteral("    ДЕЛАЙ круг"),
                        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}
            + Listing(QStringLiteral("ШАГ/ДЕЛАЙ круг/ШАГ")))
        << 12 << int(TraceResult::TooDeep) << Path({{5, 5}, {6, 5}}) << QPoint(6, 5);
}

void TestTrace::outcomes()
{
    QFETCH(QStringList, listing);
    QFETCH(int, size);
    QFETCH(int, outcome);
    QFETCH(Drawing, drawing);
    QFETCH(QPoint, last);
    const TraceResult r = exec::TraceAlgorithm(listing, size, QPoint(5, 5), 0);
    QCOMPARE(int(r.outcome), outcome);
    QCOMPARE(r.drawing.size(), drawing.size());
    QVERIFY(r.drawing == drawing);
    QCOMPARE(r.lastCell, last);
}

void TestTrace::verdicts_data()
{
    QTest::addColumn<bool>("withB");
    QTest::addColumn<Drawing>("pupil");
    QTest::addColumn<QPoint>("last");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("missing");
    QTest::addColumn<int>("extra");

    const QString yes = QStringLiteral("Образец воспроизведён!");
    const QString no = QStringLiteral("Образец не воспроизведён.\n");
    // The same square drawn the other way round, from another corner.
    const Drawing backwards = Path({{7, 3}, {7, 4}, {7, 5}, {6, 5}, {5, 5}, {5, 4}, {5, 3}, {6, 3}, {7, 3}});
    Drawing lessOne = Square();
    lessOne.erase(lessOne.begin());
    const Drawing moreOne = Square() + Path({{7, 5}, {8, 5}});

    QTest::newRow("same") << false << Square() << QPoint(5, 5) << yes << 0 << 0;
    QTest::newRow("other order and direction, no Б") << false << backwards << QPoint(7, 3) << yes << 0 << 0;
    QTest::newRow("ends on Б") << true << Square() << QPoint(5, 5) << yes << 0 << 0;
    QTest::newRow("one missing") << false << lessOne << QPoint(5, 5)
                                 << no + QStringLiteral("Не нарисовано отрезков образца: 1.") << 1 << 0;
    QTest::newRow("one extra") << true << moreOne << QPoint(5, 5)
                               << no + QStringLiteral("Нарисовано лишних отрезков: 1.") << 0 << 1;
    QTest::newRow("right drawing, ends off Б")
        << true << backwards << QPoint(7, 3)
        << no + QStringLiteral("Исполнитель остановился в клетке (7, 3), а должен был прийти в точку Б (5, 5).")
        << 0 << 0;
    QTest::newRow("nothing drawn, ends off Б")
        << true << Drawing() << QPoint(0, 0)
        << no + QStringLiteral("Не нарисовано отрезков образца: 8.\n"
                               "Исполнитель остановился в клетке (0, 0), а должен был прийти в точку Б (5, 5).")
        << 8 << 0;
}

void TestTrace::verdicts()
{
    QFETCH(bool, withB);
    QFETCH(Drawing, pupil);
    QFETCH(QPoint, last);
    QFETCH(QString, text);
    QFETCH(int, missing);
    QFETCH(int, extra);
    const exec::Verdict v = exec::CheckDrawing(Square(), pupil, Task(withB), last);
    QCOMPARE(exec::VerdictText(v), text);
    QCOMPARE(int(v.missing.size()), missing);
    QCOMPARE(int(v.extra.size()), extra);
    if (missing == 1)
        QVERIFY(v.missing == Path({{5, 3}, {6, 3}}));  // the first in the set's order
    if (extra == 1)
        QVERIFY(v.extra == Path({{7, 5}, {8, 5}}));
}

void TestTrace::loadingNamesFileAndFault_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // empty: the task loads

    const auto with = [](const QString &body, bool withB = false) {
        editor::TaskFile t = Task(withB);
        t.reference = Listing(body);
        return editor::FormatTask(t);
    };
    QTest::newRow("good") << with(Task(false).reference.mid(2, 11).join(QLatin1Char('/'))) << QString();
    QTest::newRow("nothing drawn but Б set") << with(QStringLiteral("ПРЫЖОК/ПОВОРОТ/ПОВОРОТ/ПРЫЖОК"), true)
                                             << QString();
    QTest::newRow("ends off Б") << with(QStringLiteral("ШАГ/ПРЫЖОК"), true)
                                << QStringLiteral("алгоритм-образец заканчивает путь в клетке (7, 5), а не в точке Б (5, 5)");
    QTest::newRow("nothing to check") << with(QStringLiteral("ПРЫЖОК"))
                                      << QStringLiteral("алгоритм-образец ничего не рисует, а точка Б не задана");
    QTest::newRow("wall") << with(QStringLiteral("ПОКА впереди НЕ стена/НЦ/ШАГ/КЦ/ШАГ"))
                          << QStringLiteral("алгоритм-образец упирается в стену в клетке (11, 5)");
    QTest::newRow("endless") << with(QStringLiteral("ПОКА впереди НЕ стена/НЦ/ПОВОРОТ/КЦ"))
                             << QStringLiteral("алгоритм-образец не заканчивается");
    QTest::newRow("too deep") << (with(QStringLiteral("ДЕЛАЙ а")) + "| ПРОЦЕДУРА а\n| ДЕЛАЙ а\n")
                              << QStringLiteral("слишком глубокая вложенность");
    QTest::newRow("bad file") << QByteArray("ПУТЕВОДКА ЗАДАНИЕ 7\n") << QStringLiteral("в версии 7 формата");
}

void TestTrace::loadingNamesFileAndFault()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("урок 5.pvtask"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    exec::Task task;
    task.file.title = QStringLiteral("нетронутое");
    QString error;
    const bool loaded = exec::LoadTask(path, &task, &error);
    if (reason.isEmpty()) {
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(task.file.title, QStringLiteral("Квадрат"));
        QVERIFY(task.sample == (task.file.hasB ? Drawing() : Square()));
        return;
    }
    QVERIFY(!loaded);
    QCOMPARE(task.file.title, QStringLiteral("нетронутое"));
    QVERIFY2(error.startsWith(QStringLiteral("Задание из файла «урок 5.pvtask» не открыто:\n")), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_APPLESS_MAIN(TestTrace)
#include "tst_trace.moc"
