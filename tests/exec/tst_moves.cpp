// The executor's moves on real pixels: u = 10, N = 12 (cell 43, glyph square 31).
#include "exec/moves.h"

#include <QtTest>

namespace {

const QRgb kTrace = qRgb(0x80, 0x80, 0x80);
const QRgb kRed = qRgb(255, 0, 0);

struct Bench {
    field::Geometry g = field::ComputeGeometry(10, 12);
    QImage picture;
    QImage under;
    field::Executor e;
    exec::MoveContext c;
    QStringList events;  // "show", "pause <ms>", "stop", "message"
    QStringList messages;
    QImage lastShown;
    QRect drawn;            // what the moves reported drawing since the last frame
    QStringList unreported;  // frames that changed pixels outside what was reported

    Bench(qint16 x, qint16 y, qint16 dir)
    {
        picture = field::NewPicture(g.w);
        field::RedrawEmptyField(picture, g);
        under = field::NewPicture(g.s);
        field::Points points;
        points.ax = x;
        points.ay = y;
        points.adir = dir;
        field::PlaceExecutorAtStart(picture, under, g, points, e);
        lastShown = picture.copy();

        c.picture = &picture;
        c.dirty = &drawn;
        c.under = &under;
        c.geometry = g;
        c.executor = &e;
        c.turnFramePause = 3;
        c.wallBlinkPause = 7;
        c.showField = [this] {
            events << QStringLiteral("show");
            // A frame shows only what the moves reported drawing.
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (!drawn.contains(x, y) && picture.pixel(x, y) != lastShown.pixel(x, y)) {
                        unreported << QStringLiteral("frame %1 at (%2, %3)").arg(count(QStringLiteral("show"))).arg(x).arg(y);
                        y = picture.height();
                        break;
                    }
            drawn = QRect();
            lastShown = picture.copy();
        };
        c.pause = [this](int ms) { events << QStringLiteral("pause %1").arg(ms); };
        c.requestStop = [this] { events << QStringLiteral("stop"); };
        c.wallMessage = [this](const QString &text) {
            events << QStringLiteral("message");
            messages << text;
        };
    }
    Bench(const Bench &) = delete;
    Bench &operator=(const Bench &) = delete;

    QPoint centre(int x, int y) const { return field::CellCentre(g, qint16(x), qint16(y)); }
    QRect square(int x, int y) const
    {
        return QRect(field::GlyphCorner(g, qint16(x), qint16(y)), QSize(g.s, g.s));
    }
    int count(const QString &event) const { return int(events.count(event)); }
};

int CountColour(const QImage &image, const QRect &area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

bool SameOutside(const QImage &a, const QImage &b, const QRect &hole)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!hole.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace

class TestMoves : public QObject
{
    Q_OBJECT

private slots:
    void wallAhead_data();
    void wallAhead();
    void stepDrawsTrace();
    void jumpKeepsTracesDrawsNone();
    void fourTurnsComeBack_data();
    void fourTurnsComeBack();
    void turnFrom270EndsAtZero();
    void wallBlocksMove_data();
    void wallBlocksMove();
    void directionOutsideTheFour();
};

void TestMoves::wallAhead_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("dir");
    QTest::addColumn<bool>("wall");

    QTest::newRow("(0,0) up") << 0 << 0 << 90 << true;
    QTest::newRow("(0,0) right") << 0 << 0 << 0 << false;
    QTest::newRow("(0,0) left") << 0 << 0 << 180 << true;
    QTest::newRow("(0,0) down") << 0 << 0 << 270 << false;
    QTest::newRow("(11,11) right") << 11 << 11 << 0 << true;
    QTest::newRow("(11,11) down") << 11 << 11 << 270 << true;
    QTest::newRow("(10,10) right") << 10 << 10 << 0 << false;
    QTest::newRow("(10,10) down") << 10 << 10 << 270 << false;
    QTest::newRow("beyond the field, right") << 14 << 3 << 0 << true;
    QTest::newRow("diagonal direction") << 11 << 0 << 45 << false;
    QTest::newRow("no direction") << 0 << 0 << -1 << false;
}

void TestMoves::wallAhead()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, dir);
    QFETCH(bool, wall);
    field::Executor e;
    e.x = qint16(x);
    e.y = qint16(y);
    e.dir = qint16(dir);
    QCOMPARE(exec::WallAhead(e, 12), wall);
}

void TestMoves::stepDrawsTrace()
{
    Bench b(3, 5, 0);
    exec::MakeStep(b.c);

    QCOMPARE(b.e.x, qint16(4));
    QCOMPARE(b.e.y, qint16(5));
    QCOMPARE(b.e.dir, qint16(0));
    // Shown after the glyph is lifted and after it is drawn again; no waiting.
    QCOMPARE(b.events, QStringList({QStringLiteral("show"), QStringLiteral("show")}));
    QCOMPARE(b.lastShown, b.picture);

    // Between the glyph squares the trace is exactly 5 pixels high, on cy + 1.
    const QPoint c3 = b.centre(3, 5);
    for (int x = c3.x() + 16; x <= c3.x() + 27; ++x) {
        for (int y = c3.y() - 1; y <= c3.y() + 3; ++y)
            QCOMPARE(b.picture.pixel(x, y) & 0xFFFFFF, kTrace & 0xFFFFFF);
        QVERIFY(b.picture.pixel(x, c3.y() - 2) != kTrace);
        QVERIFY(b.picture.pixel(x, c3.y() + 4) != kTrace);
    }
    // The old cell shows the trace's start and no glyph.
    QCOMPARE(b.picture.pixel(c3 + QPoint(1, 1)), kTrace);
    QCOMPARE(CountColour(b.picture, b.square(3, 5), kRed), 0);
    // The new cell: the trace's end was saved under the glyph before it was drawn.
    const QPoint c4 = b.centre(4, 5);
    QCOMPARE(b.under.pixel(c4 + QPoint(1, 1) - b.square(4, 5).topLeft()), kTrace);
    QVERIFY(CountColour(b.picture, b.square(4, 5), kRed) > 0);
    QCOMPARE(CountColour(b.under, b.under.rect(), kRed), 0);
    QCOMPARE(b.unreported, QStringList());
}

void TestMoves::jumpKeepsTracesDrawsNone()
{
    Bench b(3, 5, 0);
    exec::MakeStep(b.c);
    const QImage afterStep = b.picture.copy();
    exec::MakeJump(b.c);

    QCOMPARE(b.e.x, qint16(5));
    QCOMPARE(b.count(QStringLiteral("show")), 4);
    QVERIFY(!b.events.join(QLatin1Char(' ')).contains(QStringLiteral("pause")));

    // Every trace pixel drawn so far is still there; cell 4's glyph is lifted,
    // which shows the rest of the trace's end.
    const QRect row(0, b.centre(0, 5).y() - 21, b.picture.width(), 43);
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x)
            if (afterStep.pixel(x, y) == kTrace)
                QCOMPARE(b.picture.pixel(x, y), kTrace);
    QCOMPARE(b.picture.pixel(b.centre(4, 5) + QPoint(1, 1)), kTrace);
    QCOMPARE(CountColour(b.picture, b.square(4, 5), kRed), 0);
    // No trace from cell 4 to cell 5.
    const QPoint c4 = b.centre(4, 5);
    QCOMPARE(CountColour(b.picture, QRect(c4.x() + 16, c4.y() - 3, 12, 9), kTrace), 0);
    QCOMPARE(CountColour(b.picture, b.square(5, 5), kTrace), 0);
    QCOMPARE(b.unreported, QStringList());
}

void TestMoves::fourTurnsComeBack_data()
{
    QTest::addColumn<int>("dir");
    for (int d : {0, 90, 180, 270})
        QTest::newRow(qPrintable(QString::number(d))) << d;
}

void TestMoves::fourTurnsComeBack()
{
    QFETCH(int, dir);
    Bench b(6, 6, qint16(dir));
    const QImage start = b.picture.copy();

    for (int k = 1; k <= 4; ++k) {
        exec::MakeTurn(b.c);
        QCOMPARE(int(b.e.dir), (dir + 90 * k) % 360);
        QCOMPARE(b.e.x, qint16(6));
        QCOMPARE(b.e.y, qint16(6));
    }
    QCOMPARE(b.picture, start);
    // Three frames and two frame pauses a turn.
    QCOMPARE(b.count(QStringLiteral("show")), 12);
    QCOMPARE(b.count(QStringLiteral("pause 3")), 8);
    QCOMPARE(b.events.size(), 20);
    QCOMPARE(b.unreported, QStringList());
}

void TestMoves::turnFrom270EndsAtZero()
{
    Bench b(2, 9, 270);
    Bench facingRight(2, 9, 0);
    exec::MakeTurn(b.c);
    QCOMPARE(b.e.dir, qint16(0));
    QCOMPARE(b.picture, facingRight.picture);
    QCOMPARE(b.events, QStringList({QStringLiteral("show"), QStringLiteral("pause 3"), QStringLiteral("show"),
                                    QStringLiteral("pause 3"), QStringLiteral("show")}));
}

void TestMoves::wallBlocksMove_data()
{
    QTest::addColumn<bool>("jump");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("dir");
    for (bool jump : {false, true}) {
        const char *what = jump ? "ПРЫЖОК" : "ШАГ";
        QTest::addRow("%s at x = N-1 facing right", what) << jump << 11 << 4 << 0;
        QTest::addRow("%s at y = 0 facing up", what) << jump << 3 << 0 << 90;
        QTest::addRow("%s at x = 0 facing left", what) << jump << 0 << 7 << 180;
        QTest::addRow("%s at y = N-1 facing down", what) << jump << 5 << 11 << 270;
    }
}

void TestMoves::wallBlocksMove()
{
    QFETCH(bool, jump);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, dir);
    Bench b{qint16(x), qint16(y), qint16(dir)};
    const QImage before = b.picture.copy();

    if (jump)
        exec::MakeJump(b.c);
    else
        exec::MakeStep(b.c);

    QCOMPARE(b.e.x, qint16(x));
    QCOMPARE(b.e.y, qint16(y));
    QCOMPARE(b.e.dir, qint16(dir));

    // Lift the glyph and show; stop first; 20 blinks of two frames; the message last.
    QStringList expected = {QStringLiteral("show"), QStringLiteral("stop")};
    for (int i = 0; i < 40; ++i)
        expected << QStringLiteral("show") << QStringLiteral("pause 7");
    expected << QStringLiteral("message");
    QCOMPARE(b.events, expected);
    QCOMPARE(b.messages, QStringList{exec::WallErrorText()});
    QVERIFY(b.messages.first().startsWith(QStringLiteral("НЕ МОГУ - СТЕНА !!!\n\n\nИсполнитель")));
    QCOMPARE(b.messages.first().count(QLatin1Char('\n')), 6);

    // Nothing drawn outside the glyph square: no trace.
    const QRect glyph = b.square(x, y);
    QVERIFY(SameOutside(before, b.picture, glyph));
    // The hollow pointer stays: no filled glyph, but something drawn on the
    // saved field, and it is what was shown last.
    QCOMPARE(CountColour(b.picture, glyph, kRed), 0);
    QVERIFY(b.picture.copy(glyph) != b.under);
    QCOMPARE(b.lastShown, b.picture);
    QCOMPARE(b.unreported, QStringList());
}

// A run without point А would start with direction -1: no move, a turn adds 90.
void TestMoves::directionOutsideTheFour()
{
    Bench b(4, 4, -1);
    exec::MakeStep(b.c);
    exec::MakeJump(b.c);
    QCOMPARE(b.e.x, qint16(4));
    QCOMPARE(b.e.y, qint16(4));
    QCOMPARE(b.count(QStringLiteral("stop")), 0);
    QCOMPARE(CountColour(b.picture, QRect(b.g.u, b.g.u, b.g.n * b.g.p, b.g.n * b.g.p), kTrace), 0);
    exec::MakeTurn(b.c);
    QCOMPARE(b.e.dir, qint16(89));
}

QTEST_MAIN(TestMoves)
#include "tst_moves.moc"
