// Benchmark of the main work window. It drives the real window through its
// handlers and prints one line per figure: name, value, unit, and where a
// limit or a target applies, the ratio to it.
//
//   putevod_bench [--reps N] [--width PIXELS] [--quick] [--only PART] [--verbose]
//
// --reps      passes of the very fast runs, drawing limit and roof to take the median of (3)
// --width     screen width the work window is laid out for (0: the screen's)
// --quick     fewer steps, insertions and start-ups, for a smoke run
// --only      one part alone (run, scale, slow, edit, startup, longline), e.g. under a profiler
// --verbose   the slow run's timeline and every insertion's time on stderr
//
// The start-up figure comes from child processes: the program runs itself
// with --startup-child, which builds the windows as the program's own entry
// does and reports when the start window is on screen and how much memory
// the process holds with the work window open.
#include "Dialogs.h"
#include "MainPupilUnit.h"
#include "PvPupilUnit.h"
#include "tests/common/probe.h"
#include "RegistrPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "editor/algfile.h"
#include "editor/editops.h"
#include "editor/listing.h"
#include "field/geometry.h"

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPaintEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>

namespace {

// ---------------------------------------------------------------------------
// Clock, output

qint64 NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double CpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec)
           + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

void Out(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

struct Target {
    enum Kind { None, AtLeast, Below } kind = None;
    double limit = 0;
};

int missedTargets = 0;
bool verbose = false;  // --verbose: each line's pause and each insertion on stderr

// One figure: name, value, unit; then the ratio to a limit measured in the
// same run and the target, where there are any.
void Figure(const char *name, double value, const QString &unit, Target target = {},
            const QString &extra = QString())
{
    QString line = QStringLiteral("%1 %2 %3")
                       .arg(QString::fromLatin1(name), -30)
                       .arg(value, 12, 'f', 3)
                       .arg(unit, -9);
    if (target.kind != Target::None) {
        const bool met = target.kind == Target::AtLeast ? value >= target.limit : value < target.limit;
        if (!met)
            ++missedTargets;
        line += QStringLiteral("  target %1 %2: ratio %3 %4")
                    .arg(target.kind == Target::AtLeast ? QStringLiteral(">=") : QStringLiteral("<"))
                    .arg(target.limit)
                    .arg(value / target.limit, 0, 'f', 3)
                    .arg(met ? QStringLiteral("met") : QStringLiteral("MISSED"));
    }
    if (!extra.isEmpty())
        line += QStringLiteral("  (") + extra + QLatin1Char(')');
    Out(line);
}

double Median(QVector<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const int n = int(v.size());
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Nearest-rank percentile: the smallest value that at least share p of the
// values do not exceed.
double Percentile(QVector<double> v, double p)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const int rank = int(std::ceil(p * v.size()));
    return v[qBound(1, rank, int(v.size())) - 1];
}

double Max(const QVector<double> &v)
{
    return v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end());
}

[[noreturn]] void Fail(const QString &why)
{
    Out(QStringLiteral("FAILED: ") + why);
    std::exit(2);
}

// Lets the window system show a window and paint it.
void WaitExposed(QWidget *w)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && (!w->windowHandle() || !w->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------
// Observers

// Counts the frames the field control paints and, by the executor's moves
// seen at each frame, the ШАГ made; raises the stop flag after `limit` of them.
class FrameCounter : public QObject
{
public:
    explicit FrameCounter(TfrmPvPupil *window) : w(window) { In(*w).ui->PaintImage->installEventFilter(this); }
    ~FrameCounter() override { In(*w).ui->PaintImage->removeEventFilter(this); }

    void Reset(int stepLimit)
    {
        frames = 0;
        steps = 0;
        limit = stepLimit;
        lastX = In(*w).executor.x;
        lastY = In(*w).executor.y;
    }

    TfrmPvPupil *w;
    int frames = 0;
    int steps = 0;
    int limit = 0;  // 0: never stop

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == In(*w).ui->PaintImage) {
            ++frames;
            const field::Executor &e = In(*w).executor;
            if (e.x != lastX || e.y != lastY) {
                // One ШАГ moves one cell; between two frames there is at most one.
                steps += std::abs(e.x - lastX) + std::abs(e.y - lastY);
                lastX = e.x;
                lastY = e.y;
                if (limit > 0 && steps >= limit)
                    In(*w).StopRequested = true;  // the stop button's flag
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint16 lastX = -1, lastY = -1;
};

// Records when a line of the listing becomes current, and when each
// synchronous repaint of the window has been painted and handed to the
// window system.
class Timeline : public QObject
{
public:
    struct Event {
        qint64 ns;
        int row;  // the line that became current (-2: none did), or kPainted
    };
    static const int kPainted = -1;  // a repaint finished

    explicit Timeline(TfrmPvPupil *window) : w(window)
    {
        qApp->installEventFilter(this);
        connection = QObject::connect(In(*w).ui->lstCom->selectionModel(), &QItemSelectionModel::currentChanged,
                                      [this](const QModelIndex &current, const QModelIndex &) {
                                          events.append({NowNs(), current.isValid() ? current.row() : -2});
                                      });
    }
    ~Timeline() override
    {
        QObject::disconnect(connection);
        qApp->removeEventFilter(this);
    }

    TfrmPvPupil *w;
    QVector<Event> events;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
        } else if (watched == w && event->type() == QEvent::UpdateRequest) {
            // A repaint sends the window an update request and paints and
            // flushes while handling it: let it happen, then note the time
            // if anything was painted.
            painted = false;
            static_cast<QObject *>(w)->event(event);
            if (painted)
                events.append({NowNs(), kPainted});
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool painted = false;

    QMetaObject::Connection connection;
};

// ---------------------------------------------------------------------------
// The work window

struct Options {
    int reps = 3;
    int width = 0;
    bool quick = false;
    QByteArray only;  // one part: run, scale, slow, edit, startup or longline
    bool Does(const char *part) const { return only.isEmpty() || only == part; }
};

QStringList KeyTexts(const QStringList &lines)
{
    QStringList keys;
    for (const QString &l : lines)
        keys << editor::KeyText(l);
    return keys;
}

void Check(bool ok, const char *what)
{
    if (!ok)
        Fail(QString::fromUtf8(what));
}

// Point А through the points panel, as the pupil sets it.
void SetPointA(TfrmPvPupil &w, int x, int y, const QString &direction)
{
    w.NMainPointsClick();
    In(w).ui->CheckBoxA->setChecked(true);
    In(w).ui->EditAX->setText(QString::number(x));
    In(w).ui->EditAY->setText(QString::number(y));
    In(w).ui->ComboBoxTo->setEditText(direction);
    In(w).ui->CheckBoxB->setChecked(false);
    w.NMainPointsClick();
}

// Разработка with point А at (0, 0) facing down and a fresh algorithm.
void StartWork(TfrmPvPupil &w)
{
    if (In(w).stage == TfrmPvPupil::Stage::Initial)
        w.NMainBeginClick();
    w.NMainWorkClick();
    Check(In(w).stage == TfrmPvPupil::Stage::Work, "the work stage did not open");
    SetPointA(w, 0, 0, QStringLiteral("вниз"));
    Check(In(w).points.ax == 0 && In(w).points.ay == 0 && In(w).points.adir == 270, "point А was not set");
    w.N4Click();  // Удалить тело алгоритма: the five frame lines, КОН current
}

// The edge walk, put together with the command panel:
//   ПОКА впереди НЕ стена / НЦ / ШАГ / ЕСЛИ впереди стена / ТО / ПОВОРОТ / ВСЁ / КЦ
// From a corner along an edge, a ШАГ ends either before a wall, and then the
// counter-clockwise ПОВОРОТ faces along the next edge, or with a free cell
// ahead; so the loop's condition holds at every test and the walk never ends.
void BuildEdgeWalk(TfrmPvPupil &w)
{
    StartWork(w);
    w.PPButtonWhileClick();
    w.ButtonWhileNotClick();  // ПОКА впереди НЕ стена, НЦ, КЦ; КЦ current
    w.PPButtonStepClick();    // ШАГ before КЦ
    w.PPButtonIfClick();
    w.ButtonIfClick();        // ЕСЛИ впереди стена, ТО, ИНАЧЕ, ВСЁ; ИНАЧЕ current
    w.PPButtonTurnClick();    // ПОВОРОТ in the ТО branch
    w.N2Click();              // Удалить ветвь ИНАЧЕ
    const QStringList expected = {editor::kTitle, QStringLiteral("Дано: Исполнитель в т.А"),
                                  QStringLiteral("Надо: Воспроизвести образец"), editor::kStart,
                                  editor::kWhileNotWall, editor::kLoopBegin, editor::kStep,
                                  editor::kIfWall, editor::kThen, editor::kTurn, editor::kBranchEnd,
                                  editor::kLoopEnd, editor::kEnd};
    if (KeyTexts(w.Lines()) != expected)
        Fail(QStringLiteral("the edge walk came out as:\n") + w.Lines().join(QLatin1Char('\n')));
}

// 11 ШАГ down the left edge, ПОВОРОТ, 4 ШАГ along the bottom: with the four
// frame lines, 20 lines that each pause once.
void BuildSlowListing(TfrmPvPupil &w)
{
    StartWork(w);
    for (int i = 0; i < 11; ++i)
        w.PPButtonStepClick();
    w.PPButtonTurnClick();
    for (int i = 0; i < 4; ++i)
        w.PPButtonStepClick();
    Check(w.Lines().size() == 21, "the slow listing has the wrong length");
}

void EnterDebug(TfrmPvPupil &w)
{
    w.NMainDebugClick();
    Check(In(w).stage == TfrmPvPupil::Stage::Debug, "the debug stage did not open");
}

// ---------------------------------------------------------------------------
// Very fast run and the drawing limit

// What the window system shows where the widget is, against what the widget
// paints: a part painted too little would differ. Only a real X server can
// be asked.
void CheckOnScreen(QWidget *widget, const char *what)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    QCoreApplication::processEvents();
    QScreen *screen = widget->screen();
    const QPoint at = widget->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    const QImage shown = screen->grabWindow(0, at.x(), at.y(), widget->width(), widget->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QImage own = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown != own)
        Fail(QStringLiteral("the screen does not show what %1 paints").arg(QString::fromLatin1(what)));
}

// The edge walk's cells, counter-clockwise from (0, 0): down, right, up, left.
QPoint EdgeCell(int n, int i)
{
    const int side = n - 1;
    i %= 4 * side;
    if (i < side)
        return QPoint(0, i);
    if (i < 2 * side)
        return QPoint(i - side, side);
    if (i < 3 * side)
        return QPoint(side, 3 * side - i);
    return QPoint(4 * side - i, 0);
}

// Frame i of the edge walk with no engine: a 5-pixel segment of the ШАГ that
// frame belongs to (two frames a ШАГ) drawn into the picture. The two frames
// of a ШАГ draw it in two greys, neither the trace's, so that every frame
// changes the picture. Returns the rectangle drawn into.
QRect DrawEdgeSegment(QImage &picture, const field::Geometry &g, int i)
{
    const QPoint a = EdgeCell(g.n, i / 2), b = EdgeCell(g.n, i / 2 + 1);
    const QPoint from = field::CellCentre(g, qint16(a.x()), qint16(a.y())) + QPoint(1, 1);
    const QPoint to = field::CellCentre(g, qint16(b.x()), qint16(b.y())) + QPoint(1, 1);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int grey = i % 2 ? 0xa0 : 0x90;
    painter.setPen(QPen(QColor(grey, grey, grey), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    return QRect(from, to).normalized().adjusted(-3, -3, 3, 3) & picture.rect();
}

// The toolkit's own frame path on this display, with nothing of the
// program: an opaque top-level widget of the field picture's size that
// paints from a picture of its own.
class RoofView : public QWidget
{
public:
    explicit RoofView(int side) : picture(side, side, QImage::Format_RGB32)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(side, side);
        picture.fill(field::FaceColour());
    }
    QImage picture;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        const QRect r = event->rect();
        painter.drawImage(r.topLeft(), picture, r);
        ++paints;
    }
};

// Frames per second of the roof: one segment drawn and repaint() of its
// rectangle per frame, along the same edge walk. The widget covers the field
// control, so the same part of the screen is written to.
double MeasureRoof(TfrmPvPupil &w, int frames)
{
    RoofView roof(In(w).geometry.w);
    roof.move(In(w).ui->PaintImage->mapToGlobal(QPoint(0, 0)));
    roof.show();
    WaitExposed(&roof);
    roof.paints = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < frames; ++i)
        roof.repaint(DrawEdgeSegment(roof.picture, In(w).geometry, i));
    const qint64 ns = t.nsecsElapsed();
    if (roof.paints != frames)
        Fail(QStringLiteral("%1 of %2 roof frames were painted").arg(roof.paints).arg(frames));
    CheckOnScreen(&roof, "the roof widget");
    roof.hide();
    QCoreApplication::processEvents();
    return frames / (ns / 1e9);
}

struct RunFigures {
    double stepsPerSecond = 0;
    int runFrames = 0;
};

// A very fast run of the listing in the window, stopped through the stop
// flag after `steps` ШАГ.
RunFigures MeasureVeryFastRun(TfrmPvPupil &w, int steps)
{
    RunFigures f;
    FrameCounter counter(&w);
    EnterDebug(w);
    counter.Reset(steps);
    QElapsedTimer t;
    t.start();
    w.FixToolButtonResultClick();
    const qint64 runNs = t.nsecsElapsed();
    Check(!In(w).running, "the run did not end");
    if (counter.steps != steps)
        Fail(QStringLiteral("the run made %1 ШАГ, not %2: did it stop by itself?")
                 .arg(counter.steps)
                 .arg(steps));
    f.stepsPerSecond = steps / (runNs / 1e9);
    f.runFrames = counter.frames;
    CheckOnScreen(In(w).ui->PaintImage, "the field");
    CheckOnScreen(In(w).ui->lstCom, "the listing");
    return f;
}

// The program's own frame path with no engine: `frames` segments drawn into
// the field picture, each shown with ShowField.
double MeasureDrawingLimit(TfrmPvPupil &w, int frames)
{
    FrameCounter counter(&w);
    counter.Reset(0);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < frames; ++i) {
        In(w).fieldDirty |= DrawEdgeSegment(In(w).fieldPicture, In(w).geometry, i);
        In(w).ShowField();
    }
    const qint64 drawNs = t.nsecsElapsed();
    if (counter.frames != frames)
        Fail(QStringLiteral("%1 of %2 field frames were painted").arg(counter.frames).arg(frames));
    CheckOnScreen(In(w).ui->PaintImage, "the field");
    return frames / (drawNs / 1e9);
}

// ---------------------------------------------------------------------------
// Slow run

struct SlowFigures {
    QVector<double> deviationsMs;  // measured pause - 500 ms, one per line
    double cpuSeconds = 0;
    double wallSeconds = 0;
};

SlowFigures MeasureSlowRun(TfrmPvPupil &w)
{
    BuildSlowListing(w);
    EnterDebug(w);
    QCoreApplication::processEvents();

    SlowFigures f;
    Timeline timeline(&w);
    const double cpu0 = CpuSeconds();
    QElapsedTimer t;
    t.start();
    w.FixToolButtonDoClick();
    f.wallSeconds = t.nsecsElapsed() / 1e9;
    f.cpuSeconds = CpuSeconds() - cpu0;

    // A line's pause: from the last repaint shown for it to the moment the
    // next line becomes current. The first event is line 0 made current as
    // the run starts; the last is КОН made current as it ends.
    const auto &ev = timeline.events;
    qint64 lastPaint = -1;
    bool started = false;
    for (const Timeline::Event &e : ev) {
        if (e.row == Timeline::kPainted) {
            lastPaint = e.ns;
            continue;
        }
        if (started && lastPaint >= 0)
            f.deviationsMs << (e.ns - lastPaint) / 1e6 - In(w).LinePause;
        started = true;
        lastPaint = e.ns;
    }
    if (verbose) {
        for (const Timeline::Event &e : ev)
            std::fprintf(stderr, "%12.3f ms  %s %d\n", (e.ns - ev.first().ns) / 1e6,
                         e.row == Timeline::kPainted ? "painted" : "current line", e.row);
    }
    if (f.deviationsMs.size() != 20)
        Fail(QStringLiteral("the slow run showed %1 line pauses, not 20").arg(f.deviationsMs.size()));
    return f;
}

// ---------------------------------------------------------------------------
// Editing at scale

// A listing of `total` lines: the frame, then a body of loops, branches,
// commands, comments and calls repeated, then the procedure they call.
QStringList LongListing(int total)
{
    using namespace editor;
    QStringList lines = FrameLines();
    int k = 4;
    auto apply = [&](const Edit &e) {
        editor::ApplyEdit(lines, e);
        if (e.current >= 0)
            k = e.current;
    };
    apply(InsertCommand(lines, k, kStep));
    apply(InsertCommand(lines, k, kTurn));
    apply(InsertLoop(lines, k, true));
    apply(InsertCommand(lines, k, kJump));
    apply(InsertBranch(lines, k, false));
    apply(InsertCommand(lines, k, kTurn));
    k = int(lines.indexOf(lines.filter(kBranchEnd).first()));
    apply(InsertCommand(lines, k, kStep));
    k = int(lines.indexOf(kEnd));
    apply(InsertComment(lines, k, QStringLiteral("обход")));
    k = int(lines.indexOf(kEnd));
    apply(InsertCall(lines, k, QStringLiteral("КРУГ")));

    const int end = int(lines.indexOf(kEnd));
    const QStringList head = lines.mid(0, 4);
    const QStringList body = lines.mid(4, end - 4);
    const QStringList tail = lines.mid(end);  // КОН and the procedure
    QStringList result = head;
    while (result.size() + body.size() + tail.size() <= total)
        result += body;
    while (result.size() + tail.size() < total)
        result << QStringLiteral("   ") + kStep;
    result += tail;
    return result;
}

struct EditFigures {
    QVector<double> insertMs;
    // For each insertion, what the system did meanwhile: page faults taken,
    // and times the process was preempted (involuntary context switches).
    QVector<long> insertFaults, insertPreemptions;
    QVector<double> loadMs;
    QVector<double> saveMs;
};

EditFigures MeasureEditing(TfrmPvPupil &w, int insertions, int fileReps)
{
    EditFigures f;
    StartWork(w);
    const QStringList big = LongListing(10000);
    Check(big.size() == 10000, "the long listing has the wrong length");
    In(w).listing->setStringList(big);
    w.SetCurrentLine(4);
    In(w).RecountStatistics();
    QCoreApplication::processEvents();

    // Insertions through the command handlers at rows spread over the
    // listing; each timed up to the repaint that shows it.
    const std::function<void()> handlers[] = {
        [&] { w.PPButtonStepClick(); },
        [&] { w.PPButtonTurnClick(); },
        [&] { w.PPButtonJumpClick(); },
        [&] {
            w.PPButtonWhileClick();
            w.ButtonWhileNotClick();
        },
        [&] {
            w.PPButtonIfClick();
            w.ButtonIfClick();
        },
    };
    quint32 seed = 12345;
    for (int i = 0; i < insertions; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int row = 4 + int((seed >> 8) % quint32(In(w).listing->rowCount() - 5));
        w.SetCurrentLine(row);
        QCoreApplication::processEvents();
        const int before = In(w).listing->rowCount();
        rusage r0{}, r1{};
        getrusage(RUSAGE_SELF, &r0);
        QElapsedTimer t;
        t.start();
        handlers[i % 5]();
        const double handlerMs = t.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
        f.insertMs << t.nsecsElapsed() / 1e6;
        getrusage(RUSAGE_SELF, &r1);
        f.insertFaults << r1.ru_minflt - r0.ru_minflt + r1.ru_majflt - r0.ru_majflt;
        f.insertPreemptions << r1.ru_nivcsw - r0.ru_nivcsw;
        if (verbose)
            std::fprintf(stderr,
                         "insertion %d before row %d: %.3f ms, of which the handler %.3f ms; "
                         "%ld page faults, %ld waits, %ld preemptions\n",
                         i, row, f.insertMs.last(), handlerMs, r1.ru_minflt - r0.ru_minflt,
                         r1.ru_nvcsw - r0.ru_nvcsw, r1.ru_nivcsw - r0.ru_nivcsw);
        Check(In(w).listing->rowCount() > before, "an insertion inserted nothing");
    }

    // Saving and loading a 10,000-line file through the context menu.
    QTemporaryDir dir;
    Check(dir.isValid(), "no temporary folder");
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    dialogs::fileHook = [&](const dialogs::FileRequest &) { return path; };
    In(w).listing->setStringList(big);
    for (int i = 0; i < fileReps; ++i) {
        QFile::remove(path);
        QElapsedTimer t;
        t.start();
        w.N10Click();
        f.saveMs << t.nsecsElapsed() / 1e6;
        Check(QFile::exists(path), "the file was not saved");
    }
    for (int i = 0; i < fileReps; ++i) {
        In(w).listing->setStringList(editor::FrameLines());
        w.SetCurrentLine(4);
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        w.N11Click();
        QCoreApplication::processEvents();
        f.loadMs << t.nsecsElapsed() / 1e6;
        Check(In(w).listing->rowCount() == 10000, "the file did not load");
    }
    dialogs::fileHook = nullptr;
    w.N4Click();
    QCoreApplication::processEvents();
    return f;
}

// ---------------------------------------------------------------------------
// A very long line
//
// A file just under the loader's limit: the frame with one line of about
// 1,048,000 characters (words of Cyrillic letters and spaces), once right
// after НАЧ and once as the last line, after КОН. Each action a pupil takes is
// timed up to the repaint that shows it, with this listing and with the same
// listing whose long line is short; the figure is the worst difference. The
// file must save back byte for byte.

struct LongLineFigures {
    QStringList actions;
    QVector<double> ordinaryMs;
    QVector<double> longMs;
    int lineLength = 0;
    qint64 fileBytes = 0;
    bool roundTrip = true;
};

QByteArray LongLineFile(bool longLine, int row, int *lineLength)
{
    QStringList lines = editor::FrameLines();
    QString line = QStringLiteral("обход поля ");
    if (longLine) {
        const qint64 room = editor::kMaxAlgorithmFileSize - editor::FormatAlgorithm(lines).size() - 2 - 8;
        const QString word = QStringLiteral("путеводка ");
        line.clear();
        line.reserve(int(room));
        while (line.size() + word.size() <= room)
            line += word;
    }
    lines.insert(row, line);
    *lineLength = int(line.size());
    return editor::FormatAlgorithm(lines);
}

// Times one action up to the repaint that shows it (ms).
double TimeAction(const std::function<void()> &action)
{
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    action();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

LongLineFigures MeasureLongLine(TfrmPvPupil &w)
{
    LongLineFigures f;
    QTemporaryDir dir;
    Check(dir.isValid(), "no temporary folder");
    const QString in = dir.filePath(QStringLiteral("in.txt"));
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    for (int row : {4, 5}) {
        for (bool longLine : {false, true}) {
            int length = 0;
            const QByteArray bytes = LongLineFile(longLine, row, &length);
            QFile file(in);
            Check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "the file was not written");
            file.close();
            if (longLine) {
                f.lineLength = length;
                f.fileBytes = bytes.size();
                Check(bytes.size() <= editor::kMaxAlgorithmFileSize, "the file is over the limit");
            }
            StartWork(w);
            QVector<double> &ms = longLine ? f.longMs : f.ordinaryMs;
            QString answer;
            dialogs::fileHook = [&](const dialogs::FileRequest &) { return answer; };
            QStringList names;
            auto time = [&](const char *name, const std::function<void()> &action) {
                names << QStringLiteral("%1 (row %2)").arg(QString::fromLatin1(name)).arg(row);
                ms << TimeAction(action);
            };
            answer = in;
            time("load", [&] { w.N11Click(); });
            Check(In(w).listing->rowCount() == 6 && w.Lines().at(row).size() == length, "the file did not load");
            time("click_long_line", [&] {
                w.SetCurrentLine(row);
                w.lstComClick(row);
            });
            time("insert_before_it", [&] { w.PPButtonStepClick(); });
            time("delete_line", [&] {
                w.SetCurrentLine(row);
                w.N1Click();
            });
            Check(w.Lines().at(row).size() == length, "the listing did not come back");
            time("scroll_right", [&] {
                QScrollBar *bar = In(w).ui->lstCom->horizontalScrollBar();
                bar->setValue(bar->maximum());
            });
            time("debug_stage", [&] { w.NMainDebugClick(); });
            time("very_fast_run", [&] { w.FixToolButtonResultClick(); });
            time("stop_button", [&] { w.FixToolButtonStopClick(); });
            time("work_stage", [&] { w.NMainWorkClick(); });
            answer = out;
            time("save", [&] { w.N10Click(); });
            // The load dialog itself, shown and closed again.
            dialogs::fileHook = nullptr;
            time("load_dialog", [&] {
                QTimer::singleShot(0, [] {
                    if (QWidget *dialog = QApplication::activeModalWidget())
                        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                });
                w.N11Click();
            });
            if (longLine) {
                QFile saved(out);
                f.roundTrip = f.roundTrip && saved.open(QIODevice::ReadOnly) && saved.readAll() == bytes;
            } else {
                f.actions += names;
            }
        }
    }
    w.N4Click();
    QCoreApplication::processEvents();
    return f;
}

// ---------------------------------------------------------------------------
// Scaling of the very fast run

// The edge walk at the top of a listing of `total` lines; the lines after its
// endless loop are never reached.
void BuildLongEdgeWalk(TfrmPvPupil &w, int total)
{
    BuildEdgeWalk(w);
    const QStringList walk = w.Lines();
    const QStringList rest = LongListing(total - 8);
    const QStringList lines = rest.mid(0, 4) + walk.mid(4, 8) + rest.mid(4);
    Check(lines.size() == total, "the long edge walk has the wrong length");
    In(w).listing->setStringList(lines);
    w.SetCurrentLine(4);
    In(w).RecountStatistics();
    QCoreApplication::processEvents();
}

// The field made n cells a side through the size submenu.
void SetFieldSize(TfrmPvPupil &w, int n)
{
    QAction *items[] = {In(w).ui->N1212, In(w).ui->N1313, In(w).ui->N1414, In(w).ui->N1515};
    items[n - 12]->trigger();
    Check(In(w).geometry.n == n, "the field size did not change");
    QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------
// Start-up (child process side)

qint64 ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Notes the first time a window's contents are painted.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) { window->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void WaitPainted(const FirstPaint &p)
{
    QElapsedTimer t;
    t.start();
    // The paint and the flush to the window system happen in one pass of
    // event processing: once it has returned, the window is on screen.
    while (!p.painted && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

int StartupChild(int argc, char **argv, qint64 startNs)
{
    // The program's own start-up order.
    QApplication app(argc, argv);
    QApplication::setApplicationName(dialogs::kApplicationTitle);
    frmMainPupil = new TfrmMainPupil;
    frmPvPupil = new TfrmPvPupil;
    frmRegistrPupil = new TfrmRegistrPupil(frmMainPupil);

    FirstPaint startShown(frmMainPupil);
    frmMainPupil->show();
    WaitPainted(startShown);
    const qint64 shownNs = NowNs();
    if (!startShown.painted)
        return 3;

    // The work window open, as after signing in.
    FirstPaint workShown(frmPvPupil);
    frmPvPupil->show();
    frmPvPupil->NMainBeginClick();
    frmPvPupil->NMainWorkClick();
    WaitPainted(workShown);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    std::printf("startup_ns %lld rss_kb %lld\n", static_cast<long long>(shownNs - startNs),
                static_cast<long long>(ResidentKb()));
    std::fflush(stdout);
    delete frmPvPupil;
    delete frmMainPupil;
    return 0;
}

struct StartupFigures {
    QVector<double> startMs;
    QVector<double> rssMiB;
};

StartupFigures MeasureStartup(const QString &program, int count)
{
    StartupFigures f;
    for (int i = 0; i < count; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const qint64 start = NowNs();
        child.start(program, {QStringLiteral("--startup-child"), QString::number(start)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            Fail(QStringLiteral("the start-up child failed"));
        const QList<QByteArray> words = child.readAllStandardOutput().simplified().split(' ');
        if (words.size() != 4)
            Fail(QStringLiteral("the start-up child said nothing useful"));
        f.startMs << words[1].toLongLong() / 1e6;
        f.rssMiB << words[3].toLongLong() / 1024.0;
    }
    return f;
}

QString Listing(const QStringList &lines)
{
    QString text;
    for (const QString &l : lines)
        text += QStringLiteral("#   ") + l + QLatin1Char('\n');
    text.chop(1);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--startup-child") == 0)
        return StartupChild(1, argv, QByteArray(argv[2]).toLongLong());

    Options options;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--reps" && i + 1 < argc)
            options.reps = qMax(1, QByteArray(argv[++i]).toInt());
        else if (a == "--width" && i + 1 < argc)
            options.width = QByteArray(argv[++i]).toInt();
        else if (a == "--quick")
            options.quick = true;
        else if (a == "--only" && i + 1 < argc)
            options.only = argv[++i];
        else if (a == "--verbose")
            verbose = true;
        else {
            std::fprintf(stderr,
                         "usage: %s [--reps N] [--width PIXELS] [--quick] [--only PART] [--verbose]\n",
                         argv[0]);
            return 1;
        }
    }
    const int steps = options.quick ? 2000 : 20000;

    QApplication app(argc, argv);
    QApplication::setApplicationName(dialogs::kApplicationTitle);
    dialogs::messageHook = [](const dialogs::MessageRecord &m) {
        Fail(QStringLiteral("unexpected message box: ") + m.text);
    };
    // Loading over a changed listing asks first; the bench goes on without
    // saving, as a pupil answering "Нет" would.
    dialogs::questionHook = [](const dialogs::MessageRecord &) { return dialogs::Answer::No; };

    const QScreen *screen = QGuiApplication::primaryScreen();
    Out(QStringLiteral("# platform %1, screen %2 x %3")
            .arg(QGuiApplication::platformName())
            .arg(screen ? screen->geometry().width() : 0)
            .arg(screen ? screen->geometry().height() : 0));

    // Start-up first, while the machine is quiet.
    StartupFigures startup;
    if (options.Does("startup"))
        startup = MeasureStartup(QCoreApplication::applicationFilePath(), options.quick ? 2 : 7);

    TfrmPvPupil w(options.width);
    w.show();
    WaitExposed(&w);
    BuildEdgeWalk(w);
    Out(QStringLiteral("# work window %1 x %2, field %3 x %3 cells of %4 px, picture %5 px")
            .arg(w.width())
            .arg(w.height())
            .arg(In(w).geometry.n)
            .arg(In(w).geometry.p)
            .arg(In(w).geometry.w));

    QVector<double> stepRates, frameRates, ratios, roofRates, roofRatios;
    QVector<double> longRates, wideRates;
    const int rounds = options.quick ? 2 : 10;  // of the very fast run in each pass
    if (options.Does("run"))
        Out(QStringLiteral("# very fast listing:\n") + Listing(w.Lines()));
    for (int r = 0; r < options.reps && (options.Does("run") || options.Does("scale")); ++r) {
        if (options.Does("run")) {
            // The run, the drawing limit and the roof take turns in rounds of
            // a tenth of the ШАГ each, so that all three meet the same load on
            // a shared machine; each is timed over its rounds together.
            const int chunk = steps / rounds;
            double runS = 0, limitS = 0, roofS = 0;
            int runFrames = 0;
            for (int k = 0; k < rounds; ++k) {
                BuildEdgeWalk(w);
                const RunFigures run = MeasureVeryFastRun(w, chunk);
                runS += chunk / run.stepsPerSecond;
                runFrames += run.runFrames;
                // The same number of frames as the run's ШАГ make, two each.
                limitS += 2 * chunk / MeasureDrawingLimit(w, 2 * chunk);
                roofS += 2 * chunk / MeasureRoof(w, 2 * chunk);
            }
            const double stepRate = rounds * chunk / runS;
            const double frameRate = 2 * rounds * chunk / limitS;
            const double roof = 2 * rounds * chunk / roofS;
            stepRates << stepRate;
            frameRates << frameRate;
            ratios << stepRate / (frameRate / 2);
            roofRates << roof;
            roofRatios << stepRate * 2 / roof;
            Out(QStringLiteral("#   pass %1: %2 ШАГ/s, drawing limit %3 frames/s, roof %4 frames/s, "
                               "%5 frames in the run")
                    .arg(r + 1)
                    .arg(stepRate, 0, 'f', 1)
                    .arg(frameRate, 0, 'f', 1)
                    .arg(roof, 0, 'f', 1)
                    .arg(runFrames));
        }
        if (options.Does("scale")) {
            BuildLongEdgeWalk(w, 10000);
            longRates << MeasureVeryFastRun(w, steps).stepsPerSecond;
            BuildEdgeWalk(w);
            SetFieldSize(w, 15);
            wideRates << MeasureVeryFastRun(w, steps).stepsPerSecond;
            SetFieldSize(w, 12);
            Out(QStringLiteral("#   pass %1: 10,000 lines %2 ШАГ/s, field 15 %3 ШАГ/s")
                    .arg(r + 1)
                    .arg(longRates.last(), 0, 'f', 1)
                    .arg(wideRates.last(), 0, 'f', 1));
        }
    }

    SlowFigures slow;
    QVector<double> absDev;
    double meanDev = 0;
    if (options.Does("slow")) {
        slow = MeasureSlowRun(w);
        for (double d : slow.deviationsMs) {
            absDev << std::abs(d);
            meanDev += d;
        }
        meanDev /= slow.deviationsMs.size();
    }

    EditFigures edit;
    if (options.Does("edit"))
        edit = MeasureEditing(w, options.quick ? 40 : 200, options.quick ? 2 : 5);

    if (options.Does("run")) {
        const double frameRate = Median(frameRates);
        Out(QStringLiteral("# medians over %1 pass(es); each pass's ratio is taken within the pass")
                .arg(options.reps));
        Figure("very_fast_run", Median(stepRates), QStringLiteral("ШАГ/s"), {Target::AtLeast, 1500},
               QStringLiteral("%1 ШАГ in %2 runs stopped through the stop flag; %3 of the drawing limit")
                   .arg(steps)
                   .arg(rounds)
                   .arg(Median(ratios), 0, 'f', 3));
        Figure("drawing_limit", frameRate, QStringLiteral("frames/s"), {},
               QStringLiteral("%1 frames, segment + ShowField; %2 ШАГ/s at two frames per ШАГ")
                   .arg(2 * steps)
                   .arg(frameRate / 2, 0, 'f', 1));
        Figure("run_to_drawing_limit", Median(ratios), QStringLiteral("ratio"), {Target::AtLeast, 0.75});
        Figure("roof", Median(roofRates), QStringLiteral("frames/s"), {},
               QStringLiteral("%1 frames, segment + repaint() of a bare opaque widget; %2 ШАГ/s at two "
                              "frames per ШАГ")
                   .arg(2 * steps)
                   .arg(Median(roofRates) / 2, 0, 'f', 1));
        Figure("run_to_roof", Median(roofRatios), QStringLiteral("ratio"), {Target::AtLeast, 0.8});
    }
    if (options.Does("scale")) {
        const double base = Median(stepRates);
        const QString against = base > 0 ? QStringLiteral("%1 of the 13-line run on 12 cells") : QString();
        Figure("very_fast_run_10k_lines", Median(longRates), QStringLiteral("ШАГ/s"), {},
               base > 0 ? against.arg(Median(longRates) / base, 0, 'f', 3) : QString());
        Figure("very_fast_run_15_cells", Median(wideRates), QStringLiteral("ШАГ/s"), {},
               base > 0 ? against.arg(Median(wideRates) / base, 0, 'f', 3) : QString());
    }
    if (options.Does("edit")) {
        Figure("insert_10k_median", Median(edit.insertMs), QStringLiteral("ms"), {Target::Below, 5},
               QStringLiteral("%1 insertions").arg(edit.insertMs.size()));
        const QVector<double> rest = edit.insertMs.mid(1);
        Figure("insert_10k_p99", Percentile(edit.insertMs, 0.99), QStringLiteral("ms"), {},
               QStringLiteral("nearest rank"));
        Figure("insert_10k_worst", Max(edit.insertMs), QStringLiteral("ms"), {Target::Below, 5},
               QStringLiteral("the first insertion %1 ms, the worst of the others %2 ms")
                   .arg(edit.insertMs.value(0), 0, 'f', 3)
                   .arg(Max(rest), 0, 'f', 3));
        {
            // The slowest 2 % of the insertions against the others: page
            // faults and preemptions of the process while they lasted.
            QVector<int> order(edit.insertMs.size());
            std::iota(order.begin(), order.end(), 0);
            std::sort(order.begin(), order.end(), [&](int a, int b) { return edit.insertMs[a] > edit.insertMs[b]; });
            const int slow = qMax(1, int(order.size()) / 50);
            double slowFaults = 0, slowPre = 0, restFaults = 0, restPre = 0;
            for (int k = 0; k < order.size(); ++k) {
                const int i = order[k];
                (k < slow ? slowFaults : restFaults) += edit.insertFaults[i];
                (k < slow ? slowPre : restPre) += edit.insertPreemptions[i];
            }
            const int others = qMax(1, int(order.size()) - slow);
            Out(QStringLiteral("# slowest %1 insertions: %2 page faults and %3 preemptions each on average; "
                               "the others %4 and %5")
                    .arg(slow)
                    .arg(slowFaults / slow, 0, 'f', 1)
                    .arg(slowPre / slow, 0, 'f', 1)
                    .arg(restFaults / others, 0, 'f', 1)
                    .arg(restPre / others, 0, 'f', 1));
        }
        Figure("load_10k", Median(edit.loadMs), QStringLiteral("ms"), {Target::Below, 100},
               QStringLiteral("median of %1, worst %2 ms")
                   .arg(edit.loadMs.size())
                   .arg(Max(edit.loadMs), 0, 'f', 3));
        Figure("save_10k", Median(edit.saveMs), QStringLiteral("ms"), {},
               QStringLiteral("median of %1, worst %2 ms")
                   .arg(edit.saveMs.size())
                   .arg(Max(edit.saveMs), 0, 'f', 3));
    }
    if (options.Does("slow")) {
        Figure("slow_pause_mean_deviation", meanDev, QStringLiteral("ms"), {},
               QStringLiteral("over %1 lines of nominal %2 ms").arg(slow.deviationsMs.size()).arg(In(w).LinePause));
        Figure("slow_pause_worst_deviation", Max(absDev), QStringLiteral("ms"), {Target::Below, 2});
        Figure("slow_run_cpu", 100.0 * slow.cpuSeconds / slow.wallSeconds, QStringLiteral("% core"),
               {Target::Below, 5},
               QStringLiteral("%1 s CPU over %2 s")
                   .arg(slow.cpuSeconds, 0, 'f', 3)
                   .arg(slow.wallSeconds, 0, 'f', 3));
    }
    if (options.Does("startup")) {
        Figure("startup", Median(startup.startMs), QStringLiteral("ms"), {Target::Below, 300},
               QStringLiteral("median of %1 starts, worst %2 ms")
                   .arg(startup.startMs.size())
                   .arg(Max(startup.startMs), 0, 'f', 1));
        Figure("rss_work_window", Median(startup.rssMiB), QStringLiteral("MiB"));
    }
    if (options.Does("longline")) {
        const LongLineFigures longLine = MeasureLongLine(w);
        Check(longLine.roundTrip, "the long line did not save back byte for byte");
        double worst = 0;
        QString worstAction;
        for (int i = 0; i < longLine.actions.size(); ++i) {
            const double extra = longLine.longMs.at(i) - longLine.ordinaryMs.at(i);
            Out(QStringLiteral("#   %1: %2 ms with the long line, %3 ms without")
                    .arg(longLine.actions.at(i), -24)
                    .arg(longLine.longMs.at(i), 0, 'f', 2)
                    .arg(longLine.ordinaryMs.at(i), 0, 'f', 2));
            if (extra > worst || worstAction.isEmpty()) {
                worst = extra;
                worstAction = longLine.actions.at(i);
            }
        }
        Figure("long_line_extra_worst", worst, QStringLiteral("ms"), {Target::Below, 100},
               QStringLiteral("%1; a line of %2 characters, a file of %3 bytes, saved back byte for byte")
                   .arg(worstAction)
                   .arg(longLine.lineLength)
                   .arg(longLine.fileBytes));
    }
    Out(QStringLiteral("# targets missed: %1").arg(missedTargets));
    return 0;
}
