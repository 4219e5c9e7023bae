// The work window's layout unit and client height for the room it is given.
#include "field/layout.h"

#include <QtTest>

using namespace field;

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

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
