// Field geometry, border bars and the drawn empty field.
#include "field/geometry.h"

#include <QtTest>

using namespace field;

class TestGeometry : public QObject
{
    Q_OBJECT

private:
    static QRgb Face() { return FaceColour().rgb(); }
    static QRgb Grid() { return GridColour().rgb(); }
    static QRgb Bar() { return ScrollBarColour().rgb(); }
    static QImage Drawn(const Geometry &g)
    {
        QImage picture = NewPicture(g.w);
        RedrawEmptyField(picture, g);
        return picture;
    }

private slots:
    void sizes_data()
    {
        QTest::addColumn<int>("u");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("s");
        QTest::newRow("1024, 12") << 10 << 12 << 43 << 536 << 31;
        QTest::newRow("1024, 13") << 10 << 13 << 40 << 540 << 28;
        QTest::newRow("1024, 14") << 10 << 14 << 37 << 538 << 25;
        QTest::newRow("1024, 15") << 10 << 15 << 34 << 530 << 22;
        QTest::newRow("1280, 12") << 12 << 12 << 52 << 648 << 38;
        QTest::newRow("1280, 15") << 12 << 15 << 41 << 639 << 27;
        QTest::newRow("800, 15") << 8 << 15 << 27 << 421 << 17;
    }
    void sizes()
    {
        QFETCH(int, u);
        QFETCH(int, n);
        const Geometry g = ComputeGeometry(qint16(u), qint16(n));
        QCOMPARE(int(g.u), u);
        QCOMPARE(int(g.n), n);
        QTEST(int(g.p), "p");
        QTEST(int(g.w), "w");
        QTEST(int(g.s), "s");
    }

    void cellPositions()
    {
        const Geometry g = ComputeGeometry(10, 12);
        QCOMPARE(CellCentre(g, 0, 0), QPoint(31, 31));
        QCOMPARE(CellCentre(g, 3, 5), QPoint(160, 246));
        QCOMPARE(GlyphCorner(g, 0, 0), QPoint(16, 16));
        QCOMPARE(GlyphCorner(g, 3, 5), QPoint(145, 231));
        // Cells off the field are computed the same way.
        QCOMPARE(CellCentre(g, -1, 13), QPoint(-12, 590));
        QCOMPARE(GridLine(g, 1), qint16(53));
        QCOMPARE(GridLine(g, 11), qint16(483));
    }

    void coloursDiffer()
    {
        const QList<QRgb> colours = {Face(), Grid(), Bar(), qRgb(255, 255, 255), qRgb(0, 0, 0)};
        for (int i = 0; i < colours.size(); ++i)
            for (int j = i + 1; j < colours.size(); ++j)
                QVERIFY2(colours[i] != colours[j], qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }

    void borderBars()
    {
        const Geometry g = ComputeGeometry(10, 12);
        const QVector<BorderBar> bars = BorderBars(g);
        QCOMPARE(bars.size(), 4);
        // b = 5, m = 10, d = 525, e = 530, f = 535.
        QCOMPARE(bars[0].hexagon, QPolygon({QPoint(5, 5), QPoint(0, 10), QPoint(0, 525), QPoint(5, 530),
                                            QPoint(10, 525), QPoint(10, 10)}));
        QCOMPARE(bars[0].white, QPolygon({QPoint(5, 5), QPoint(0, 10), QPoint(0, 525), QPoint(5, 530)}));
        QCOMPARE(bars[0].black, QPolygon({QPoint(5, 530), QPoint(10, 525), QPoint(10, 10), QPoint(5, 5)}));
        QCOMPARE(bars[1].hexagon, QPolygon({QPoint(530, 5), QPoint(525, 10), QPoint(525, 525), QPoint(530, 530),
                                            QPoint(535, 525), QPoint(535, 10)}));
        QCOMPARE(bars[2].white, QPolygon({QPoint(530, 5), QPoint(525, 0), QPoint(10, 0), QPoint(5, 5)}));
        QCOMPARE(bars[3].black, QPolygon({QPoint(5, 530), QPoint(10, 535), QPoint(525, 535), QPoint(530, 530)}));

        // Odd u: b = 6, m = 12; W = 698, d = 684, e = 690, f = 696.
        const Geometry odd = ComputeGeometry(13, 12);
        QCOMPARE(int(odd.w), 698);
        const QVector<BorderBar> oddBars = BorderBars(odd);
        QCOMPARE(oddBars[0].hexagon, QPolygon({QPoint(6, 6), QPoint(0, 12), QPoint(0, 684), QPoint(6, 690),
                                               QPoint(12, 684), QPoint(12, 12)}));
        QCOMPARE(oddBars[1].hexagon.boundingRect(), QRect(QPoint(684, 6), QPoint(696, 690)));
    }

    void gridLines_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("lines");
        QTest::newRow("12") << 12 << 11;
        QTest::newRow("15") << 15 << 14;
    }
    void gridLines()
    {
        QFETCH(int, n);
        QFETCH(int, lines);
        const Geometry g = ComputeGeometry(10, qint16(n));
        const QImage picture = Drawn(g);
        const int mid = g.u + g.p / 2;  // a row and a column through cells only
        int across = 0, down = 0;
        for (int i = 0; i < g.w; ++i) {
            across += picture.pixel(i, mid) == Grid();
            down += picture.pixel(mid, i) == Grid();
        }
        QCOMPARE(across, lines);
        QCOMPARE(down, lines);
        for (int k = 1; k < n; ++k) {
            const int at = GridLine(g, qint16(k));
            QCOMPARE(picture.pixel(at, mid), Grid());
            QCOMPARE(picture.pixel(mid, at), Grid());
            QVERIFY(picture.pixel(at + 1, mid) != Grid());
        }
        // The outer edges of the cell area carry no grid line.
        QVERIFY(picture.pixel(mid, g.u) != Grid());
        QVERIFY(picture.pixel(g.u, mid) != Grid());
        QVERIFY(picture.pixel(mid, g.u + g.n * g.p) != Grid());
        QVERIFY(picture.pixel(g.u + g.n * g.p, mid) != Grid());
    }

    void drawnField()
    {
        const Geometry g = ComputeGeometry(10, 12);
        const QImage picture = Drawn(g);
        const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
        QCOMPARE(picture.size(), QSize(536, 536));
        QCOMPARE(picture.pixel(30, 30), Face());
        QCOMPARE(picture.pixel(300, 300), Face());
        // A grid line ends one pixel before its end point, over the right bar's edge.
        QCOMPARE(picture.pixel(525, 53), Grid());
        QCOMPARE(picture.pixel(526, 53), Bar());
        QCOMPARE(picture.pixel(53, 525), Grid());
        QCOMPARE(picture.pixel(53, 526), Bar());
        // Bars: fill, the white and black edges, lit from the top left.
        QCOMPARE(picture.pixel(5, 300), Bar());
        QCOMPARE(picture.pixel(0, 300), white);
        QCOMPARE(picture.pixel(10, 300), black);
        QCOMPARE(picture.pixel(300, 0), white);
        QCOMPARE(picture.pixel(300, 10), black);
        QCOMPARE(picture.pixel(525, 300), white);
        QCOMPARE(picture.pixel(535, 300), black);
        QCOMPARE(picture.pixel(300, 525), white);
        QCOMPARE(picture.pixel(300, 535), black);
        // Mitred corners: the black line of the top bar stops short of (e, b),
        // which stays white; the bottom bar's black line stops short of (e, e).
        QCOMPARE(picture.pixel(530, 5), white);
        QCOMPARE(picture.pixel(530, 530), white);
        QCOMPARE(picture.pixel(5, 5), black);
        QCOMPARE(picture.pixel(5, 530), black);
        // Outside the hexagons' corners: background.
        QCOMPARE(picture.pixel(0, 0), Face());
        QCOMPARE(picture.pixel(535, 535), Face());
    }

    void oddUnitKeepsLastRowAndColumn()
    {
        const Geometry g = ComputeGeometry(13, 12);
        const QImage picture = Drawn(g);
        const int last = g.w - 1;
        for (int i = 0; i < g.w; ++i) {
            QCOMPARE(picture.pixel(last, i), Face());
            QCOMPARE(picture.pixel(i, last), Face());
        }
        // The left bar spans columns 0 to 12; the right bar ends at W - 2.
        QCOMPARE(picture.pixel(12, 300), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(13, 300), Face());
        QCOMPARE(picture.pixel(last - 1, 300), qRgb(0, 0, 0));
    }

    void redrawErasesEverything()
    {
        const Geometry g = ComputeGeometry(8, 15);
        QImage picture = NewPicture(g.w);
        picture.fill(Qt::red);
        RedrawEmptyField(picture, g);
        QCOMPARE(picture, Drawn(g));
        QCOMPARE(picture.format(), NewPicture(1).format());
    }

};

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
