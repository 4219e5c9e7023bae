// The work window's layout unit and client height for the room it is given,
// the room a docked window has on a desktop with docks and panels, and the
// start window on a low screen.
#include "field/layout.h"

#include <QtTest>

using namespace field;

Q_DECLARE_METATYPE(QVector<field::Strut>)

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void table_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<int>("u");
        QTest::addColumn<int>("clientHeight");
        // The available size is the work area less the menu bar (20) and,
        // under a window manager, less a frame of 1 + 1 wide, 21 + 1 high.
        QTest::newRow("1024x768 bare") << 1024 << QSize(1024, 748) << 10 << 684;
        QTest::newRow("1024x768 framed") << 1024 << QSize(1022, 726) << 10 << 684;
        QTest::newRow("1366x768 bare") << 1366 << QSize(1366, 748) << 12 << 732;
        QTest::newRow("1366x768 framed") << 1366 << QSize(1364, 726) << 11 << 684;
        QTest::newRow("1920x1080 bare") << 1920 << QSize(1920, 1060) << 17 << 1017;
        QTest::newRow("1920x1080 framed") << 1920 << QSize(1918, 1038) << 17 << 1017;
        QTest::newRow("2560x1440 bare") << 2560 << QSize(2560, 1420) << 24 << 1416;
        // Lower than the usual window: u shrinks, the client takes what there is.
        QTest::newRow("1024x600 bare") << 1024 << QSize(1024, 580) << 9 << 580;
        QTest::newRow("1024x600 framed") << 1024 << QSize(1022, 558) << 8 << 558;
        // A compositor's maximised client at 1280 x 720 (title bar drawn by the client).
        QTest::newRow("wayland 1280x720") << 1280 << QSize(1280, 670) << 10 << 670;
        // Nothing fits: u stays 1 and the client takes what it needs.
        QTest::newRow("tiny") << 300 << QSize(300, 50) << 1 << 105;
        // The offscreen test screen.
        QTest::newRow("800x800") << 800 << QSize(800, 780) << 8 << 684;
    }
    void table()
    {
        QFETCH(int, screenWidth);
        QFETCH(QSize, available);
        const WindowLayout layout = ComputeWindowLayout(screenWidth, available);
        QTEST(layout.u, "u");
        QTEST(layout.clientHeight, "clientHeight");
        QCOMPARE(layout.clientWidth, available.width());
    }

    // Over a range of rooms: the listing, the field frame and the status bar
    // always fit in the client, the client never exceeds the room where u
    // could still shrink, and u is the largest that fits.
    void rule()
    {
        for (int width = 600; width <= 3000; width += 37) {
            for (int height = 100; height <= 1700; height += 13) {
                const WindowLayout l = ComputeWindowLayout(width, QSize(width, height));
                const QString where = QStringLiteral("%1 x %2").arg(width).arg(height);
                QVERIFY2(l.u >= 1 && l.u <= width / 100, qPrintable(where));
                QVERIFY2(26 + 57 * l.u + kStatusBarHeight <= l.clientHeight, qPrintable(where));
                QVERIFY2(l.u == 1 || l.clientHeight <= height, qPrintable(where));
                QVERIFY2(l.clientHeight >= qMin(height, kBaseClientHeight), qPrintable(where));
                if (l.u < width / 100)
                    QVERIFY2(26 + 57 * (l.u + 1) + kStatusBarHeight > height, qPrintable(where));
            }
        }
    }
};

class TestDocking : public QObject
{
    Q_OBJECT

private slots:
    // The docked window's area: clear of every strip a dock or panel
    // reserves across from it, whatever the work area says.
    void freeArea_data()
    {
        QTest::addColumn<QRect>("work");
        QTest::addColumn<QVector<Strut>>("struts");
        QTest::addColumn<QRect>("free");
        Strut topPanel;  // 27 px over the whole width
        topPanel.top = 27;
        topPanel.topEndX = 1365;
        Strut dock;  // 49 px at the bottom over x 530 to 835 only
        dock.bottom = 49;
        dock.bottomStartX = 530;
        dock.bottomEndX = 835;
        Strut left;  // 48 px down the left over y 100 to 400
        left.left = 48;
        left.leftStartY = 100;
        left.leftEndY = 400;
        Strut right;  // 30 px down the right over its lower half
        right.right = 30;
        right.rightStartY = 384;
        right.rightEndY = 767;
        Strut shortTop;  // 40 px at the top over x 0 to 99 only
        shortTop.top = 40;
        shortTop.topEndX = 99;
        const QRect screen(0, 0, 1366, 768);
        QTest::newRow("none") << screen << QVector<Strut>{} << screen;
        // A work area that leaves the dock's partial strip out, and one that takes it in.
        QTest::newRow("dock, work area without it") << QRect(0, 27, 1366, 741) << QVector<Strut>{topPanel, dock}
                                                    << QRect(0, 27, 1366, 692);
        QTest::newRow("dock, work area with it") << QRect(0, 27, 1366, 692) << QVector<Strut>{topPanel, dock}
                                                 << QRect(0, 27, 1366, 692);
        QTest::newRow("partial left and right") << screen << QVector<Strut>{left, right}
                                                << QRect(48, 0, 1366 - 48 - 30, 768);
        QTest::newRow("partial top") << screen << QVector<Strut>{shortTop} << QRect(0, 40, 1366, 728);
        // A strip on another monitor (right of this area) does not count.
        Strut elsewhere = dock;
        elsewhere.bottomStartX = 1400;
        elsewhere.bottomEndX = 2000;
        QTest::newRow("other monitor") << screen << QVector<Strut>{elsewhere} << screen;
        // A side strip only beside rows that the top and bottom strips already take.
        Strut lowLeft = left;
        lowLeft.leftStartY = 730;
        lowLeft.leftEndY = 767;
        QTest::newRow("side strip under the dock") << screen << QVector<Strut>{dock, lowLeft}
                                                   << QRect(0, 0, 1366, 719);
    }
    void freeArea()
    {
        QFETCH(QRect, work);
        QFETCH(QVector<Strut>, struts);
        QTEST(FreeArea(work, QSize(1366, 768), struts), "free");
    }

    // The client's room at any scale: the frame then covers the area's
    // whole width, never more than a device pixel too wide per scale step,
    // and the client never reaches below the area.
    void clientRoom()
    {
        const QRect area(0, 27, 2560, 1413);
        for (qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
            for (int side = 0; side <= 5; ++side) {
                const QMargins frame(side, 21, side, side);
                const QSize room = ClientRoom(area, frame, 20, scale);
                const QString where = QStringLiteral("scale %1, border %2").arg(scale).arg(side);
                const int clientWidth = qRound(room.width() * scale);
                QVERIFY2(clientWidth + 2 * side >= area.width(), qPrintable(where));
                QVERIFY2(clientWidth + 2 * side < area.width() + scale + 1, qPrintable(where));
                QVERIFY2(qRound((room.height() + 20) * scale) + 21 + side <= area.height(), qPrintable(where));
            }
        }
        // At scale 1 the room is what the frame leaves.
        QCOMPARE(ClientRoom(QRect(0, 0, 1366, 768), QMargins(1, 21, 1, 1), 20, 1.0), QSize(1364, 726));
    }

    // The start window keeps its size wherever it fits, and loses no more
    // than what is missing (its caption and frame are taken as 27 px).
    void startWindowCut()
    {
        QCOMPARE(StartWindowCut(768), 0);
        QCOMPARE(StartWindowCut(715), 0);
        QCOMPARE(StartWindowCut(714), 1);
        QCOMPARE(StartWindowCut(600), 115);
        QCOMPARE(StartWindowCut(300), kStartMaxCut);
    }
};

int main(int argc, char **argv)
{
    TestLayout layout;
    TestDocking docking;
    return QTest::qExec(&layout, argc, argv) | QTest::qExec(&docking, argc, argv);
}

#include "tst_layout.moc"
