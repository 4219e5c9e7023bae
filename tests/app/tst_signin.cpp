// The start window and the sign-in dialog: the name character check, the
// state after a refused character, the work window's caption, Enter moves,
// the empty sign-in and the cancelled sign-in.
#include "app/Dialogs.h"
#include "app/MainPupilUnit.h"
#include "app/PvPupilUnit.h"
#include "app/RegistrPupilUnit.h"
#include "ui_MainPupilUnit.h"
#include "ui_RegistrPupilUnit.h"
#include "qtcompat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString kBadCharText = QStringLiteral("В имени и фамилии допустимы\nтолько русские буквы!");
const QString kEmptyText = QStringLiteral("Введите имя и фамилию или название команды");
const QString kPrefix = QStringLiteral("\"Путеводка-Свободная задача\" 1.1     Ученик (команда) : ");

void sendKey(QWidget *w, int key, Qt::KeyboardModifiers mods, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void typeChar(QWidget *w, QChar c)
{
    sendKey(w, Qt::Key_unknown, Qt::NoModifier, QString(c));
}

} // namespace

class TestSignIn : public QObject
{
    Q_OBJECT

private:
    QList<dialogs::MessageRecord> messages;
    int beeps = 0;
    QPointer<TfrmRegistrPupil> dlg;

    // A shown, active dialog with its first activation behind it.
    TfrmRegistrPupil *openDialog()
    {
        dlg = new TfrmRegistrPupil;
        dlg->show();
        if (!QTest::qWaitForWindowActive(dlg))
            dlg->FormActivate();
        return dlg;
    }

    // Signs in with the given texts while a work window of 1024 is there;
    // returns the caption the work window had while it was shown modally.
    QString signIn(const QString &surname, const QString &firstName, const QString &team, bool *wasModal = nullptr)
    {
        frmPvPupil = new TfrmPvPupil(1024);
        QPointer<TfrmPvPupil> work = frmPvPupil;
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam1->setText(surname);
        d->ui->EditNam2->setText(firstName);
        d->ui->EditNam3->setText(team);
        QString caption;
        bool modal = false;
        QTimer::singleShot(0, work, [&caption, &modal, work] {
            caption = work->windowTitle();
            modal = work->isVisible() && work->windowModality() == Qt::ApplicationModal;
            work->close();
        });
        d->ReadyBitBClick();
        if (wasModal)
            *wasModal = modal;
        // The work window is gone and forgotten once the sign-in returns.
        if (work || frmPvPupil) {
            delete work.data();
            QTest::qFail("the work window outlived the sign-in", __FILE__, __LINE__);
        }
        return caption;
    }

private slots:
    void init()
    {
        messages.clear();
        beeps = 0;
        dialogs::messageHook = [this](const dialogs::MessageRecord &m) { messages.append(m); };
        dialogs::beepHook = [this] { ++beeps; };
    }

    void cleanup()
    {
        dialogs::messageHook = nullptr;
        dialogs::beepHook = nullptr;
        delete dlg.data();
        delete frmPvPupil;
        frmPvPupil = nullptr;
    }

    void nameCharacters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");

        const int none = int(Qt::NoModifier);
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("small а") << int(Qt::Key_unknown) << none << QStringLiteral("а") << true;
        QTest::newRow("small я") << int(Qt::Key_unknown) << none << QStringLiteral("я") << true;
        QTest::newRow("capital А") << int(Qt::Key_unknown) << none << QStringLiteral("А") << true;
        QTest::newRow("capital Я") << int(Qt::Key_unknown) << none << QStringLiteral("Я") << true;
        QTest::newRow("comma") << int(Qt::Key_Comma) << none << QStringLiteral(",") << true;
        QTest::newRow("space") << int(Qt::Key_Space) << none << QStringLiteral(" ") << true;
        QTest::newRow("small ё") << int(Qt::Key_unknown) << none << QStringLiteral("ё") << false;
        QTest::newRow("capital Ё") << int(Qt::Key_unknown) << none << QStringLiteral("Ё") << false;
        QTest::newRow("hyphen") << int(Qt::Key_Minus) << none << QStringLiteral("-") << false;
        QTest::newRow("apostrophe") << int(Qt::Key_Apostrophe) << none << QStringLiteral("'") << false;
        QTest::newRow("digit") << int(Qt::Key_5) << none << QStringLiteral("5") << false;
        QTest::newRow("latin small") << int(Qt::Key_X) << none << QStringLiteral("x") << false;
        QTest::newRow("latin capital") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << QStringLiteral("Q") << false;
        QTest::newRow("ukrainian і") << int(Qt::Key_unknown) << none << QStringLiteral("і") << false;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << QStringLiteral("\x1b") << false;
        QTest::newRow("ctrl+v as Qt Test sends it") << int(Qt::Key_V) << ctrl << QStringLiteral("v") << false;
        QTest::newRow("ctrl+v as X11 sends it") << int(Qt::Key_V) << ctrl << QStringLiteral("\x16") << false;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << QString() << false;
        QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << QString() << false;
    }

    void nameCharacters()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, text);
        QFETCH(bool, accepted);

        for (int field = 1; field <= 2; ++field) {
            TfrmRegistrPupil *d = openDialog();
            QLineEdit *edit = field == 1 ? d->ui->EditNam1 : d->ui->EditNam2;
            edit->setFocus();
            sendKey(edit, key, Qt::KeyboardModifiers(mods), text);
            if (accepted) {
                QCOMPARE(edit->text(), text);
                QVERIFY(messages.isEmpty());
                QCOMPARE(beeps, 0);
            } else {
                QCOMPARE(messages.size(), 1);
                QCOMPARE(messages.first().kind, dialogs::Kind::Error);
                QCOMPARE(messages.first().text, kBadCharText);
                QCOMPARE(beeps, 1);
                QCOMPARE(edit->text(), QStringLiteral(" "));
            }
            delete d;
            messages.clear();
            beeps = 0;
        }
    }

    // Keys that type nothing pass unchecked and keep working.
    void keysWithoutCharacter()
    {
        TfrmRegistrPupil *d = openDialog();
        QLineEdit *edit = d->ui->EditNam1;
        for (QChar c : QStringLiteral("абв"))
            typeChar(edit, c);
        sendKey(edit, Qt::Key_Left, Qt::NoModifier, QString());
        sendKey(edit, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QCOMPARE(edit->text(), QStringLiteral("аб"));
        sendKey(edit, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QCOMPARE(edit->text(), QStringLiteral("а"));
        sendKey(edit, Qt::Key_Home, Qt::NoModifier, QString());
        sendKey(edit, Qt::Key_F5, Qt::NoModifier, QString());
        sendKey(edit, Qt::Key_Insert, Qt::ShiftModifier, QString());
        QVERIFY(messages.isEmpty());
        QCOMPARE(beeps, 0);
    }

    void refusalEmptiesEveryField()
    {
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam1->setText(QStringLiteral("Петров"));
        d->ui->EditNam3->setText(QStringLiteral("Звезда"));
        d->ui->EditNam2->setText(QStringLiteral("Пет"));
        d->ui->EditNam2->setFocus();
        sendKey(d->ui->EditNam2, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));

        QCOMPARE(d->ui->EditNam1->text(), QString());
        QCOMPARE(d->ui->EditNam2->text(), QStringLiteral(" "));
        QCOMPARE(d->ui->EditNam3->text(), QString());
        QCOMPARE(d->focusWidget(), d->ui->EditNam1);
        QVERIFY(d->isVisible());
    }

    void teamFieldIsUnchecked()
    {
        TfrmRegistrPupil *d = openDialog();
        QLineEdit *edit = d->ui->EditNam3;
        edit->setFocus();
        for (QChar c : QStringLiteral("7-B ё"))
            typeChar(edit, c);
        QCOMPARE(edit->text(), QStringLiteral("7-B ё"));
        QVERIFY(messages.isEmpty());
    }

    void enterMovesFocus()
    {
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam1->setFocus();
        sendKey(d->ui->EditNam1, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCOMPARE(d->focusWidget(), d->ui->EditNam2);
        sendKey(d->ui->EditNam2, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
        QCOMPARE(d->focusWidget(), d->ui->ReadyBitB);
        d->ui->EditNam3->setFocus();
        sendKey(d->ui->EditNam3, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCOMPARE(d->focusWidget(), d->ui->ReadyBitB);
        QVERIFY(messages.isEmpty());
        QVERIFY(d->isVisible());
    }

    void tabOrder()
    {
        TfrmRegistrPupil *d = openDialog();
        auto nextStop = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        QCOMPARE(nextStop(d->ui->EditNam1), static_cast<QWidget *>(d->ui->EditNam2));
        QCOMPARE(nextStop(d->ui->EditNam2), static_cast<QWidget *>(d->ui->ReadyBitB));
        QCOMPARE(nextStop(d->ui->ReadyBitB), static_cast<QWidget *>(d->ui->EditNam3));
        QCOMPARE(nextStop(d->ui->EditNam3), static_cast<QWidget *>(d->ui->EditNam1));
    }

    void escapeKeepsDialogOpen()
    {
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam3->setFocus();
        sendKey(d->ui->EditNam3, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        sendKey(d, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        QVERIFY(d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(messages.isEmpty());
    }

    void focusColours()
    {
        TfrmRegistrPupil *d = openDialog();
        if (!d->isActiveWindow())
            QSKIP("the platform gives the dialog no activation");
        d->ui->EditNam2->setFocus();
        QCOMPARE(d->ui->EditNam2->palette().color(QPalette::Base), QColor(255, 255, 0));
        QVERIFY(d->ui->EditNam1->palette().color(QPalette::Base) != QColor(255, 255, 0));
        d->ui->EditNam3->setFocus();
        QCOMPARE(d->ui->EditNam3->palette().color(QPalette::Base), QColor(255, 255, 0));
        QVERIFY(d->ui->EditNam2->palette().color(QPalette::Base) != QColor(255, 255, 0));
    }

    void caption_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("team");
        QTest::addColumn<QString>("names");     // what follows the prefix
        QTest::addColumn<QString>("surnameField");

        QTest::newRow("surname with spaces, first name, no team")
            << QStringLiteral("  иванов  ") << QStringLiteral("петя") << QString()
            << QStringLiteral("Иванов Петя ") << QStringLiteral("Иванов");
        QTest::newRow("team only: three spaces after the colon")
            << QString() << QString() << QStringLiteral("спартак")
            << QStringLiteral("  спартак") << QString();
        QTest::newRow("25 letters cut to 20")
            << QStringLiteral("абвгдежзийклмнопрстуфхцч") + QStringLiteral("ш") << QString() << QString()
            << QStringLiteral("Абвгдежзийклмнопрсту  ") << QStringLiteral("Абвгдежзийклмнопрсту");
        QTest::newRow("spaces only sign in with an empty surname")
            << QStringLiteral("   ") << QString() << QString() << QStringLiteral("  ") << QString();
        QTest::newRow("control characters trimmed, capital kept")
            << QStringLiteral("\tПетров\x01") << QStringLiteral(" , анна") << QString()
            << QStringLiteral("Петров , анна ") << QStringLiteral("Петров");
        QTest::newRow("ё is not raised")
            << QStringLiteral("ёлкин") << QString() << QStringLiteral("  22 команда  ")
            << QStringLiteral("ёлкин  22 команда") << QStringLiteral("ёлкин");
    }

    void caption()
    {
        QFETCH(QString, surname);
        QFETCH(QString, firstName);
        QFETCH(QString, team);
        QFETCH(QString, names);
        QFETCH(QString, surnameField);

        bool modal = false;
        const QString shown = signIn(surname, firstName, team, &modal);
        QPointer<TfrmRegistrPupil> d = dlg;
        QCOMPARE(shown, kPrefix + names);
        QCOMPARE(kPrefix.size(), 56);
        QVERIFY(modal);
        QVERIFY(d);
        QCOMPARE(d->ui->EditNam1->text(), surnameField);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->isVisible());
        QVERIFY(messages.isEmpty());
    }

    void longTeamNameCutAndNotRaised()
    {
        const QString caption =
            signIn(QString(), QString(), QStringLiteral("команда номер двадцать пять"));
        QCOMPARE(caption, kPrefix + QStringLiteral("  команда номер двадца"));
        QCOMPARE(dlg->ui->EditNam3->text(), QStringLiteral("команда номер двадца"));
    }

    void allEmptyIsRefused()
    {
        frmPvPupil = new TfrmPvPupil(1024);
        const QString before = frmPvPupil->windowTitle();
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam2->setFocus();
        d->ReadyBitBClick();

        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().kind, dialogs::Kind::Plain);
        QCOMPARE(messages.first().caption, QStringLiteral("PUTEVOD_FREE"));
        QCOMPARE(messages.first().text, kEmptyText);
        QVERIFY(d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(d->focusWidget(), d->ui->EditNam1);
        QVERIFY(frmPvPupil);
        QVERIFY(!frmPvPupil->isVisible());
        QCOMPARE(frmPvPupil->windowTitle(), before);
    }

    void enterOnReadyButtonSignsIn()
    {
        TfrmRegistrPupil *d = openDialog();
        d->ui->EditNam1->setText(QStringLiteral("орлов"));
        d->ui->ReadyBitB->setFocus();
        sendKey(d->ui->ReadyBitB, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->ui->EditNam1->text(), QStringLiteral("Орлов"));
    }

    void pictures()
    {
        TfrmMainPupil start;
        const QImage banner = compat::LabelPixmap(start.ui->Image1).toImage();
        QCOMPARE(banner.size(), QSize(798, 371));
        QVERIFY(!banner.hasAlphaChannel());
        QVERIFY(!start.ui->StartBitB->icon().pixmap(16, 16, QIcon::Disabled).isNull());

        const QRgb key = qRgb(255, 0, 255);
        for (int i = 0; i < 10; ++i) {
            const QImage image(QStringLiteral(":/images/stage%1.png").arg(i));
            QCOMPARE(image.size(), QSize(16, 16));
            QCOMPARE(image.pixel(0, 15) & 0xFFFFFF, key & 0xFFFFFF);
        }
        for (int i = 0; i < 4; ++i) {
            const QImage image(QStringLiteral(":/images/tool%1.png").arg(i));
            QCOMPARE(image.size(), QSize(16, 16));
            QVERIFY(image.hasAlphaChannel());
        }
        QCOMPARE(QImage(QStringLiteral(":/images/check_green_disabled.png")).size(), QSize(18, 18));
    }

    void closeBoxRestoresStart()
    {
        TfrmMainPupil start;
        start.show();
        QPointer<TfrmRegistrPupil> seen;
        bool wasSignIn = false;
        QTimer::singleShot(0, &start, [&seen, &wasSignIn] {
            seen = qobject_cast<TfrmRegistrPupil *>(QApplication::activeModalWidget());
            wasSignIn = seen && seen == frmRegistrPupil;
            if (seen)
                seen->close();  // the close box
        });
        start.StartBitBClick();

        QVERIFY2(wasSignIn, "the sign-in dialog was not the modal window");
        QCOMPARE(start.windowTitle(), QStringLiteral("Приглашение"));
        QVERIFY(start.ui->StartBitB->isVisibleTo(&start));
        QCOMPARE(start.focusWidget(), start.ui->StartBitB);
        QCOMPARE(start.panels[2]->text(), QString());
        // The dialog frees itself.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(seen.isNull());
        QVERIFY(frmRegistrPupil == nullptr);
    }

    void signInThreeDeep()
    {
        TfrmMainPupil start;
        start.show();
        const QString startCaption = start.windowTitle();
        QVERIFY(!start.panels[2]->text().isEmpty());
        frmPvPupil = new TfrmPvPupil(1024);
        QString workCaption;
        QTimer::singleShot(0, &start, [&workCaption] {
            auto *d = qobject_cast<TfrmRegistrPupil *>(QApplication::activeModalWidget());
            if (!d)
                return;
            QCOMPARE(frmRegistrPupil, d);
            d->ui->EditNam2->setText(QStringLiteral("оля"));
            QTimer::singleShot(0, frmPvPupil, [&workCaption] {
                workCaption = frmPvPupil->windowTitle();
                frmPvPupil->close();
            });
            d->ReadyBitBClick();
        });
        start.StartBitBClick();

        QCOMPARE(workCaption, kPrefix + QStringLiteral(" Оля "));
        QVERIFY(frmPvPupil == nullptr);
        QVERIFY(!start.ui->StartBitB->isVisibleTo(&start));
        QCOMPARE(start.windowTitle(), startCaption);
        QCOMPARE(start.panels[2]->text(), QString());
    }
};

QTEST_MAIN(TestSignIn)
#include "tst_signin.moc"
