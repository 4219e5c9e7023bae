// The walk over the listing, recorded line by line with stub hooks and a
// pretend executor on an N x N field.
#include "exec/engine.h"

#include <QStringList>
#include <QtTest>

namespace {

const QStringList kFrameHead = {
    QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
    QStringLiteral("    Дано: Исполнитель в т.А"),
    QStringLiteral("    Надо: Воспроизвести образец"),
    QStringLiteral("НАЧ"),
};
// What the four head lines leave in the record.
const QString kHeadLog = QStringLiteral("S0 P C S1 P C S2 P C S3 P C");

struct Recorder {
    QStringList lines;
    QStringList log;
    int outOfRange = 0;
    int checks = 0;
    int stopAtCheck = -1;  // the check point from which a stop is requested
    QStringList failures;
    // The pretend executor.
    int x = 0, y = 0, dir = 0, n = 12;
    // Stack probes: the address of a local in the select hook, per call.
    QVector<QPair<int, quintptr>> probes;

    bool wall() const
    {
        switch (dir) {
        case 0: return x + 1 > n - 1;
        case 90: return y - 1 < 0;
        case 180: return x - 1 < 0;
        case 270: return y + 1 > n - 1;
        default: return false;
        }
    }
    void move(const char *name)
    {
        if (wall()) {
            log << QStringLiteral("wall");
            return;
        }
        log << QString::fromLatin1(name);
        switch (dir) {
        case 0: ++x; break;
        case 90: --y; break;
        case 180: --x; break;
        case 270: ++y; break;
        default: break;
        }
    }
    bool inRange(int i)
    {
        if (i < 0 || i >= lines.size()) {
            ++outOfRange;
            return false;
        }
        return true;
    }

    exec::WalkResult run()
    {
        exec::EngineHooks h;
        h.linePause = 500;
        h.lineCount = [this] { return int(lines.size()); };
        h.line = [this](int i) { return inRange(i) ? lines.at(i) : QString(); };
        h.selectLine = [this](int i) {
            volatile char marker = 0;
            probes.append({i, quintptr(&marker)});
            inRange(i);
            log << QStringLiteral("S%1").arg(i);
        };
        h.pause = [this](int ms) {
            QCOMPARE(ms, 500);
            log << QStringLiteral("P");
        };
        h.checkPoint = [this] {
            log << QStringLiteral("C");
            ++checks;
            return stopAtCheck > 0 && checks >= stopAtCheck;
        };
        h.step = [this] { move("step"); };
        h.jump = [this] { move("jump"); };
        h.turn = [this] {
            log << QStringLiteral("turn");
            dir = (dir + 90) % 360;
        };
        h.wallAhead = [this] { return wall(); };
        h.fail = [this](const QString &text) { failures << text; };
        return exec::Walk(h);
    }

    QString text() const { return log.join(QLatin1Char(' ')); }
    int count(const QString &token) const { return int(log.count(token)); }
    // The address the select hook saw on the k-th selection of a line.
    quintptr probe(int line, int occurrence) const
    {
        int seen = 0;
        for (const auto &p : probes) {
            if (p.first == line && seen++ == occurrence)
                return p.second;
        }
        return 0;
    }
};

QStringList WithHead(const QStringList &body)
{
    return kFrameHead + body;
}

// depth nested copies of a header pair around one ШАГ, each closed by closer.
QStringList Nested(const QString &header, const QString &opener, const QString &closer, int depth)
{
    QStringList body;
    for (int i = 0; i < depth; ++i)
        body << QString(i * 2, QLatin1Char(' ')) + header << QString(i * 2, QLatin1Char(' ')) + opener;
    body << QString(depth * 2, QLatin1Char(' ')) + QStringLiteral("ШАГ");
    for (int i = depth - 1; i >= 0; --i)
        body << QString(i * 2, QLatin1Char(' ')) + closer;
    body << QStringLiteral("КОН");
    return WithHead(body);
}

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void walks_data();
    void walks();
    void procedureNamesCompareWhole_data();
    void procedureNamesCompareWhole();
    void recursionReturnsThroughEveryLevel();
    void stopEndsEndlessLoop_data();
    void stopEndsEndlessLoop();
    void malformedListingsEndSafely_data();
    void malformedListingsEndSafely();
    void endOfListingActsAsClosingLine_data();
    void endOfListingActsAsClosingLine();
    void loopWithoutEndStopsOnRequest();
    void endlessSelfCallFailsOnce();
    void nestingLimitBoundary();
    void nestingFitsStack();
};

// Whole runs of well-formed listings: the exact record of selections, pauses,
// check points and moves.
void TestEngine::walks_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<int>("startX");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("endIndex");

    QTest::newRow("empty body: the head lines, then КОН")
        << QStringList{QStringLiteral("КОН")} << 0 << QString() << 4;

    QTest::newRow("loop false at the start")
        << QStringList{QStringLiteral("ПОКА впереди стена"), QStringLiteral("НЦ"),
                       QStringLiteral("  ШАГ"), QStringLiteral("КЦ"), QStringLiteral("ПОВОРОТ"),
                       QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P P C S8 turn P C") << 9;

    QTest::newRow("skipped loop holds a nested loop")
        << QStringList{QStringLiteral("ПОКА впереди стена"), QStringLiteral("НЦ"),
                       QStringLiteral("  ПОКА впереди НЕ стена"), QStringLiteral("  НЦ"),
                       QStringLiteral("    ШАГ"), QStringLiteral("  КЦ"), QStringLiteral("КЦ"),
                       QStringLiteral("ПРЫЖОК"), QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P P C S11 jump P C") << 12;

    QTest::newRow("loop runs to the wall")
        << QStringList{QStringLiteral("ПОКА впереди НЕ стена"), QStringLiteral("НЦ"),
                       QStringLiteral("  ШАГ"), QStringLiteral("КЦ"), QStringLiteral("КОН")}
        << 9
        << QStringLiteral("S4 S4 P S5 P S6 step P C S7 P C S4 P S5 P S6 step P C S7 P C S4 P P C")
        << 8;

    QTest::newRow("ЕСЛИ fails, no ИНАЧЕ")
        << QStringList{QStringLiteral("ЕСЛИ впереди стена"), QStringLiteral("ТО"),
                       QStringLiteral("  ШАГ"), QStringLiteral("ВСЁ"), QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P S7 P P C") << 8;

    QTest::newRow("ЕСЛИ holds, ИНАЧЕ passed over")
        << QStringList{QStringLiteral("ЕСЛИ впереди НЕ стена"), QStringLiteral("ТО"),
                       QStringLiteral("  ШАГ"), QStringLiteral("ИНАЧЕ"), QStringLiteral("  ПОВОРОТ"),
                       QStringLiteral("ВСЁ"), QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P S5 P S6 step P C S9 P P C") << 10;

    QTest::newRow("nested ЕСЛИ in the skipped ТО branch")
        << QStringList{QStringLiteral("ЕСЛИ впереди стена"), QStringLiteral("ТО"),
                       QStringLiteral("  ЕСЛИ впереди НЕ стена"), QStringLiteral("  ТО"),
                       QStringLiteral("    ШАГ"), QStringLiteral("  ИНАЧЕ"),
                       QStringLiteral("    ПРЫЖОК"), QStringLiteral("  ВСЁ"), QStringLiteral("ИНАЧЕ"),
                       QStringLiteral("  ПОВОРОТ"), QStringLiteral("ВСЁ"), QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P S12 P S13 turn P C S14 P P C") << 15;

    QTest::newRow("nested ЕСЛИ in the skipped ИНАЧЕ branch")
        << QStringList{QStringLiteral("ЕСЛИ впереди НЕ стена"), QStringLiteral("ТО"),
                       QStringLiteral("  ШАГ"), QStringLiteral("ИНАЧЕ"),
                       QStringLiteral("  ЕСЛИ впереди стена"), QStringLiteral("  ТО"),
                       QStringLiteral("    ПРЫЖОК"), QStringLiteral("  ВСЁ"), QStringLiteral("ВСЁ"),
                       QStringLiteral("ПОВОРОТ"), QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 S4 P S5 P S6 step P C S12 P P C S13 turn P C") << 14;

    QTest::newRow("unknown ДЕЛАЙ: two pauses, nothing else")
        << QStringList{QStringLiteral("ДЕЛАЙ нет"), QStringLiteral("КОН"),
                       QStringLiteral("ПРОЦЕДУРА да"), QStringLiteral("  ШАГ"),
                       QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}
        << 0 << QStringLiteral("S4 P P C") << 5;

    QTest::newRow("description met by the walk is passed over")
        << QStringList{QStringLiteral("ПРОЦЕДУРА п"), QStringLiteral("  ШАГ"),
                       QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"), QStringLiteral("ПОВОРОТ"),
                       QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 P C S7 turn P C") << 8;

    QTest::newRow("comments, blanks and КОН only as stored")
        << QStringList{QStringLiteral("  // ШАГ"), QString(), QStringLiteral("  КОН"),
                       QStringLiteral("КОН")}
        << 0 << QStringLiteral("S4 P C S5 P C S6 P C") << 7;
}

void TestEngine::walks()
{
    QFETCH(QStringList, body);
    QFETCH(int, startX);
    QFETCH(QString, expected);
    QFETCH(int, endIndex);

    Recorder r;
    r.lines = WithHead(body);
    r.x = startX;
    const exec::WalkResult result = r.run();

    QString want = kHeadLog;
    if (!expected.isEmpty())
        want += QLatin1Char(' ') + expected;
    QCOMPARE(r.text(), want);
    QCOMPARE(result.stopped, false);
    QCOMPARE(result.endIndex, endIndex);
    QCOMPARE(r.outOfRange, 0);
    QVERIFY(r.failures.isEmpty());
}

// ДЕЛАЙ finds the description whose whole name matches, whichever comes first.
void TestEngine::procedureNamesCompareWhole_data()
{
    QTest::addColumn<bool>("longFirst");
    QTest::newRow("longer name described first") << true;
    QTest::newRow("shorter name described first") << false;
}

void TestEngine::procedureNamesCompareWhole()
{
    QFETCH(bool, longFirst);
    const QStringList longProc = {QStringLiteral("ПРОЦЕДУРА ходы"), QStringLiteral("  ПОВОРОТ"),
                                  QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")};
    const QStringList shortProc = {QStringLiteral("ПРОЦЕДУРА ход"), QStringLiteral("  ШАГ"),
                                   QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")};
    Recorder r;
    r.lines = WithHead({QStringLiteral("ДЕЛАЙ ход"), QStringLiteral("ДЕЛАЙ ходы"), QStringLiteral("КОН")})
        + (longFirst ? longProc + shortProc : shortProc + longProc);
    const int longAt = longFirst ? 7 : 10;
    const int shortAt = longFirst ? 10 : 7;
    r.run();

    const QString callShort = QStringLiteral("S4 P S%1 P C S%2 step P C S%3 P P C")
                                  .arg(shortAt).arg(shortAt + 1).arg(shortAt + 2);
    const QString callLong = QStringLiteral("S5 P S%1 P C S%2 turn P C S%3 P P C")
                                 .arg(longAt).arg(longAt + 1).arg(longAt + 2);
    QCOMPARE(r.text(), kHeadLog + QLatin1Char(' ') + callShort + QLatin1Char(' ') + callLong);
}

// A self-call ended by the wall: every level returns, and the walk goes on
// after the outer ДЕЛАЙ.
void TestEngine::recursionReturnsThroughEveryLevel()
{
    Recorder r;
    r.lines = WithHead({QStringLiteral("ДЕЛАЙ р"), QStringLiteral("ПОВОРОТ"), QStringLiteral("КОН"),
                        QStringLiteral("ПРОЦЕДУРА р"), QStringLiteral("  ЕСЛИ впереди НЕ стена"),
                        QStringLiteral("  ТО"), QStringLiteral("    ШАГ"), QStringLiteral("    ДЕЛАЙ р"),
                        QStringLiteral("  ВСЁ"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
    r.x = 8;
    const exec::WalkResult result = r.run();

    QCOMPARE(result.stopped, false);
    QCOMPARE(result.endIndex, 6);
    QCOMPARE(r.x, 11);
    QCOMPARE(r.dir, 90);
    QCOMPARE(r.count(QStringLiteral("step")), 3);
    QCOMPARE(r.count(QStringLiteral("wall")), 0);
    QCOMPARE(r.count(QStringLiteral("S13")), 4);  // each call ends on its own КОНЕЦ ПРОЦЕДУРЫ
    // The innermost call finds the wall: its ЕСЛИ skips to ВСЁ.
    QVERIFY(r.text().contains(QStringLiteral("S8 S8 P S12 P P C S13 P")));
    QVERIFY(r.text().endsWith(QStringLiteral("S13 P P C S5 turn P C")));
    QVERIFY(r.failures.isEmpty());
}

// ПОКА впереди НЕ стена / НЦ / ПОВОРОТ / КЦ never ends by itself; a stop seen
// at a check point ends it, with only the pending pauses after it.
void TestEngine::stopEndsEndlessLoop_data()
{
    QTest::addColumn<int>("stopAt");
    for (int n : {5, 6, 7, 8, 9, 40})
        QTest::newRow(qPrintable(QStringLiteral("stop at check %1").arg(n))) << n;
}

void TestEngine::stopEndsEndlessLoop()
{
    QFETCH(int, stopAt);
    Recorder r;
    r.lines = WithHead({QStringLiteral("ПОКА впереди НЕ стена"), QStringLiteral("НЦ"),
                        QStringLiteral("  ПОВОРОТ"), QStringLiteral("КЦ"), QStringLiteral("ШАГ"),
                        QStringLiteral("КОН")});
    r.stopAtCheck = stopAt;
    r.x = 5;  // away from every wall, so the turns never meet one
    r.y = 5;
    const exec::WalkResult result = r.run();
    QVERIFY(result.stopped);

    // Find the check point that saw the stop.
    int seen = 0, at = -1;
    for (int i = 0; i < r.log.size(); ++i) {
        if (r.log.at(i) == QLatin1String("C") && ++seen == stopAt) {
            at = i;
            break;
        }
    }
    QVERIFY(at >= 0);
    const QStringList tail = r.log.mid(at + 1);
    for (const QString &token : tail)
        QVERIFY2(token == QLatin1String("P") || token == QLatin1String("C"), qPrintable(r.text()));
    // Inside the loop the enclosing ExecuteLine still pauses, then the walk checks.
    if (stopAt > 4)
        QCOMPARE(tail.join(QLatin1Char(' ')), QStringLiteral("P C"));
    QCOMPARE(r.count(QStringLiteral("step")), 0);
    QCOMPARE(r.count(QStringLiteral("S8")), 0);
}

// Listings a file can hold but the editor never writes: the end of the
// listing ends an unclosed construct, the run ends normally, and nothing is
// read past the last line.
void TestEngine::malformedListingsEndSafely_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("endIndex");

    const QString ifTrue = QStringLiteral("ЕСЛИ впереди НЕ стена");
    const QString ifFalse = QStringLiteral("ЕСЛИ впереди стена");
    const QString whileTrue = QStringLiteral("ПОКА впереди НЕ стена");
    const QString whileFalse = QStringLiteral("ПОКА впереди стена");
    const QString then = QStringLiteral("ТО"), otherwise = QStringLiteral("ИНАЧЕ");
    const QString step = QStringLiteral("ШАГ"), jump = QStringLiteral("ПРЫЖОК");
    const QString nc = QStringLiteral("НЦ");

    QTest::newRow("no КОН") << QStringList{step} << QStringLiteral("step") << 5;
    QTest::newRow("ЕСЛИ holds, no ВСЁ") << QStringList{ifTrue, then, step} << QStringLiteral("step") << 7;
    QTest::newRow("ЕСЛИ fails, no ВСЁ") << QStringList{ifFalse, then, step} << QString() << 7;
    QTest::newRow("ЕСЛИ holds, ИНАЧЕ, no ВСЁ")
        << QStringList{ifTrue, then, step, otherwise, jump} << QStringLiteral("step") << 9;
    QTest::newRow("ЕСЛИ fails, ИНАЧЕ, no ВСЁ")
        << QStringList{ifFalse, then, step, otherwise, jump} << QStringLiteral("jump") << 9;
    QTest::newRow("ЕСЛИ holding as the last line") << QStringList{step, ifTrue} << QStringLiteral("step") << 6;
    QTest::newRow("ЕСЛИ failing as the last line") << QStringList{ifFalse} << QString() << 5;
    QTest::newRow("ЕСЛИ, ТО as the last lines") << QStringList{ifTrue, then} << QString() << 6;
    QTest::newRow("ПОКА holds, no КЦ: repeats up to the wall")
        << QStringList{whileTrue, nc, step} << QStringLiteral("step step") << 7;
    QTest::newRow("ПОКА fails, no КЦ") << QStringList{whileFalse, nc, step} << QString() << 7;
    QTest::newRow("ПОКА failing as the last line") << QStringList{whileFalse} << QString() << 5;
    QTest::newRow("description without its end")
        << QStringList{QStringLiteral("ПРОЦЕДУРА п"), step} << QString() << 6;
    QTest::newRow("call of a description without its end")
        << QStringList{QStringLiteral("ДЕЛАЙ п"), jump, QStringLiteral("КОН"), QStringLiteral("ПРОЦЕДУРА п"),
                       step}
        << QStringLiteral("step jump") << 6;
    QTest::newRow("nested unclosed constructs")
        << QStringList{whileTrue, nc, ifFalse, then, step, otherwise, whileTrue, nc, jump}
        << QStringLiteral("jump jump") << 13;
}

void TestEngine::malformedListingsEndSafely()
{
    QFETCH(QStringList, body);
    QFETCH(QString, moves);
    QFETCH(int, endIndex);

    Recorder r;
    r.lines = WithHead(body);
    r.x = 9;  // two cells from the right wall: a loop walking right makes two moves
    const exec::WalkResult result = r.run();

    QStringList done;
    for (const QString &token : r.log) {
        if (token == QLatin1String("step") || token == QLatin1String("jump") || token == QLatin1String("turn")
            || token == QLatin1String("wall"))
            done << token;
    }
    QCOMPARE(done.join(QLatin1Char(' ')), moves);
    QCOMPARE(result.stopped, false);
    QCOMPARE(result.endIndex, endIndex);
    QCOMPARE(r.outOfRange, 0);
    QVERIFY(r.failures.isEmpty());
}

// The end of the listing stands in for a missing ВСЁ, КЦ or КОНЕЦ
// ПРОЦЕДУРЫ: a run of the listing without its last, closing line is the run
// of the whole listing, less the closing line's own selection and pause. For
// a loop this means the condition is tested again and the loop repeats.
void TestEngine::endOfListingActsAsClosingLine_data()
{
    QTest::addColumn<QStringList>("body");  // the last line is the closing line

    const QString step = QStringLiteral("ШАГ"), jump = QStringLiteral("ПРЫЖОК");
    const QString then = QStringLiteral("ТО"), otherwise = QStringLiteral("ИНАЧЕ");
    const QString branchEnd = QStringLiteral("ВСЁ"), nc = QStringLiteral("НЦ"), kc = QStringLiteral("КЦ");
    const QString whileTrue = QStringLiteral("ПОКА впереди НЕ стена");

    QTest::newRow("loop repeating up to the wall") << QStringList{whileTrue, nc, step, kc};
    QTest::newRow("loop never holding")
        << QStringList{QStringLiteral("ПОКА впереди стена"), nc, step, kc};
    QTest::newRow("loop whose body ends with a branch")
        << QStringList{whileTrue, nc, QStringLiteral("ЕСЛИ впереди НЕ стена"), then, jump, branchEnd, kc};
    QTest::newRow("branch holding, ИНАЧЕ passed over")
        << QStringList{QStringLiteral("ЕСЛИ впереди НЕ стена"), then, step, otherwise, jump, branchEnd};
    QTest::newRow("branch failing, ИНАЧЕ run")
        << QStringList{QStringLiteral("ЕСЛИ впереди стена"), then, step, otherwise, jump, branchEnd};
    QTest::newRow("branch failing, no ИНАЧЕ")
        << QStringList{QStringLiteral("ЕСЛИ впереди стена"), then, step, branchEnd};
    QTest::newRow("called procedure")
        << QStringList{QStringLiteral("ДЕЛАЙ п"), jump, QStringLiteral("КОН"), QStringLiteral("ПРОЦЕДУРА п"),
                       step, QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")};
}

void TestEngine::endOfListingActsAsClosingLine()
{
    QFETCH(QStringList, body);

    Recorder closed;
    closed.lines = WithHead(body);
    closed.x = 9;
    const exec::WalkResult closedResult = closed.run();
    const int last = int(closed.lines.size()) - 1;
    QStringList expected;
    for (int i = 0; i < closed.log.size(); ++i) {
        if (closed.log.at(i) == QStringLiteral("S%1").arg(last)) {
            QCOMPARE(closed.log.value(i + 1), QStringLiteral("P"));
            ++i;
        } else {
            expected << closed.log.at(i);
        }
    }

    Recorder open;
    open.lines = closed.lines.mid(0, last);
    open.x = 9;
    const exec::WalkResult openResult = open.run();

    QCOMPARE(open.text(), expected.join(QLatin1Char(' ')));
    QCOMPARE(open.x, closed.x);
    QCOMPARE(openResult.stopped, false);
    QCOMPARE(closedResult.stopped, false);
    QCOMPARE(openResult.endIndex, qMin(closedResult.endIndex, last));
    QCOMPARE(open.outOfRange, 0);
}

// A loop without КЦ whose condition always holds runs until the stop button,
// with a check point in every pass, also when the listing ends at ПОКА or НЦ.
void TestEngine::loopWithoutEndStopsOnRequest()
{
    const QString whileTrue = QStringLiteral("ПОКА впереди НЕ стена");
    for (const QStringList &body : {QStringList{whileTrue}, QStringList{whileTrue, QStringLiteral("НЦ")},
                                    QStringList{whileTrue, QStringLiteral("НЦ"), QStringLiteral("ПОВОРОТ")}}) {
        Recorder r;
        r.lines = WithHead(body);
        r.x = 5;
        r.y = 5;
        r.stopAtCheck = 40;
        const exec::WalkResult result = r.run();
        QVERIFY(result.stopped);
        QCOMPARE(result.endIndex, int(r.lines.size()) - 1);
        QVERIFY2(r.count(QStringLiteral("S4")) > 15, qPrintable(r.text()));  // one pass per check point or two
        QCOMPARE(r.outOfRange, 0);
    }
}

// A self-call with nothing to end it reaches the nesting limit: one error,
// the run stops, nothing after the call runs.
void TestEngine::endlessSelfCallFailsOnce()
{
    Recorder r;
    r.lines = WithHead({QStringLiteral("ДЕЛАЙ р"), QStringLiteral("ПОВОРОТ"), QStringLiteral("КОН"),
                        QStringLiteral("ПРОЦЕДУРА р"), QStringLiteral("  ДЕЛАЙ р"),
                        QStringLiteral("  ПРЫЖОК"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
    const exec::WalkResult result = r.run();

    QVERIFY(result.stopped);
    QCOMPARE(r.failures.size(), 1);
    QVERIFY(r.failures.first().contains(QStringLiteral("вложенность")));
    QCOMPARE(r.count(QStringLiteral("jump")), 0);
    QCOMPARE(r.count(QStringLiteral("turn")), 0);
    QCOMPARE(r.count(QStringLiteral("S10")), 0);  // no КОНЕЦ ПРОЦЕДУРЫ reached
    QCOMPARE(r.count(QStringLiteral("S8")), exec::kMaxNesting - 1);
    QCOMPARE(r.outOfRange, 0);
}

// Nesting in a loaded file counts as much as nesting of calls: the deepest
// allowed level still runs, one more stops the run.
void TestEngine::nestingLimitBoundary()
{
    const QString ifTrue = QStringLiteral("ЕСЛИ впереди НЕ стена");
    {
        Recorder r;
        r.lines = Nested(ifTrue, QStringLiteral("ТО"), QStringLiteral("ВСЁ"), exec::kMaxNesting - 1);
        const exec::WalkResult result = r.run();
        QVERIFY(!result.stopped);
        QCOMPARE(r.count(QStringLiteral("step")), 1);
        QVERIFY(r.failures.isEmpty());
    }
    {
        Recorder r;
        r.lines = Nested(ifTrue, QStringLiteral("ТО"), QStringLiteral("ВСЁ"), exec::kMaxNesting);
        const exec::WalkResult result = r.run();
        QVERIFY(result.stopped);
        QCOMPARE(r.count(QStringLiteral("step")), 0);
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.outOfRange, 0);
    }
    {
        Recorder r;
        r.lines = Nested(QStringLiteral("ПОКА впереди НЕ стена"), QStringLiteral("НЦ"), QStringLiteral("КЦ"),
                         exec::kMaxNesting + 10);
        const exec::WalkResult result = r.run();
        QVERIFY(result.stopped);
        QCOMPARE(r.failures.size(), 1);
    }
}

// The stack one level of nesting takes, for each kind of construct; the
// limit must leave most of a 1 MiB stack to the window.
void TestEngine::nestingFitsStack()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("frame sizes mean nothing under the address sanitizer");
#endif
    const int low = 10;
    const int high = qMin(110, exec::kMaxNesting - 10);
    quintptr worst = 0;

    auto perLevel = [&](const QString &what, quintptr a, quintptr b, int levels) {
        QVERIFY(a != 0 && b != 0 && a > b);
        const quintptr bytes = (a - b) / quintptr(levels);
        qInfo("%s: %u bytes of stack per level", qPrintable(what), unsigned(bytes));
        worst = qMax(worst, bytes);
    };

    for (const auto &kind : {QPair<QString, QString>{QStringLiteral("ЕСЛИ впереди НЕ стена"), QStringLiteral("ТО")},
                             QPair<QString, QString>{QStringLiteral("ПОКА впереди НЕ стена"), QStringLiteral("НЦ")}}) {
        Recorder r;
        r.lines = Nested(kind.first, kind.second, kind.first.startsWith(QStringLiteral("ЕСЛИ"))
                                                      ? QStringLiteral("ВСЁ") : QStringLiteral("КЦ"),
                         high + 1);
        r.stopAtCheck = 5;  // the first check after the head lines
        r.run();
        // Level k's header is line 4 + 2k, first selected by its ExecuteLine.
        perLevel(kind.first, r.probe(4 + 2 * low, 0), r.probe(4 + 2 * high, 0), high - low);
    }
    {
        Recorder r;
        r.lines = WithHead({QStringLiteral("ДЕЛАЙ р"), QStringLiteral("КОН"), QStringLiteral("ПРОЦЕДУРА р"),
                            QStringLiteral("  ДЕЛАЙ р"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
        r.run();
        perLevel(QStringLiteral("ДЕЛАЙ"), r.probe(7, low), r.probe(7, high), high - low);
    }

    const quintptr total = worst * quintptr(exec::kMaxNesting);
    qInfo("limit %d levels: at most %u bytes", exec::kMaxNesting, unsigned(total));
    QVERIFY2(total <= 256 * 1024, "the nesting limit would take more than a quarter of a 1 MiB stack");
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
