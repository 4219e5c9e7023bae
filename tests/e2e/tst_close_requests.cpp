// The window manager's close request (a WM_DELETE_WINDOW client message,
// sent by another X client exactly as a window manager sends it) arriving
// at every moment of a run: during a line pause, the frames of a turn, the
// blinking at a wall, while the wall's message box is open, and during an
// endless run ended by the stop button. The run goes on to its end and the
// window closes then. While the program sleeps the request waits in the X
// queue, so where it is read depends on the real queue, which a direct
// close() does not go through.
#include "app/Dialogs.h"
#include "app/PvPupilUnit.h"
#include "tests/common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <xcb/xcb.h>

#include <chrono>
#include <thread>

namespace {

QStringList Listing(const QStringList &body)
{
    return QStringList{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("    Дано: Исполнитель в т.А"),
                       QStringLiteral("    Надо: Воспроизвести образец"), QStringLiteral("НАЧ")}
        + body + QStringList{QStringLiteral("КОН")};
}

// Another X client that asks a window to close.
class WindowManagerStandIn
{
public:
    WindowManagerStandIn()
    {
        c = xcb_connect(nullptr, nullptr);
        protocols = Intern("WM_PROTOCOLS");
        deleteWindow = Intern("WM_DELETE_WINDOW");
    }
    ~WindowManagerStandIn()
    {
        if (sender.joinable())
            sender.join();
        xcb_disconnect(c);
    }
    bool Ok() const { return !xcb_connection_has_error(c) && protocols && deleteWindow; }

    void RequestClose(quint32 window)
    {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols;
        event.data.data32[0] = deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        xcb_flush(c);
    }
    // From a thread of its own: the program may be asleep by then.
    void RequestCloseAfter(quint32 window, int ms)
    {
        sender = std::thread([this, window, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            RequestClose(window);
        });
    }

private:
    quint32 Intern(const char *name)
    {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(qstrlen(name)), name), nullptr);
        const quint32 atom = reply ? reply->atom : 0;
        free(reply);
        return atom;
    }

    xcb_connection_t *c = nullptr;
    quint32 protocols = 0, deleteWindow = 0;
    std::thread sender;
};

} // namespace

class TestCloseRequests : public WorkWindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        OpenWindow();
        dialogs::messageHook = nullptr;  // the wall's box is the real one
    }
    void cleanup() { CloseWindow(); }

    void closeDuringRun_data();
    void closeDuringRun();
};

void TestCloseRequests::closeDuringRun_data()
{
    const QString step = QStringLiteral("    ШАГ");
    QStringList twelveSteps;
    for (int i = 0; i < 12; ++i)
        twelveSteps << step;
    const QStringList endless = {QStringLiteral("    ПОКА впереди НЕ стена"), QStringLiteral("    НЦ"),
                                 QStringLiteral("        ПРЫЖОК"), QStringLiteral("        ПОВОРОТ"),
                                 QStringLiteral("        ПОВОРОТ"), QStringLiteral("    КЦ")};

    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QString>("speed");   // slow, fast, very fast, or turn frames only
    QTest::addColumn<int>("requestAt");   // ms after the start; -1: once the wall's box is open
    QTest::addColumn<int>("stopAt");      // ms after the start the stop button is pressed; -1: never
    QTest::addColumn<bool>("wall");       // the run ends at the wall
    QTest::newRow("line pause") << Listing({step, step}) << "slow" << 250 << -1 << false;
    QTest::newRow("turn frames") << Listing({QStringLiteral("    ПОВОРОТ")}) << "turn" << 300 << -1 << false;
    QTest::newRow("blinking at the wall") << Listing(twelveSteps) << "fast" << 600 << -1 << true;
    QTest::newRow("wall box open") << Listing(twelveSteps) << "very fast" << -1 << -1 << true;
    QTest::newRow("endless run, stop button") << Listing(endless) << "very fast" << 300 << 800 << false;
}

void TestCloseRequests::closeDuringRun()
{
    QFETCH(QStringList, listing);
    QFETCH(QString, speed);
    QFETCH(int, requestAt);
    QFETCH(int, stopAt);
    QFETCH(bool, wall);

    WindowManagerStandIn manager;
    QVERIFY(manager.Ok());
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->NMainBeginClick();
    w->NMainWorkClick();
    In(*w).listing->setStringList(listing);
    w->NMainDebugClick();
    const quint32 window = quint32(w->winId());

    // Ticks wherever events are processed: the run's check points and the
    // box's own loop. The window must stay open as long as the run lasts.
    QElapsedTimer clock;
    bool started = false, visibleThroughout = true, requested = false, stopped = false;
    QTimer driver;
    driver.setInterval(10);
    QElapsedTimer boxOpen;
    connect(&driver, &QTimer::timeout, this, [&] {
        if (!started)
            return;
        if (In(*w).running && !w->isVisible())
            visibleThroughout = false;
        if (stopAt >= 0 && !stopped && clock.elapsed() >= stopAt) {
            stopped = true;
            ui()->FixToolButtonStop->click();
        }
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!boxOpen.isValid()) {
            boxOpen.start();
            if (requestAt < 0 && !requested) {
                requested = true;
                manager.RequestClose(window);  // the close box behind the box
            }
        } else if (boxOpen.elapsed() >= 300) {
            box->button(QMessageBox::Ok)->click();  // Enter on "Error"
        }
    });
    driver.start();

    QTimer::singleShot(0, this, [&] {
        started = true;
        clock.start();
        if (requestAt >= 0) {
            requested = true;
            manager.RequestCloseAfter(window, requestAt);
        }
        if (speed == QLatin1String("slow"))
            ui()->FixToolButtonDo->click();
        else if (speed == QLatin1String("fast"))
            ui()->FixToolButtonQuick->click();
        else if (speed == QLatin1String("very fast"))
            ui()->FixToolButtonResult->click();
        else
            In(*w).StartRun(500, 0, 0);
    });
    QTRY_VERIFY_WITH_TIMEOUT(started && !In(*w).running, 30000);
    QTest::qWait(200);  // anything still on its way
    driver.stop();

    QVERIFY(requested);
    QVERIFY(visibleThroughout);
    QCOMPARE(boxOpen.isValid(), wall);
    if (stopAt < 0 && !wall)
        QCOMPARE(w->CurrentLine(), listing.size() - 1);  // the run went on to КОН
    QVERIFY(!w->isVisible());
    QVERIFY(!In(*w).closePending);
}

QTEST_MAIN(TestCloseRequests)
#include "tst_close_requests.moc"
