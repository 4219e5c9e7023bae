// Glyph images, their placement, point marks and the save-under square.
#include "field/glyph.h"
#include "field/fonts.h"

#include <QFontInfo>
#include <QPainter>
#include <QtTest>

#include <functional>

using namespace field;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kDarkRed = qRgb(128, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

bool Transparent(const QImage &image, int c, int r)
{
    return qAlpha(image.pixel(c, r)) == 0;
}

QImage EmptyField(const Geometry &g)
{
    QImage picture = NewPicture(g.w);
    RedrawEmptyField(picture, g);
    return picture;
}

// True when 'after' shows glyph image i drawn at 'at' over 'before'.
bool ShowsImage(const QImage &before, const QImage &after, int i, QPoint at)
{
    const QImage &image = GlyphImages().at(i);
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            const QRgb px = image.pixel(c, r);
            const QRgb want = qAlpha(px) == 255 ? px : before.pixel(at.x() + c, at.y() + r);
            if (after.pixel(at.x() + c, at.y() + r) != want)
                return false;
        }
    return true;
}

// The smallest rectangle holding every pixel in which two pictures differ.
QRect Difference(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

// A field with a trace and marks all over, so that drawing anywhere shows.
QImage BusyField(const Geometry &g)
{
    QImage picture = NewPicture(g.w);
    RedrawEmptyField(picture, g);
    for (int i = 0; i < g.n; ++i) {
        DrawTrace(picture, g, QPoint(i, 0), QPoint(i, g.n - 1));
        DrawPointMark(picture, g, qint16(i), qint16(i), QChar(0x0410));
    }
    return picture;
}

} // namespace

class TestGlyph : public QObject
{
    Q_OBJECT

private slots:
    void imageSet()
    {
        const QVector<QImage> &images = GlyphImages();
        QCOMPARE(images.size(), 16);
        for (const QImage &image : images) {
            QCOMPARE(image.size(), QSize(16, 16));
            QVERIFY(image.hasAlphaChannel());
        }
    }

    void rightPointer_data()
    {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<uint>("colour");  // 0: transparent
        QTest::newRow("tail on axis") << 0 << 7 << uint(kDarkRed);
        QTest::newRow("shaft top edge") << 4 << 5 << uint(kDarkRed);
        QTest::newRow("shaft bottom edge") << 4 << 9 << uint(kDarkRed);
        QTest::newRow("shaft inside") << 1 << 6 << uint(kRed);
        QTest::newRow("shaft on axis") << 5 << 7 << uint(kRed);
        QTest::newRow("above shaft") << 4 << 4 << 0u;
        QTest::newRow("below shaft") << 4 << 10 << 0u;
        QTest::newRow("base top") << 9 << 1 << uint(kDarkRed);
        QTest::newRow("base upper part") << 9 << 3 << uint(kDarkRed);
        QTest::newRow("base bottom") << 9 << 13 << uint(kDarkRed);
        QTest::newRow("base joins shaft") << 9 << 7 << uint(kRed);
        QTest::newRow("upper side") << 12 << 4 << uint(kDarkRed);
        QTest::newRow("lower side") << 12 << 10 << uint(kDarkRed);
        QTest::newRow("head inside") << 12 << 5 << uint(kRed);
        QTest::newRow("next to tip") << 14 << 7 << uint(kRed);
        QTest::newRow("tip") << 15 << 7 << uint(kDarkRed);
        QTest::newRow("beyond upper side") << 12 << 3 << 0u;
        QTest::newRow("beyond tip") << 15 << 6 << 0u;
        QTest::newRow("behind base") << 8 << 2 << 0u;
    }
    void rightPointer()
    {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(uint, colour);
        const QImage &image = GlyphImages().at(0);
        if (colour == 0)
            QVERIFY(Transparent(image, c, r));
        else
            QCOMPARE(image.pixel(c, r), QRgb(colour));
    }

    void rightPointerEmptyRows()
    {
        const QImage &image = GlyphImages().at(0);
        for (int r : {0, 14, 15})
            for (int c = 0; c < 16; ++c)
                QVERIFY(Transparent(image, c, r));
    }

    void turnedPointers_data()
    {
        QTest::addColumn<int>("image");
        QTest::addColumn<QPoint>("tip");       // opaque
        QTest::addColumn<QPoint>("opposite");  // transparent
        QTest::newRow("45") << 2 << QPoint(15, 0) << QPoint(0, 15);
        QTest::newRow("90") << 4 << QPoint(7, 0) << QPoint(0, 0);
        QTest::newRow("135") << 6 << QPoint(0, 0) << QPoint(15, 15);
        QTest::newRow("180") << 8 << QPoint(0, 8) << QPoint(0, 7);
        QTest::newRow("225") << 10 << QPoint(0, 15) << QPoint(15, 0);
        QTest::newRow("270") << 12 << QPoint(7, 15) << QPoint(15, 15);
        QTest::newRow("315") << 14 << QPoint(15, 15) << QPoint(0, 0);
    }
    void turnedPointers()
    {
        QFETCH(int, image);
        QFETCH(QPoint, tip);
        QFETCH(QPoint, opposite);
        const QImage &img = GlyphImages().at(image);
        QCOMPARE(img.pixel(tip), kDarkRed);
        QVERIFY(Transparent(img, opposite.x(), opposite.y()));
    }

    void quarterTurnsMatchTheRightPointer()
    {
        const QVector<QImage> &images = GlyphImages();
        for (int c = 0; c < 16; ++c)
            for (int r = 0; r < 16; ++r) {
                const QRgb px = images[0].pixel(c, r);
                QCOMPARE(images[4].pixel(r, 15 - c), px);       // up: turned left
                QCOMPARE(images[8].pixel(15 - c, 15 - r), px);  // left: half turn
                QCOMPARE(images[12].pixel(r, c), px);           // down: axis on column 7 like up
            }
    }

    void hollowTwins()
    {
        const QVector<QImage> &images = GlyphImages();
        for (int i = 1; i < 16; i += 2) {
            const QImage &filled = images[i - 1], &hollow = images[i];
            int clearInside = 0, white = 0;
            for (int r = 0; r < 16; ++r)
                for (int c = 0; c < 16; ++c) {
                    const QRgb f = filled.pixel(c, r), h = hollow.pixel(c, r);
                    const QString where = QStringLiteral("image %1 at (%2, %3)").arg(i).arg(c).arg(r);
                    if (qAlpha(f) == 0) {
                        QVERIFY2(qAlpha(h) == 0, qPrintable(where));
                    } else if (f == kDarkRed) {
                        QVERIFY2(h == kGrey, qPrintable(where));
                    } else {
                        QVERIFY2(f == kRed, qPrintable(where));
                        QVERIFY2(qAlpha(h) == 0 || h == kWhite, qPrintable(where));
                        clearInside += qAlpha(h) == 0;
                        white += h == kWhite;
                    }
                }
            QVERIFY2(clearInside > 0, qPrintable(QString::number(i)));
            QVERIFY2(white > 0, qPrintable(QString::number(i)));
        }
        // Image 1: grey outline, white line just inside, clear middle.
        QCOMPARE(images[1].pixel(0, 7), kGrey);
        QCOMPARE(images[1].pixel(1, 7), kWhite);
        QVERIFY(Transparent(images[1], 5, 7));
    }

    void placement_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("image");
        QTest::addColumn<QPoint>("offset");
        // u = 10, N = 12: S = 31, D = 15, o = 7.
        QTest::newRow("0") << 0 << 0 << QPoint(15, 9);
        QTest::newRow("45") << 45 << 2 << QPoint(15, 0);
        QTest::newRow("90") << 90 << 4 << QPoint(9, 0);
        QTest::newRow("135") << 135 << 6 << QPoint(0, 0);
        QTest::newRow("180") << 180 << 8 << QPoint(0, 8);
        QTest::newRow("225") << 225 << 10 << QPoint(0, 15);
        QTest::newRow("270") << 270 << 12 << QPoint(9, 15);
        QTest::newRow("315") << 315 << 14 << QPoint(15, 15);
        QTest::newRow("360") << 360 << 0 << QPoint(15, 9);
        QTest::newRow("none") << -1 << 0 << QPoint(0, 0);
        QTest::newRow("odd value") << 30 << 0 << QPoint(0, 0);
    }
    void placement()
    {
        QFETCH(int, direction);
        const Placement pl = GlyphPlacement(ComputeGeometry(10, 12), qint16(direction));
        QTEST(pl.image, "image");
        QTEST(pl.offset, "offset");
    }

    void blockedPlacement_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("image");
        QTest::addColumn<QPoint>("offset");
        // e = 15, g = 7.
        QTest::newRow("0") << 0 << 1 << QPoint(15, 8);
        QTest::newRow("90") << 90 << 5 << QPoint(8, 0);
        QTest::newRow("180") << 180 << 9 << QPoint(0, 7);
        QTest::newRow("270") << 270 << 13 << QPoint(8, 15);
        QTest::newRow("360") << 360 << 1 << QPoint(15, 8);
        QTest::newRow("45") << 45 << 1 << QPoint(0, 0);
    }
    void blockedPlacement()
    {
        QFETCH(int, direction);
        const Placement pl = BlockedGlyphPlacement(ComputeGeometry(10, 12), qint16(direction));
        QTEST(pl.image, "image");
        QTEST(pl.offset, "offset");
    }

    void placementTruncatesTowardZero()
    {
        Geometry g = ComputeGeometry(10, 12);
        g.s = 13;  // D = -3, o = -1 (not -2)
        QCOMPARE(GlyphPlacement(g, 0).offset, QPoint(-3, 1));
        QCOMPARE(GlyphPlacement(g, 180).offset, QPoint(0, 0));
        QCOMPARE(BlockedGlyphPlacement(g, 180).offset, QPoint(0, -1));
    }

    void drawnGlyph_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("image");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("(3,5) right") << 3 << 5 << 0 << 0 << QPoint(160, 240);
        QTest::newRow("(3,5) up") << 3 << 5 << 90 << 4 << QPoint(154, 231);
        QTest::newRow("(0,0) down") << 0 << 0 << 270 << 12 << QPoint(25, 31);
        // A turn frame from 0: image 2 against the square's top-right corner.
        QTest::newRow("(3,5) turn frame 45") << 3 << 5 << 45 << 2 << QPoint(160, 231);
    }
    void drawnGlyph()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, direction);
        QFETCH(int, image);
        QFETCH(QPoint, at);
        const Geometry g = ComputeGeometry(10, 12);
        const QImage before = EmptyField(g);
        QImage picture = before;
        DrawGlyph(picture, g, qint16(x), qint16(y), qint16(direction));
        QVERIFY(ShowsImage(before, picture, image, at));
        // Nothing else changed.
        QImage outside = picture;
        QPainter(&outside).drawImage(at, before.copy(QRect(at, QSize(16, 16))));
        QCOMPARE(outside, before);
    }

    void blockedGlyph()
    {
        const Geometry g = ComputeGeometry(10, 12);
        const QImage before = EmptyField(g);
        QImage picture = before;
        DrawBlockedGlyph(picture, g, 3, 5, 180);
        QVERIFY(ShowsImage(before, picture, 9, GlyphCorner(g, 3, 5) + QPoint(0, 7)));
    }

    void pointMark()
    {
        const Geometry g = ComputeGeometry(10, 12);
        QImage picture = EmptyField(g);
        DrawPointMark(picture, g, 3, 5, QChar(0x0410));
        const QPoint c = CellCentre(g, 3, 5);
        // The 8 x 8 round dot from (cx - 3, cy - 3).
        QCOMPARE(picture.pixel(c), kBlack);
        QCOMPARE(picture.pixel(c + QPoint(-3, 0)), kBlack);
        QCOMPARE(picture.pixel(c + QPoint(4, 1)), kBlack);
        QCOMPARE(picture.pixel(c + QPoint(0, 4)), kBlack);
        QCOMPARE(picture.pixel(c + QPoint(5, 0)), FaceColour().rgb());
        QCOMPARE(picture.pixel(c + QPoint(-4, 0)), FaceColour().rgb());
        QCOMPARE(picture.pixel(c + QPoint(-3, -3)), FaceColour().rgb());  // rounded corner
        QCOMPARE(picture.pixel(c + QPoint(4, 4)), FaceColour().rgb());
        // The letter: some black pixels in its cell above and left of the dot.
        int ink = 0;
        for (int r = c.y() - 13; r < c.y() - 3; ++r)
            for (int col = c.x() - 10; col < c.x() - 3; ++col)
                ink += picture.pixel(col, r) == kBlack;
        QVERIFY(ink > 5);
        // The letter's cell is opaque. With u = 8 and N = 15 (p = 27) it starts
        // right on the grid line above the cell, and covers it.
        const Geometry small = ComputeGeometry(8, 15);
        QImage lined = EmptyField(small);
        const QPoint c2 = CellCentre(small, 2, 2);
        const int row = c2.y() - 13;
        QCOMPARE(row, int(GridLine(small, 2)));
        QCOMPARE(lined.pixel(c2.x() - 10, row), GridColour().rgb());
        DrawPointMark(lined, small, 2, 2, QChar(0x0411));
        for (int col = c2.x() - 10; col < c2.x() - 7; ++col)
            QCOMPARE(lined.pixel(col, row), FaceColour().rgb());
    }

    // Whatever a drawing routine changes lies within the rectangle it
    // reports: showing the field copies only that.
    void reportedAreaCoversTheDrawing_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("12, inside") << 12 << QPoint(4, 7);
        QTest::newRow("12, top-left corner") << 12 << QPoint(0, 0);
        QTest::newRow("15, bottom-right corner") << 15 << QPoint(14, 14);
        QTest::newRow("12, beyond the edge") << 12 << QPoint(12, -1);
    }
    void reportedAreaCoversTheDrawing()
    {
        QFETCH(int, n);
        QFETCH(QPoint, cell);
        const Geometry g = ComputeGeometry(10, qint16(n));
        const qint16 x = qint16(cell.x()), y = qint16(cell.y());
        QImage under = NewPicture(g.s);
        under.fill(qRgb(1, 2, 3));  // unlike anything on the field
        Points points;
        points.ax = x;
        points.ay = y;
        points.adir = 90;
        points.bx = qint16(x + 1);
        points.by = y;

        const QVector<QPair<QString, std::function<QRect(QImage &)>>> routines = {
            {QStringLiteral("empty field"), [&](QImage &p) { return RedrawEmptyField(p, g); }},
            {QStringLiteral("restore"), [&](QImage &p) { return RestoreUnderGlyph(p, under, g, x, y); }},
            {QStringLiteral("mark А"), [&](QImage &p) { return DrawPointMark(p, g, x, y, QChar(0x0410)); }},
            {QStringLiteral("mark Б"), [&](QImage &p) { return DrawPointMark(p, g, x, y, QChar(0x0411)); }},
            {QStringLiteral("start"),
             [&](QImage &p) {
                 Executor e;
                 return PlaceExecutorAtStart(p, under, g, points, e);
             }},
        };
        QVector<QPair<QString, std::function<QRect(QImage &)>>> all = routines;
        for (qint16 d = 0; d <= 360; d = qint16(d + 45)) {
            all.append({QStringLiteral("glyph %1").arg(d), [&, d](QImage &p) { return DrawGlyph(p, g, x, y, d); }});
            all.append({QStringLiteral("blocked %1").arg(d),
                        [&, d](QImage &p) { return DrawBlockedGlyph(p, g, x, y, d); }});
        }
        for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            all.append({QStringLiteral("trace"), [&, step](QImage &p) { return DrawTrace(p, g, cell, cell + step); }});

        for (const auto &routine : all) {
            const QImage before = BusyField(g);
            QImage picture = before;
            const QRect reported = routine.second(picture);
            const QRect changed = Difference(before, picture);
            if (!changed.isNull() && !reported.contains(changed))
                QFAIL(qPrintable(QStringLiteral("%1 changed (%2, %3) %4 x %5 but reported (%6, %7) %8 x %9")
                                     .arg(routine.first)
                                     .arg(changed.x()).arg(changed.y()).arg(changed.width()).arg(changed.height())
                                     .arg(reported.x()).arg(reported.y()).arg(reported.width()).arg(reported.height())));
        }
    }

    void saveAndRestoreRoundTrip()
    {
        const Geometry g = ComputeGeometry(10, 12);
        QImage picture = EmptyField(g);
        DrawPointMark(picture, g, 2, 2, QChar(0x0410));
        const QImage before = picture;
        QImage under = NewPicture(g.s);
        SaveUnderGlyph(picture, under, g, 2, 2);
        QCOMPARE(under, before.copy(QRect(GlyphCorner(g, 2, 2), QSize(g.s, g.s))));
        DrawGlyph(picture, g, 2, 2, 90);
        QVERIFY(picture != before);
        RestoreUnderGlyph(picture, under, g, 2, 2);
        QCOMPARE(picture, before);

        // Cells at and beyond the edge are clipped, and still round-trip.
        for (QPoint cell : {QPoint(11, 11), QPoint(13, 0), QPoint(-1, -1), QPoint(300, -300)}) {
            const qint16 x = qint16(cell.x()), y = qint16(cell.y());
            SaveUnderGlyph(picture, under, g, x, y);
            DrawGlyph(picture, g, x, y, 0);
            DrawBlockedGlyph(picture, g, x, y, 0);
            RestoreUnderGlyph(picture, under, g, x, y);
            QCOMPARE(picture, before);
        }
    }

    void placeExecutorAtStart()
    {
        const Geometry g = ComputeGeometry(10, 12);
        QImage picture = EmptyField(g);
        QImage under = NewPicture(g.s);
        Points points;
        points.ax = 3;
        points.ay = 5;
        points.adir = 0;
        Executor executor;
        PlaceExecutorAtStart(picture, under, g, points, executor);
        QCOMPARE(executor.x, qint16(3));
        QCOMPARE(executor.y, qint16(5));
        QCOMPARE(executor.dir, qint16(0));

        // The save-under holds the mark of А but not the glyph.
        QImage marked = EmptyField(g);
        DrawPointMark(marked, g, 3, 5, QChar(0x0410));
        QCOMPARE(under, marked.copy(QRect(GlyphCorner(g, 3, 5), QSize(g.s, g.s))));
        // The glyph covers the dot's left half at the cell centre.
        QCOMPARE(picture.pixel(CellCentre(g, 3, 5)), kDarkRed);
        QVERIFY(ShowsImage(marked, picture, 0, QPoint(160, 240)));
    }

    void pointBOnPointACoversTheGlyph()
    {
        const Geometry g = ComputeGeometry(10, 12);
        QImage picture = EmptyField(g);
        QImage under = NewPicture(g.s);
        Points points;
        points.ax = points.bx = 3;
        points.ay = points.by = 5;
        points.adir = 0;
        Executor executor;
        PlaceExecutorAtStart(picture, under, g, points, executor);
        QCOMPARE(picture.pixel(CellCentre(g, 3, 5)), kBlack);
        // Б is not saved: leaving the cell shows А's mark only.
        QImage onlyA = EmptyField(g);
        DrawPointMark(onlyA, g, 3, 5, QChar(0x0410));
        QCOMPARE(under, onlyA.copy(QRect(GlyphCorner(g, 3, 5), QSize(g.s, g.s))));
    }

    void unsetPointsDrawNothing_data()
    {
        QTest::addColumn<int>("u");
        QTest::addColumn<int>("n");
        QTest::newRow("u 10, 12") << 10 << 12;
        QTest::newRow("u 8, 15") << 8 << 15;
        QTest::newRow("u 13, 12") << 13 << 12;
    }
    void unsetPointsDrawNothing()
    {
        QFETCH(int, u);
        QFETCH(int, n);
        const Geometry g = ComputeGeometry(qint16(u), qint16(n));
        const QImage empty = EmptyField(g);
        QImage picture = empty;
        QImage under = NewPicture(g.s);
        Points points;  // А (-1, -1, -1), Б (-1, -1)
        Executor executor;
        executor.x = 4;
        PlaceExecutorAtStart(picture, under, g, points, executor);
        QCOMPARE(picture, empty);
        QCOMPARE(executor.x, qint16(-1));
        QCOMPARE(executor.y, qint16(-1));
        QCOMPARE(executor.dir, qint16(-1));
    }

    // Every face is drawn in its own font or in its stand-in, never in
    // whatever the system falls back to (the layout is measured for them).
    void everyFaceHasItsFont()
    {
        for (const Face face : {Face::TimesNewRoman, Face::MsSerif, Face::Arial, Face::MsSansSerif}) {
            const QString family = FontFamily(face);
            const QStringList accepted = QStringList{family} + QFont::substitutes(family);
            const QString shown = QFontInfo(QFont(family)).family();
            // The toolkit keeps substitutes in lower case.
            QVERIFY2(accepted.contains(shown, Qt::CaseInsensitive), qPrintable(family + QStringLiteral(" is shown in ") + shown));
        }
    }
};

QTEST_MAIN(TestGlyph)
#include "tst_glyph.moc"
