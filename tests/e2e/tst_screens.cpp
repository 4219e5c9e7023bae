// The work window on the screen it is started on (an Xvfb of some size, or a
// Wayland compositor's output): the whole layout fits the client it is given,
// and the field's last grid row and the statistics panel's last row are shown
// above the status bar, on the pixels the window system shows.
//
// On a desktop started by desktop_run.sh (PUTEVOD_SCREENS_DESKTOP): under a
// window manager that tells the frame, the frame is docked, not maximised, at
// the top-left of the area PUTEVOD_SCREENS_AREA names and covers its whole
// width to the device pixel; under weston's XWayland, which names no work area
// (and, before weston 14, tells nothing of the frame), the window is maximised
// and lies wholly on the screen.
#include "app/PvPupilUnit.h"
#include "app/X11Desktop.h"
#include "tests/common/probe.h"
#include "field/geometry.h"
#include "field/layout.h"
#include "ui_PvPupilUnit.h"

#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>
#include <QtMath>
#include <QtTest>

class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void wholeLayoutShown();
};

void TestScreens::wholeLayoutShown()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const bool wayland = WorkWindowProbe::IsWayland();
    const QString desktop = qEnvironmentVariable("PUTEVOD_SCREENS_DESKTOP");
    const bool follows = wayland || desktop == QLatin1String("xwayland");
    const bool docked = !desktop.isEmpty() && !follows;

    TfrmPvPupil w;
    w.setWindowTitle(QStringLiteral("Путеводка"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 10000));
    // A compositor may first configure the window, then maximise it.
    const QSize output = screen->geometry().size();
    if (follows)
        QTRY_VERIFY2_WITH_TIMEOUT((w.windowState() & Qt::WindowMaximized) && w.width() > output.width() / 2, qPrintable(QStringLiteral("%1 x %2 on %3 x %4, state %5").arg(w.width()).arg(w.height()).arg(output.width()).arg(output.height()).arg(int(w.windowState()))), 10000);
    const qreal scale = w.devicePixelRatioF();
    QRect deviceArea;  // docked: the area the frame must fill, device pixels
    QMargins extents;  // docked: the frame's, device pixels
    if (docked) {
        const QStringList v = qEnvironmentVariable("PUTEVOD_SCREENS_AREA").split(QLatin1Char(','));
        QCOMPARE(v.size(), 4);
        deviceArea = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
        // The frame as the X server has it: the client's place and size
        // and the extents the window manager gives.
        auto frame = [&] {
            const QMargins e = x11desktop::FrameExtents(w.winId());
            const QPoint c = x11desktop::ClientPosition(w.winId());
            return QRect(c.x() - e.left(), c.y() - e.top(), qRound(w.width() * scale) + e.left() + e.right(),
                         qRound(w.height() * scale) + e.top() + e.bottom());
        };
        auto describe = [&] {
            const QRect f = frame();
            return QStringLiteral("frame %1,%2 %3 x %4 in %5,%6 %7 x %8, state %9")
                .arg(f.x()).arg(f.y()).arg(f.width()).arg(f.height()).arg(deviceArea.x())
                .arg(deviceArea.y()).arg(deviceArea.width()).arg(deviceArea.height()).arg(int(w.windowState()));
        };
        QTRY_VERIFY2_WITH_TIMEOUT(frame().topLeft() == deviceArea.topLeft(), qPrintable(describe()), 10000);
        QTest::qWait(300);
        const QRect f = frame();
        extents = x11desktop::FrameExtents(w.winId());
        QVERIFY2(f.topLeft() == deviceArea.topLeft() && f.right() >= deviceArea.right()
                     && f.bottom() <= deviceArea.bottom(), qPrintable(describe()));
        QVERIFY2(!(w.windowState() & Qt::WindowMaximized), qPrintable(describe()));
        qInfo("%s", qPrintable(describe()));
    }
    QTest::qWait(300);
    w.NMainBeginClick();
    w.NMainWorkClick();
    QCoreApplication::processEvents();
    QTest::qWait(200);

    const int u = In(w).u;
    QRect area = follows ? screen->geometry() : screen->availableGeometry();
    if (docked)  // what the frame leaves of the area, in logical pixels (rounded down)
        area = QRect(0, 0, w.width(), int((deviceArea.height() - extents.top() - extents.bottom()) / scale));
    QVERIFY2(u >= 1 && u <= output.width() / 100, qPrintable(QString::number(u)));
    // The client fits the screen (Wayland: the output; no window manager
    // here under X11: the work area from its top-left).
    QVERIFY2(w.width() <= area.width() && w.height() <= area.height(),
             qPrintable(QStringLiteral("%1 x %2 on %3 x %4").arg(w.width()).arg(w.height())
                            .arg(area.width()).arg(area.height())));
    // u is the largest that fits, as the layout routine says.
    const field::WindowLayout expected = field::ComputeWindowLayout(
        output.width(), QSize(w.width(), (follows ? w.height() : area.height()) - In(w).MenuHeight()));
    QCOMPARE(u, expected.u);

    QStatusBar *status = In(w).ui->StatusBar1;
    const int statusTop = status->mapTo(&w, QPoint(0, 0)).y();
    QCOMPARE(statusTop + status->height(), w.height());

    // The field's last grid row: from the last grid line down to the bottom bar.
    QWidget *image = In(w).ui->PaintImage;
    const QPoint fieldAt = image->mapTo(&w, QPoint(0, 0));
    const field::Geometry g = In(w).geometry;
    const int lastLine = fieldAt.y() + field::GridLine(g, qint16(g.n - 1));
    const int fieldBottom = fieldAt.y() + g.w;
    QVERIFY2(fieldBottom <= statusTop,
             qPrintable(QStringLiteral("field ends at %1, status bar at %2").arg(fieldBottom).arg(statusTop)));

    // The statistics panel's last row.
    auto *statistics = qobject_cast<QListWidget *>(In(w).ui->ListStatist);
    QVERIFY(statistics && statistics->isVisible() && statistics->count() > 0);
    const QRect lastRow = statistics->visualItemRect(statistics->item(statistics->count() - 1));
    const int rowBottom = statistics->viewport()->mapTo(&w, lastRow.bottomLeft()).y();
    QVERIFY2(rowBottom < statusTop,
             qPrintable(QStringLiteral("last statistics row ends at %1, status bar at %2").arg(rowBottom).arg(statusTop)));

    // Under XWayland the whole window, client and menu bar, lies on the screen.
    if (desktop == QLatin1String("xwayland")) {
        const QRect client(x11desktop::ClientPosition(w.winId()), w.size() * scale);
        QVERIFY2(QRect(QPoint(0, 0), x11desktop::RootSize()).contains(client),
                 qPrintable(QStringLiteral("client %1,%2 %3 x %4").arg(client.x()).arg(client.y())
                                .arg(client.width()).arg(client.height())));
    }

    // The pixels: under X11 those the X server shows, under Wayland the
    // window's own (a client cannot read the compositor's screen).
    QImage shown;
    QPoint origin;
    if (follows) {
        shown = w.grab().toImage();
    } else {
        shown = screen->grabWindow(0).toImage();
        origin = w.mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    }
    shown = shown.convertToFormat(QImage::Format_RGB32);
    // The device pixel that shows the middle of a pixel of the window's at its
    // scale factor (the field picture is scaled to the nearest pixel), from
    // where the client lies in device pixels.
    const QPoint deviceOrigin = follows ? QPoint(0, 0) : x11desktop::ClientPosition(w.winId());
    const auto px = [&](QPoint p) {
        p -= origin;
        return deviceOrigin + QPoint(qFloor((p.x() + 0.5) * scale), qFloor((p.y() + 0.5) * scale));
    };    // For a look at what was checked: PUTEVOD_SCREENS_SAVE=picture.png
    const QString save = qEnvironmentVariable("PUTEVOD_SCREENS_SAVE");
    if (!save.isEmpty())
        shown.save(save);
    // For a screenshot of the desktop: PUTEVOD_SCREENS_HOLD=milliseconds
    QTest::qWait(qEnvironmentVariableIntValue("PUTEVOD_SCREENS_HOLD"));
    const QRgb grid = field::GridColour().rgb();
    // Every horizontal grid line, the last one included, is drawn where the
    // field lies, and so is each row's vertical grid line.
    for (int k = 1; k < g.n; ++k) {
        const QPoint at = origin + fieldAt + QPoint(g.w / 2 + 1, field::GridLine(g, qint16(k)));
        QVERIFY2(px(at).y() < shown.height(), qPrintable(QStringLiteral("grid line %1 off screen").arg(k)));
        QCOMPARE(shown.pixel(px(at)) & 0xFFFFFF, grid & 0xFFFFFF);
    }
    for (int row = 0; row < g.n; ++row) {
        const QPoint at = origin + fieldAt
                          + QPoint(field::GridLine(g, 1), field::GridLine(g, 1) - g.p / 2 + row * g.p);
        QCOMPARE(shown.pixel(px(at)) & 0xFFFFFF, grid & 0xFFFFFF);
    }
    QVERIFY(lastLine < fieldBottom);
    // The status bar itself is on the screen.
    QVERIFY(deviceOrigin.y() + qRound(w.height() * scale) <= shown.height());
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
