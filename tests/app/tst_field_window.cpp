// The field in the main window: layout, size submenu, coordinate labels and
// the points panel.
#include "Dialogs.h"
#include "FieldView.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include <QLabel>
#include <QtTest>

class TestFieldWindow : public QObject
{
    Q_OBJECT

private:
    QList<dialogs::MessageRecord> messages;

    static QImage EmptyField(const field::Geometry &g)
    {
        QImage picture = field::NewPicture(g.w);
        field::RedrawEmptyField(picture, g);
        return picture;
    }
    // The window after Начать, point А at (0, 0) facing right.
    static void Begin(TfrmPvPupil &w) { w.NMainBeginClick(); }
    // Open the points panel, fill it in and close it through the menu item.
    static bool Apply(TfrmPvPupil &w, const QString &ax, const QString &ay, const QString &to,
                      bool b = false, const QString &bx = QString(), const QString &by = QString())
    {
        w.NMainPointsClick();
        if (In(w).ui->PanelPoints->isHidden())
            return false;
        In(w).ui->CheckBoxA->setChecked(true);
        In(w).ui->EditAX->setText(ax);
        In(w).ui->EditAY->setText(ay);
        In(w).ui->ComboBoxTo->setEditText(to);
        In(w).ui->CheckBoxB->setChecked(b);
        if (b) {
            In(w).ui->EditBX->setText(bx);
            In(w).ui->EditBY->setText(by);
        }
        w.NMainPointsClick();
        return In(w).ui->PanelPoints->isHidden();
    }
    static QAction *SizeItem(TfrmPvPupil &w, int n)
    {
        switch (n) {
        case 12: return In(w).ui->N1212;
        case 13: return In(w).ui->N1313;
        case 14: return In(w).ui->N1414;
        default: return In(w).ui->N1515;
        }
    }

private slots:
    void init()
    {
        messages.clear();
        dialogs::messageHook = [this](const dialogs::MessageRecord &m) { messages << m; };
    }
    void cleanup() { dialogs::messageHook = nullptr; }

    void layoutFor1024()
    {
        TfrmPvPupil w(1024);
        QCOMPARE(In(w).u, 10);
        QCOMPARE(In(w).ui->pnl1->geometry(), QRect(451, 36, 560, 560));
        QCOMPARE(In(w).ui->pnlMain->geometry(), QRect(10, 10, 536, 536));
        QCOMPARE(In(w).ui->PaintImage->geometry(), QRect(0, 0, 536, 536));
        QCOMPARE(In(w).fieldPicture.size(), QSize(536, 536));
        QCOMPARE(In(w).underPicture.size(), QSize(31, 31));
        QCOMPARE(In(w).ui->PanelX->geometry(), QRect(2, 2, 536, 8));
        QCOMPARE(In(w).ui->PanelY->geometry(), QRect(2, 2, 8, 536));
        // The bare grid is shown, without marks or executor.
        QCOMPARE(In(w).ui->PaintImage->picture(), EmptyField(In(w).geometry));
    }

    void coordinateLabels()
    {
        TfrmPvPupil w(1024);
        QCOMPARE(In(w).labelsX.size(), 16);
        QCOMPARE(In(w).labelsY.size(), 16);
        for (int n : {13, 15, 12}) {
            SizeItem(w, n)->trigger();
            const int p = In(w).geometry.p;
            for (int i = 0; i < 16; ++i) {
                QCOMPARE(In(w).labelsX[i]->text(), QString::number(i));
                QCOMPARE(In(w).labelsX[i]->parentWidget(), In(w).ui->PanelX);
                QCOMPARE(In(w).labelsX[i]->pos(), QPoint(20 + p / 2 + i * p, 0));
                QCOMPARE(In(w).labelsY[i]->text(), QString::number(i));
                QCOMPARE(In(w).labelsY[i]->parentWidget(), In(w).ui->PanelY);
                QCOMPARE(In(w).labelsY[i]->pos(), QPoint(0, 20 + p / 2 + i * p));
            }
            QCOMPARE(In(w).ui->PanelX->width(), int(In(w).geometry.w));
            QCOMPARE(In(w).ui->PanelY->height(), int(In(w).geometry.w));
            // Labels from N on start beyond the strip's end.
            QVERIFY(In(w).labelsX[n]->x() >= In(w).ui->PanelX->width());
            QVERIFY(In(w).labelsX[n - 1]->x() < In(w).ui->PanelX->width());
        }
        // The font's cell is at most u pixels high.
        QVERIFY(QFontMetrics(In(w).labelsX[0]->font()).height() <= In(w).u);
    }

    void sizeSubmenu_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("glyph");
        QTest::newRow("13") << 13 << 540 << 28;
        QTest::newRow("14") << 14 << 538 << 25;
        QTest::newRow("15") << 15 << 530 << 22;
        QTest::newRow("12") << 12 << 536 << 31;
    }
    void sizeSubmenu()
    {
        QFETCH(int, n);
        QFETCH(int, side);
        QFETCH(int, glyph);
        TfrmPvPupil w(1024);
        Begin(w);
        const TfrmPvPupil::Stage stage = In(w).stage;
        const QStringList lines = w.Lines();
        SizeItem(w, n)->trigger();
        QCOMPARE(int(In(w).geometry.n), n);
        QCOMPARE(In(w).ui->pnlMain->size(), QSize(side, side));
        QCOMPARE(In(w).ui->PaintImage->size(), QSize(side, side));
        QCOMPARE(In(w).fieldPicture.size(), QSize(side, side));
        QCOMPARE(In(w).underPicture.size(), QSize(glyph, glyph));
        QCOMPARE(In(w).ui->pnl1->size(), QSize(560, 560));
        for (QSpinBox *s : {In(w).ui->UpDownAX, In(w).ui->UpDownAY, In(w).ui->UpDownBX, In(w).ui->UpDownBY})
            QCOMPARE(s->maximum(), n - 1);
        // Stage, listing and points stay; the executor is back on point А and shown.
        QCOMPARE(In(w).stage, stage);
        QCOMPARE(w.Lines(), lines);
        QCOMPARE(In(w).points.ax, qint16(0));
        QCOMPARE(In(w).executor.dir, qint16(0));
        QCOMPARE(In(w).ui->PaintImage->picture(), In(w).fieldPicture);
        const QRgb centre = In(w).fieldPicture.pixel(field::CellCentre(In(w).geometry, 0, 0));
        QVERIFY(centre == qRgb(128, 0, 0) || centre == qRgb(255, 0, 0));
    }

    void sizeChangeErasesTheTrace()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        In(w).executor = {5, 5, 90};
        field::raster::FillRect(In(w).fieldPicture, QRect(200, 200, 50, 50), qRgb(128, 128, 128));
        In(w).fieldDirty |= QRect(200, 200, 50, 50);
        In(w).ShowField();
        In(w).ui->N1212->trigger();  // the current size again
        QCOMPARE(In(w).executor.x, qint16(0));
        QCOMPARE(In(w).fieldPicture.pixel(220, 220), field::FaceColour().rgb());
        QCOMPARE(In(w).ui->PaintImage->picture(), In(w).fieldPicture);
    }

    void showFieldShowsACopy()
    {
        TfrmPvPupil w(1024);
        // Drawing outside the field routines notes what it drew, as they do.
        field::raster::FillRect(In(w).fieldPicture, QRect(100, 100, 5, 5), qRgb(0, 0, 0));
        In(w).fieldDirty |= QRect(100, 100, 5, 5);
        QVERIFY(In(w).ui->PaintImage->picture() != In(w).fieldPicture);  // not shown yet
        In(w).ShowField();
        QCOMPARE(In(w).ui->PaintImage->picture(), In(w).fieldPicture);
        field::raster::FillRect(In(w).fieldPicture, QRect(300, 300, 5, 5), qRgb(0, 0, 0));
        QCOMPARE(In(w).ui->PaintImage->picture().pixel(300, 300), field::FaceColour().rgb());
        QCOMPARE(In(w).ui->PaintImage->picture().pixel(100, 100), qRgb(0, 0, 0));
    }

    void shownWindowRepaintsTheField()
    {
        // Qt's warnings of the test, gathered until it ends: none may be
        // about a repaint (a recursive one, or one in a paint).
        static QStringList warnings;
        warnings.clear();
        struct Gather {
            QtMessageHandler previous = qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext &, const QString &message) {
                    if (type == QtWarningMsg)
                        warnings.append(message);
                });
            ~Gather() { qInstallMessageHandler(previous); }
        } gather;
        TfrmPvPupil w(1024);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Begin(w);
        w.repaint();  // the window's own repaint shows the field again
        const QImage seen = In(w).ui->PaintImage->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(seen.size(), In(w).fieldPicture.size());
        QCOMPARE(seen.pixel(field::CellCentre(In(w).geometry, 0, 0)), qRgb(128, 0, 0));
        QCOMPARE(seen.pixel(300, 300), field::FaceColour().rgb());
        QCOMPARE(warnings.filter(QRegularExpression(QStringLiteral("[Rr]epaint"))), QStringList());
    }

    void pointsPanelStart()
    {
        TfrmPvPupil w(1024);
        QComboBox *to = In(w).ui->ComboBoxTo;
        QCOMPARE(to->count(), 4);
        QCOMPARE(to->itemText(0), QStringLiteral("вправо"));
        QCOMPARE(to->itemText(1), QStringLiteral("вверх"));
        QCOMPARE(to->itemText(2), QStringLiteral("влево"));
        QCOMPARE(to->itemText(3), QStringLiteral("вниз"));
        QVERIFY(to->isEditable());
        QCOMPARE(to->insertPolicy(), QComboBox::NoInsert);
        QCOMPARE(to->currentIndex(), -1);
        QCOMPARE(to->currentText(), QStringLiteral("вправо"));
        QVERIFY(In(w).ui->PanelPoints->isHidden());
        QVERIFY(In(w).ui->CheckBoxA->isChecked());
        QVERIFY(!In(w).ui->CheckBoxB->isChecked());
        for (QSpinBox *s : {In(w).ui->UpDownAX, In(w).ui->UpDownAY, In(w).ui->UpDownBX, In(w).ui->UpDownBY}) {
            QCOMPARE(s->minimum(), 0);
            QCOMPARE(s->maximum(), 11);
            QVERIFY(!s->wrapping());
        }
    }

    void spinnersAreBound()
    {
        TfrmPvPupil w(1024);
        In(w).ui->UpDownAX->setValue(5);
        QCOMPARE(In(w).ui->EditAX->text(), QStringLiteral("5"));
        In(w).ui->EditBY->clear();
        QTest::keyClicks(In(w).ui->EditBY, "7");
        QCOMPARE(In(w).ui->UpDownBY->value(), 7);
        In(w).ui->UpDownBY->stepUp();
        QCOMPARE(In(w).ui->EditBY->text(), QStringLiteral("8"));
    }

    void directions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("direction");
        QTest::newRow("right") << QStringLiteral("вправо") << 0;
        QTest::newRow("up") << QStringLiteral("вверх") << 90;
        QTest::newRow("left") << QStringLiteral("влево") << 180;
        QTest::newRow("down") << QStringLiteral("вниз") << 270;
        QTest::newRow("no item") << QStringLiteral("наискосок") << 0;
        QTest::newRow("empty") << QString() << 0;
    }
    void directions()
    {
        QFETCH(QString, text);
        QFETCH(int, direction);
        TfrmPvPupil w(1024);
        Begin(w);
        In(w).ui->ComboBoxTo->setCurrentIndex(3);  // an earlier choice must not linger
        QVERIFY(Apply(w, QStringLiteral("3"), QStringLiteral("5"), text));
        QVERIFY(messages.isEmpty());
        QCOMPARE(In(w).points.ax, qint16(3));
        QCOMPARE(In(w).points.ay, qint16(5));
        QCOMPARE(int(In(w).points.adir), direction);
        QCOMPARE(int(In(w).executor.dir), direction);
        QCOMPARE(In(w).points.bx, qint16(-1));
        // The field shows the executor at (3, 5).
        QImage expected = EmptyField(In(w).geometry);
        QImage under = field::NewPicture(In(w).geometry.s);
        field::Executor e;
        field::PlaceExecutorAtStart(expected, under, In(w).geometry, In(w).points, e);
        QCOMPARE(In(w).ui->PaintImage->picture(), expected);
    }

    void pointBAndUncheckedA()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        QVERIFY(Apply(w, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("вниз"), true,
                      QStringLiteral("10"), QStringLiteral("11")));
        QCOMPARE(In(w).points.bx, qint16(10));
        QCOMPARE(In(w).points.by, qint16(11));
        QCOMPARE(In(w).fieldPicture.pixel(field::CellCentre(In(w).geometry, 10, 11)), qRgb(0, 0, 0));

        // Point А unchecked: its entries are not read, even when they are not numbers.
        w.NMainPointsClick();
        In(w).ui->CheckBoxA->setChecked(false);
        In(w).ui->EditAX->setText(QStringLiteral("абв"));
        w.NMainPointsClick();
        QVERIFY(messages.isEmpty());
        QCOMPARE(In(w).points.ax, qint16(-1));
        QCOMPARE(In(w).points.ay, qint16(-1));
        QCOMPARE(In(w).points.adir, qint16(-1));
        QCOMPARE(In(w).executor.x, qint16(-1));
        QImage onlyB = EmptyField(In(w).geometry);
        field::DrawPointMark(onlyB, In(w).geometry, 10, 11, QChar(0x0411));
        QCOMPARE(In(w).ui->PaintImage->picture(), onlyB);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("box");  // 0 AX, 1 AY, 2 BX, 3 BY
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const int error = int(dialogs::Kind::Error), info = int(dialogs::Kind::Information);
        QTest::newRow("letters") << 0 << QStringLiteral("abc") << error
                                 << QStringLiteral("'abc' is not a valid integer value");
        QTest::newRow("empty") << 1 << QString() << error << QStringLiteral("'' is not a valid integer value");
        QTest::newRow("fraction") << 2 << QStringLiteral("1.5") << error
                                  << QStringLiteral("'1.5' is not a valid integer value");
        QTest::newRow("too large for 16 bits") << 3 << QStringLiteral("70000") << info
                                               << QStringLiteral("Координата должна быть от 0 до 11");
        QTest::newRow("12 on a 12 field") << 0 << QStringLiteral("12") << info
                                          << QStringLiteral("Координата должна быть от 0 до 11");
        QTest::newRow("negative") << 3 << QStringLiteral("-1") << info
                                  << QStringLiteral("Координата должна быть от 0 до 11");
    }
    void refusals()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        TfrmPvPupil w(1024);
        Begin(w);
        QVERIFY(Apply(w, QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("вверх"), true,
                      QStringLiteral("4"), QStringLiteral("5")));
        // A trace on the field that a redraw would erase.
        field::raster::FillRect(In(w).fieldPicture, QRect(300, 300, 10, 10), qRgb(128, 128, 128));
        In(w).fieldDirty |= QRect(300, 300, 10, 10);
        In(w).ShowField();
        const QImage shown = In(w).ui->PaintImage->picture();
        const QImage picture = In(w).fieldPicture;
        const field::Points before = In(w).points;

        w.NMainPointsClick();
        QLineEdit *edits[] = {In(w).ui->EditAX, In(w).ui->EditAY, In(w).ui->EditBX, In(w).ui->EditBY};
        for (QLineEdit *e : edits)
            e->setText(QStringLiteral("1"));
        In(w).ui->ComboBoxTo->setEditText(QStringLiteral("влево"));
        edits[box]->setText(text);
        w.NMainPointsClick();

        QCOMPARE(messages.size(), 1);
        QTEST(int(messages[0].kind), "kind");
        QTEST(messages[0].text, "message");
        QVERIFY(In(w).ui->PanelPoints->isHidden());
        QCOMPARE(In(w).points.ax, before.ax);
        QCOMPARE(In(w).points.ay, before.ay);
        QCOMPARE(In(w).points.adir, before.adir);
        QCOMPARE(In(w).points.bx, before.bx);
        QCOMPARE(In(w).points.by, before.by);
        QCOMPARE(In(w).fieldPicture, picture);
        QCOMPARE(In(w).ui->PaintImage->picture(), shown);
        QCOMPARE(edits[box]->text(), text);  // the texts stay for the pupil to correct
        QVERIFY(!In(w).ApplyPoints());
    }

    void spinnersAfterShrinking()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        In(w).ui->N1515->trigger();
        w.NMainPointsClick();
        In(w).ui->UpDownAX->setValue(14);
        In(w).ui->UpDownAY->setValue(14);
        QCOMPARE(In(w).ui->EditAX->text(), QStringLiteral("14"));
        w.NMainPointsClick();
        QVERIFY(messages.isEmpty());
        QCOMPARE(In(w).points.ax, qint16(14));

        In(w).ui->N1212->trigger();
        for (QSpinBox *s : {In(w).ui->UpDownAX, In(w).ui->UpDownAY, In(w).ui->UpDownBX, In(w).ui->UpDownBY})
            QCOMPARE(s->maximum(), 11);
        QCOMPARE(In(w).ui->UpDownAX->value(), 11);
        QCOMPARE(In(w).ui->EditAX->text(), QStringLiteral("14"));  // typed text is left alone
        // The point keeps its column and is drawn beyond the grid, clipped.
        QCOMPARE(In(w).points.ax, qint16(14));
        QCOMPARE(In(w).executor.x, qint16(14));
        // Applying 14 on the smaller field is refused; the old point stays.
        w.NMainPointsClick();
        w.NMainPointsClick();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Координата должна быть от 0 до 11"));
        QCOMPARE(In(w).points.ax, qint16(14));
    }

    void formClickDiscards()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        const QImage shown = In(w).ui->PaintImage->picture();
        w.NMainPointsClick();
        QVERIFY(!In(w).ui->PanelPoints->isHidden());
        In(w).ui->EditAX->setText(QStringLiteral("5"));
        In(w).FormClick();
        QVERIFY(In(w).ui->PanelPoints->isHidden());
        QCOMPARE(In(w).points.ax, qint16(0));
        QCOMPARE(In(w).ui->EditAX->text(), QStringLiteral("5"));
        QCOMPARE(In(w).ui->PaintImage->picture(), shown);
        QVERIFY(messages.isEmpty());
        // A click on the panel's own surface applies.
        w.NMainPointsClick();
        w.PanelPointsClick();
        QVERIFY(In(w).ui->PanelPoints->isHidden());
        QCOMPARE(In(w).points.ax, qint16(5));
    }

    void nothingDuringARun()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        w.NMainPointsClick();
        In(w).ui->EditAX->setText(QStringLiteral("4"));
        In(w).running = true;
        w.PanelPointsClick();
        In(w).ui->N1515->trigger();
        QVERIFY(!In(w).ui->PanelPoints->isHidden());
        QCOMPARE(In(w).points.ax, qint16(0));
        QCOMPARE(int(In(w).geometry.n), 12);
        In(w).running = false;
        w.PanelPointsClick();
        QCOMPARE(In(w).points.ax, qint16(4));
    }
};

QTEST_MAIN(TestFieldWindow)
#include "tst_field_window.moc"
