// A pupil's whole session on a real X server, with real windows and input
// events: the start window, the sign-in, the three work stages, a listing
// built with the function keys and the panels, a very fast run that ends at
// the wall, the trace and the hollow glyph as the screen shows them, and
// saving and loading the algorithm through Qt's own file dialogs. Message
// boxes and file dialogs are the real ones, answered with keys and clicks.
//
// The windows run modal loops inside one another's handlers, so the session
// is a list of steps driven by a timer: each step waits for its condition,
// then its action is posted, free to open the next modal loop. A session
// that does not reach its end within the deadline fails with the name of the
// step it was waiting at.
#include "app/Dialogs.h"
#include "app/MainPupilUnit.h"
#include "app/PvPupilUnit.h"
#include "tests/common/workwindow.h"
#include "app/RegistrPupilUnit.h"
#include "field/geometry.h"
#include "ui_MainPupilUnit.h"
#include "ui_PvPupilUnit.h"
#include "ui_RegistrPupilUnit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {

// The whole session must be over by then; a busy machine is slow, not wrong.
const int kDeadlineMs = 120000;
// After a failure, the time allowed for closing what is still open.
const int kUnwindMs = 20000;
const int kTickMs = 20;

const QString kCaptionPrefix = QStringLiteral("\"Путеводка-Свободная задача\" 1.1     Ученик (команда) : ");

const QStringList kFrame = {
    QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
    QStringLiteral("    Дано: Исполнитель в т.А"),
    QStringLiteral("    Надо: Воспроизвести образец"),
    QStringLiteral("НАЧ"),
    QStringLiteral("КОН"),
};

// Steps right up to the wall, then one step more.
const QStringList kListing = {
    QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
    QStringLiteral("    Дано: Исполнитель в т.А"),
    QStringLiteral("    Надо: Воспроизвести образец"),
    QStringLiteral("НАЧ"),
    QStringLiteral("    ПОКА впереди НЕ стена"),
    QStringLiteral("    НЦ"),
    QStringLiteral("        ШАГ"),
    QStringLiteral("    КЦ"),
    QStringLiteral("    ШАГ"),
    QStringLiteral("КОН"),
};
const int kLastStepRow = 8;
const int kEndRow = 9;

const QRgb kTraceGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);

QString Show(const QString &s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}
QString Show(const QStringList &l)
{
    return QLatin1Char('[') + Show(l.join(QStringLiteral("\" | \""))) + QLatin1Char(']');
}
QString Show(int v)
{
    return QString::number(v);
}
QString Show(uint v)
{
    return QStringLiteral("#%1").arg(v, 6, 16, QLatin1Char('0'));
}
QString Show(const QSize &z)
{
    return QStringLiteral("%1 x %2").arg(z.width()).arg(z.height());
}
QString Show(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' '));
}

// The bytes a CP1251 file holds for the text, written out here for the
// characters the session uses: ASCII and the letters А..я.
QByteArray Cp1251(const QString &text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x80)
            bytes.append(char(u));
        else if (u >= 0x0410 && u <= 0x044F)
            bytes.append(char(u - 0x0410 + 0xC0));
        else
            bytes.append('?');  // never expected: the comparison will show it
    }
    return bytes;
}

bool Exposed(QWidget *w)
{
    return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

// True once the window is the active one. There is no window manager to
// activate a new window, so ask for it until the X server has given it the
// input focus.
bool Active(QWidget *w)
{
    if (!Exposed(w))
        return false;
    if (QApplication::activeWindow() == w)
        return true;
    w->activateWindow();
    return false;
}

// Characters typed one by one, as a keyboard with the Russian layout sends them.
void Type(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A key to whatever has the focus in the window.
void Key(QWidget *window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, mods);
}

QImage WidgetImage(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What the X server shows where the widget is.
QImage ScreenImage(QWidget *w)
{
    QScreen *screen = w->screen();
    const QPoint at = w->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    return screen->grabWindow(0, at.x(), at.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

bool IsRed(QRgb px)
{
    return qGreen(px) == 0 && qBlue(px) == 0 && (qRed(px) == 255 || qRed(px) == 128);
}

// ---------------------------------------------------------------------------
// The step machine

class Session
{
public:
    using Until = std::function<bool()>;
    using Action = std::function<void()>;

    void add(const QString &name, Until until, Action action)
    {
        m_steps.append({name, std::move(until), std::move(action)});
    }
    // The work window to stop and close when the session has to be abandoned.
    void watch(TfrmPvPupil *work) { m_work = work; }

    // Runs the steps; returns when the last one is done or, after a failure,
    // when every window has been closed.
    void run()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_timer.start(kTickMs);
        m_loop.exec();
    }

    // Records the first failure; false when ok is false.
    bool check(bool ok, const QString &what)
    {
        if (!ok && m_failure.isEmpty()) {
            m_failure = QStringLiteral("step \"%1\": %2").arg(m_current, what);
            m_failedAt = m_clock.elapsed();
        }
        return ok;
    }
    template <typename T>
    bool same(const T &actual, const T &expected, const QString &what)
    {
        if (actual == expected)
            return true;
        return check(false, QStringLiteral("%1: got %2, expected %3").arg(what, Show(actual), Show(expected)));
    }

    QString failure() const { return m_failure; }

private:
    struct Step {
        QString name;
        Until until;
        Action action;
    };

    void tick()
    {
        if (m_finished)
            return;
        if (!m_failure.isEmpty()) {
            unwind();
            return;
        }
        if (m_clock.elapsed() > kDeadlineMs) {
            check(false, QStringLiteral("not reached within %1 s").arg(kDeadlineMs / 1000));
            return;
        }
        if (m_actionPending)
            return;
        if (m_next >= m_steps.size()) {
            finish();
            return;
        }
        const Step &step = m_steps.at(m_next);
        m_current = step.name;
        if (step.until && !step.until())
            return;
        ++m_next;
        qInfo("%6lld ms  %s", static_cast<long long>(m_clock.elapsed()), qUtf8Printable(step.name));
        // Posted, so that an action may open a modal loop: this timer keeps
        // ticking inside it.
        m_actionPending = true;
        QTimer::singleShot(0, [this, action = step.action] {
            m_actionPending = false;
            if (action && m_failure.isEmpty())
                action();
        });
    }

    // Stops a run, answers open boxes and dialogs, closes the windows.
    void unwind()
    {
        if (m_clock.elapsed() > m_failedAt + kUnwindMs)
            qFatal("The windows could not be closed after the failure: %s", qUtf8Printable(m_failure));
        if (m_work && In(*m_work).running)
            In(*m_work).StopRequested = true;
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialog->reject();
            return;
        }
        if (m_work && m_work->isVisible()) {
            m_work->close();
            return;
        }
        if (frmMainPupil && frmMainPupil->isVisible()) {
            frmMainPupil->close();
            return;
        }
        finish();
    }

    void finish()
    {
        m_finished = true;
        m_timer.stop();
        m_loop.quit();
    }

    QVector<Step> m_steps;
    int m_next = 0;
    bool m_actionPending = false;
    bool m_finished = false;
    QString m_current;
    QString m_failure;
    qint64 m_failedAt = 0;
    QPointer<TfrmPvPupil> m_work;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QEventLoop m_loop;
};

} // namespace

class TestPupilSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wholeSession();

private:
    void addFileDialogSteps(Session &s, const QString &what, const QString &title,
                            QFileDialog::AcceptMode mode, const QString &presetName, const QString &path);
    QPointer<QFileDialog> m_fileDialog;
};

void TestPupilSession::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "this test needs an X server: run it under xvfb-run with QT_QPA_PLATFORM=xcb");
    QVERIFY(QGuiApplication::primaryScreen());
    // The real pointer rests in a corner no window covers, so that no hint
    // pops up over the field.
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

// The file dialog of N10 or N11: the path typed into its name box, then Enter.
void TestPupilSession::addFileDialogSteps(Session &s, const QString &what, const QString &title,
                                          QFileDialog::AcceptMode mode, const QString &presetName,
                                          const QString &path)
{
    s.add(what + QStringLiteral(": the file dialog is up"),
          [this, &s] {
              auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
              if (!dialog)
                  return false;
              m_fileDialog = dialog;
              if (!s.check(dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) != nullptr,
                           QStringLiteral("not Qt's own file dialog (no file name box)")))
                  return false;
              return Active(dialog);
          },
          [this, &s, title, mode, presetName, path] {
              QFileDialog *dialog = m_fileDialog;
              if (!s.check(dialog, QStringLiteral("the dialog has gone")))
                  return;
              auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
              if (!s.same(dialog->windowTitle(), title, QStringLiteral("dialog title"))
                  || !s.same(int(dialog->acceptMode()), int(mode), QStringLiteral("accept mode"))
                  || !s.same(edit->text(), presetName, QStringLiteral("preset name")))
                  return;
              if (!edit->hasFocus())
                  QTest::mouseClick(edit, Qt::LeftButton);
              if (!s.check(edit->hasFocus(), QStringLiteral("the file name box has no focus")))
                  return;
              QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
              QTest::keyClicks(edit, path);
              s.same(edit->text(), path, QStringLiteral("typed path"));
          });
    s.add(what + QStringLiteral(": Enter in the file dialog"), nullptr, [this, &s] {
        if (!s.check(m_fileDialog, QStringLiteral("the dialog has gone")))
            return;
        auto *edit = m_fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        // A completion list the typing opened would take Enter for itself:
        // Esc closes it first (on the list, Esc leaves the dialog open).
        QCompleter *completer = edit->completer();
        if (completer && completer->popup() && completer->popup()->isVisible()) {
            QTest::keyClick(completer->popup(), Qt::Key_Escape);
            if (!s.check(!completer->popup()->isVisible(), QStringLiteral("the completion list stays open")))
                return;
        }
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

void TestPupilSession::wholeSession()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("algorithm.txt"));
    // The file dialogs open in the current folder: make it the test's own.
    const QString previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    // The windows, made as the program makes them at start-up.
    QApplication::setApplicationName(dialogs::kApplicationTitle);
    frmMainPupil = new TfrmMainPupil;
    frmPvPupil = new TfrmPvPupil;
    frmRegistrPupil = new TfrmRegistrPupil(frmMainPupil);
    QPointer<TfrmMainPupil> start = frmMainPupil;
    QPointer<TfrmPvPupil> work = frmPvPupil;
    QPointer<TfrmRegistrPupil> signIn;
    QPointer<QMessageBox> box;
    start->show();

    Session s;
    s.watch(work);
    Ui::TfrmPvPupil *ui = In(*work).ui;

    // ---- Start and sign-in --------------------------------------------------
    s.add(QStringLiteral("the start window is shown"), [&] { return Active(start); },
          [&] {
              if (!s.check(start->ui->StartBitB->isVisible() && start->ui->StartBitB->isEnabled(),
                           QStringLiteral("no Start button")))
                  return;
              QTest::mouseClick(start->ui->StartBitB, Qt::LeftButton);  // opens the sign-in dialog
          });
    s.add(QStringLiteral("the sign-in dialog is active"),
          [&] {
              signIn = qobject_cast<TfrmRegistrPupil *>(QApplication::activeModalWidget());
              return signIn && Active(signIn) && signIn->ui->EditNam1->hasFocus();
          },
          [&] {
              s.check(start->ui->StartBitB->isHidden(), QStringLiteral("Start is still shown"));
              Type(signIn->ui->EditNam1, QStringLiteral("иванов"));
              s.same(signIn->ui->EditNam1->text(), QStringLiteral("иванов"), QStringLiteral("surname box"));
              QTest::keyClick(signIn->ui->EditNam1, Qt::Key_Return);
              if (!s.check(signIn->ui->EditNam2->hasFocus(), QStringLiteral("Enter did not move to the first name")))
                  return;
              Type(signIn->ui->EditNam2, QStringLiteral("Петр"));
              QTest::keyClick(signIn->ui->EditNam2, Qt::Key_Return);
              s.check(signIn->ui->ReadyBitB->hasFocus(), QStringLiteral("Enter did not move to the button"));
          });
    s.add(QStringLiteral("Enter on the sign-in button"), nullptr, [&] {
        // Opens the work window modally inside the button's handler.
        QTest::keyClick(signIn->ui->ReadyBitB, Qt::Key_Return);
    });

    // ---- Начать, Разработка, the listing ------------------------------------
    s.add(QStringLiteral("the work window is active"),
          [&] { return work && QApplication::activeModalWidget() == work && Active(work); },
          [&] {
              s.same(work->windowTitle(), kCaptionPrefix + QStringLiteral("Иванов Петр "),
                     QStringLiteral("work window caption"));
              s.check(!signIn || signIn->isHidden(), QStringLiteral("the sign-in dialog is still shown"));
              s.check(In(*work).stage == TfrmPvPupil::Stage::Initial, QStringLiteral("not in the initial state"));
              if (!s.check(ui->NMainBegin->isEnabled() && !ui->NMainWork->isEnabled(),
                           QStringLiteral("stage menu of the initial state")))
                  return;
              ui->NMainBegin->trigger();
              s.same(work->Lines(), kFrame, QStringLiteral("listing after Начать"));
              s.same(work->CurrentLine(), 4, QStringLiteral("current line after Начать"));
              s.check(!ui->NMainBegin->isEnabled(), QStringLiteral("Начать still enabled"));
              ui->NMainWork->trigger();
              s.check(In(*work).stage == TfrmPvPupil::Stage::Work && ui->PPButtonStep->isEnabled()
                          && ui->lstCom->isEnabled(),
                      QStringLiteral("Разработка did not enable the command panel and the listing"));
          });
    s.add(QStringLiteral("F7 opens the branch panel, Esc closes it"), nullptr, [&] {
        Key(work, Qt::Key_F7);
        if (!s.check(ui->PanelIf->isVisible(), QStringLiteral("F7 did not open the branch panel")))
            return;
        Key(work, Qt::Key_Escape);
        s.check(ui->PanelIf->isHidden(), QStringLiteral("Esc did not close the branch panel"));
        s.same(work->Lines(), kFrame, QStringLiteral("listing after Esc"));
    });
    s.add(QStringLiteral("F8 and the loop panel, F2 into the loop"), nullptr, [&] {
        Key(work, Qt::Key_F8);
        if (!s.check(ui->PanelWhile->isVisible(), QStringLiteral("F8 did not open the loop panel")))
            return;
        QTest::mouseClick(ui->ButtonWhileNot, Qt::LeftButton);
        s.check(ui->PanelWhile->isHidden(), QStringLiteral("the loop panel stayed open"));
        s.same(work->CurrentLine(), 6, QStringLiteral("current line after the loop"));
        Key(work, Qt::Key_F2);
        s.same(work->CurrentLine(), 7, QStringLiteral("current line after ШАГ"));
    });
    s.add(QStringLiteral("a click on КОН, F2"), nullptr, [&] {
        const QRect row = ui->lstCom->visualRect(In(*work).listing->index(kEndRow - 1));
        QTest::mouseClick(ui->lstCom->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
        if (!s.same(work->CurrentLine(), kEndRow - 1, QStringLiteral("current line after the click")))
            return;
        Key(work, Qt::Key_F2);
        s.same(work->Lines(), kListing, QStringLiteral("the built listing"));
        s.same(work->CurrentLine(), kEndRow, QStringLiteral("current line after the last ШАГ"));
    });

    // ---- Отладка and the run ------------------------------------------------
    s.add(QStringLiteral("Отладка"), nullptr, [&] {
        ui->NMainDebug->trigger();
        s.check(In(*work).stage == TfrmPvPupil::Stage::Debug && ui->FixToolButtonResult->isEnabled()
                    && !ui->lstCom->isEnabled(),
                QStringLiteral("Отладка did not enable the speed buttons"));
    });
    s.add(QStringLiteral("the very fast speed"), nullptr, [&] {
        QTest::mouseClick(ui->FixToolButtonResult, Qt::LeftButton);  // the run holds this handler
    });
    s.add(QStringLiteral("the wall error box"),
          [&] {
              box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
              return box && Exposed(box);
          },
          [&] {
              s.check(box->text().startsWith(QStringLiteral("НЕ МОГУ - СТЕНА !!!")),
                      QStringLiteral("box text %1").arg(Show(box->text())));
              s.same(box->windowTitle(), QStringLiteral("Error"), QStringLiteral("box caption"));
              s.same(int(box->icon()), int(QMessageBox::Critical), QStringLiteral("box icon"));
              s.check(In(*work).running && !ui->FixToolButtonResult->isEnabled() && !ui->NMainWork->isEnabled(),
                      QStringLiteral("the run no longer holds the buttons"));
              QAbstractButton *ok = box->button(QMessageBox::Ok);
              if (!s.check(ok && ok->isVisible(), QStringLiteral("no OK button")))
                  return;
              QTest::mouseClick(ok, Qt::LeftButton);
          });
    s.add(QStringLiteral("the run has ended"),
          [&] { return !In(*work).running && QApplication::activeModalWidget() == work; },
          [&] {
              s.check(ui->FixToolButtonDo->isEnabled() && ui->FixToolButtonQuick->isEnabled()
                          && ui->FixToolButtonResult->isEnabled() && ui->NMainWork->isEnabled(),
                      QStringLiteral("the speed buttons are not enabled again"));
              s.same(work->CurrentLine(), kLastStepRow, QStringLiteral("the blocked ШАГ stays current"));
              s.same(int(In(*work).executor.x), 11, QStringLiteral("executor x"));
              s.same(int(In(*work).executor.y), 0, QStringLiteral("executor y"));
              s.same(int(In(*work).executor.dir), 0, QStringLiteral("executor direction"));
          });
    QImage onScreen;
    s.add(QStringLiteral("the field on the screen"),
          [&] {
              // Once the screen has caught up with the widget's own drawing.
              const QImage screen = ScreenImage(ui->PaintImage);
              if (screen != WidgetImage(ui->PaintImage))
                  return false;
              onScreen = screen;
              return true;
          },
          [&] {
              const field::Geometry g = In(*work).geometry;
              s.same(onScreen.size(), QSize(g.w, g.w), QStringLiteral("field size"));
              // The trace along row 0, between every two cells, outside the
              // glyph squares; none on row 1.
              const int y0 = field::CellCentre(g, 0, 0).y() + 1;
              const int y1 = field::CellCentre(g, 0, 1).y() + 1;
              for (qint16 k = 1; k < g.n; ++k) {
                  for (const int x : {field::GridLine(g, k) - 2, field::GridLine(g, k) + 2}) {
                      for (const int dy : {-1, 0, 1}) {
                          if (!s.same(onScreen.pixel(x, y0 + dy) & 0xFFFFFF, kTraceGrey & 0xFFFFFF,
                                      QStringLiteral("trace pixel (%1, %2)").arg(x).arg(y0 + dy)))
                              return;
                      }
                      if (!s.check(onScreen.pixel(x, y1) != kTraceGrey,
                                   QStringLiteral("trace on row 1 at x = %1").arg(x)))
                          return;
                  }
              }
              // The hollow glyph in the last cell: grey and white, no red.
              const QRect square(field::GlyphCorner(g, 11, 0), QSize(g.s, g.s));
              int grey = 0, white = 0, redInSquare = 0, red = 0;
              for (int y = 0; y < onScreen.height(); ++y) {
                  for (int x = 0; x < onScreen.width(); ++x) {
                      const QRgb px = onScreen.pixel(x, y);
                      const bool inSquare = square.contains(x, y);
                      red += IsRed(px);
                      if (!inSquare)
                          continue;
                      redInSquare += IsRed(px);
                      grey += px == kTraceGrey;
                      white += px == kWhite;
                  }
              }
              s.check(white >= 16, QStringLiteral("hollow glyph: %1 white pixels").arg(white));
              s.check(grey >= 16, QStringLiteral("hollow glyph: %1 grey pixels").arg(grey));
              s.same(redInSquare, 0, QStringLiteral("red pixels in the last cell"));
              s.same(red, 0, QStringLiteral("red pixels on the field"));
          });

    // ---- Saving, deleting the body, loading ----------------------------------
    s.add(QStringLiteral("Разработка, save"), nullptr, [&] {
        ui->NMainWork->trigger();
        s.check(In(*work).stage == TfrmPvPupil::Stage::Work, QStringLiteral("not back in Разработка"));
        if (!s.same(In(*work).N10->text(), QStringLiteral("Сохранить алгоритм в файле"), QStringLiteral("N10")))
            return;
        In(*work).N10->trigger();  // the dialog holds this handler
    });
    addFileDialogSteps(s, QStringLiteral("save"), QStringLiteral("Сохранить алгоритм в файле"),
                       QFileDialog::AcceptSave, QStringLiteral("NoName"), path);
    s.add(QStringLiteral("the file is written"),
          [&] { return QApplication::activeModalWidget() == work && QFile::exists(path); },
          [&] {
              QFile file(path);
              if (!s.check(file.open(QIODevice::ReadOnly), QStringLiteral("cannot read %1").arg(path)))
                  return;
              const QByteArray bytes = file.readAll();
              s.same(bytes, Cp1251(kListing.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")),
                     QStringLiteral("file bytes"));
              s.check(!ui->NMainBegin->isEnabled(), QStringLiteral("Начать is available again"));
          });
    s.add(QStringLiteral("delete the body, load"), nullptr, [&] {
        if (!s.same(In(*work).N4->text(), QStringLiteral("Удалить тело алгоритма "), QStringLiteral("N4")))
            return;
        In(*work).N4->trigger();
        s.same(work->Lines(), kFrame, QStringLiteral("listing after deleting the body"));
        if (!s.same(In(*work).N11->text(), QStringLiteral("Загрузить алгоритм из файла"), QStringLiteral("N11")))
            return;
        In(*work).N11->trigger();  // the question holds this handler
    });
    s.add(QStringLiteral("the question before loading over a changed listing"),
          [&] {
              box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
              return box && Exposed(box);
          },
          [&] {
              s.same(box->text(), QStringLiteral("Сохранить изменения в алгоритме?"), QStringLiteral("question"));
              s.same(box->windowTitle(), QStringLiteral("PUTEVOD_FREE"), QStringLiteral("question caption"));
              QStringList texts;
              QAbstractButton *no = nullptr;
              for (QAbstractButton *b : box->buttons()) {
                  texts << b->text();
                  if (b->text() == QStringLiteral("Нет"))
                      no = b;
              }
              texts.sort();
              s.same(texts, QStringList({QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")}),
                     QStringLiteral("question buttons"));
              if (s.check(no != nullptr, QStringLiteral("no Нет button")))
                  QTest::mouseClick(no, Qt::LeftButton);  // the open dialog follows
          });
    addFileDialogSteps(s, QStringLiteral("load"), QStringLiteral("Укажите имя открываемого файла"),
                       QFileDialog::AcceptOpen, QString(), path);
    s.add(QStringLiteral("the file is loaded"), [&] { return QApplication::activeModalWidget() == work; },
          [&] {
              s.same(work->Lines(), kListing, QStringLiteral("loaded listing"));
              s.same(work->CurrentLine(), 4, QStringLiteral("current line after loading"));
          });

    // ---- Closing ------------------------------------------------------------
    s.add(QStringLiteral("close the work window"), nullptr, [&] { work->close(); });
    s.add(QStringLiteral("back at the start window"),
          [&] { return !work && !signIn && QApplication::activeModalWidget() == nullptr; },
          [&] {
              s.check(frmPvPupil == nullptr, QStringLiteral("the work window outlived its session"));
              s.check(start->isVisible(), QStringLiteral("the start window is not shown"));
              s.check(start->ui->StartBitB->isHidden(), QStringLiteral("the start window shows Start again"));
              start->close();
          });
    s.add(QStringLiteral("the start window is closed"), [&] { return !start->isVisible(); },
          [&] {
              // With no window left on the screen the program's message loop ends.
              QStringList shown;
              for (QWidget *w : QApplication::topLevelWidgets()) {
                  if (w->isVisible())
                      shown << w->metaObject()->className() + QStringLiteral(" ") + w->windowTitle();
              }
              s.same(shown, QStringList(), QStringLiteral("windows still shown"));
          });

    s.run();

    delete frmPvPupil;
    delete frmMainPupil;
    frmRegistrPupil = nullptr;
    QDir::setCurrent(previousFolder);
    QVERIFY2(s.failure().isEmpty(), qUtf8Printable(s.failure()));
}

int main(int argc, char *argv[])
{
    // Qt's own widget dialogs, not those of a desktop the tests were started from.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestPupilSession test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e.moc"
