// The field in the main window: layout, size submenu, coordinate labels and
// the points panel.
#include "Dialogs.h"
#include "FieldView.h"
#include "PvPupilUnit.h"
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
        if (w.ui->PanelPoints->isHidden())
            return false;
        w.ui->CheckBoxA->setChecked(true);
        w.ui->EditAX->setText(ax);
        w.ui->EditAY->setText(ay);
        w.ui->ComboBoxTo->setEditText(to);
        w.ui->CheckBoxB->setChecked(b);
        if (b) {
            w.ui->EditBX->setText(bx);
            w.ui->EditBY->setText(by);
        }
        w.NMainPointsClick();
        return w.ui->PanelPoints->isHidden();
    }
    static QAction *SizeItem(TfrmPvPupil &w, int n)
    {
        switch (n) {
        case 12: return w.ui->N1212;
        case 13: return w.ui->N1313;
        case 14: return w.ui->N1414;
        default: return w.ui->N1515;
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
        QCOMPARE(w.u, 10);
        QCOMPARE(w.ui->pnl1->geometry(), QRect(451, 36, 560, 560));
        QCOMPARE(w.ui->pnlMain->geometry(), QRect(10, 10, 536, 536));
        QCOMPARE(w.ui->PaintImage->geometry(), QRect(0, 0, 536, 536));
        QCOMPARE(w.fieldPicture.size(), QSize(536, 536));
        QCOMPARE(w.underPicture.size(), QSize(31, 31));
        QCOMPARE(w.ui->PanelX->geometry(), QRect(2, 2, 536, 8));
        QCOMPARE(w.ui->PanelY->geometry(), QRect(2, 2, 8, 536));
        // The bare grid is shown, without marks or executor.
        QCOMPARE(w.ui->PaintImage->picture(), EmptyField(w.geometry));
    }

    void coordinateLabels()
    {
        TfrmPvPupil w(1024);
        QCOMPARE(w.labelsX.size(), 16);
        QCOMPARE(w.labelsY.size(), 16);
        for (int n : {13, 15, 12}) {
            SizeItem(w, n)->trigger();
            const int p = w.geometry.p;
            for (int i = 0; i < 16; ++i) {
                QCOMPARE(w.labelsX[i]->text(), QString::number(i));
                QCOMPARE(w.labelsX[i]->parentWidget(), w.ui->PanelX);
                QCOMPARE(w.labelsX[i]->pos(), QPoint(20 + p / 2 + i * p, 0));
                QCOMPARE(w.labelsY[i]->text(), QString::number(i));
                QCOMPARE(w.labelsY[i]->parentWidget(), w.ui->PanelY);
                QCOMPARE(w.labelsY[i]->pos(), QPoint(0, 20 + p / 2 + i * p));
            }
            QCOMPARE(w.ui->PanelX->width(), int(w.geometry.w));
            QCOMPARE(w.ui->PanelY->height(), int(w.geometry.w));
            // Labels from N on start beyond the strip's end.
            QVERIFY(w.labelsX[n]->x() >= w.ui->PanelX->width());
            QVERIFY(w.labelsX[n - 1]->x() < w.ui->PanelX->width());
        }
        // The font's cell is at most u pixels high.
        QVERIFY(QFontMetrics(w.labelsX[0]->font()).height() <= w.u);
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
        const TfrmPvPupil::Stage stage = w.stage;
        const QStringList lines = w.Lines();
        SizeItem(w, n)->trigger();
        QCOMPARE(int(w.geometry.n), n);
        QCOMPARE(w.ui->pnlMain->size(), QSize(side, side));
        QCOMPARE(w.ui->PaintImage->size(), QSize(side, side));
        QCOMPARE(w.fieldPicture.size(), QSize(side, side));
        QCOMPARE(w.underPicture.size(), QSize(glyph, glyph));
        QCOMPARE(w.ui->pnl1->size(), QSize(560, 560));
        for (QSpinBox *s : {w.ui->UpDownAX, w.ui->UpDownAY, w.ui->UpDownBX, w.ui->UpDownBY})
            QCOMPARE(s->maximum(), n - 1);
        // Stage, listing and points stay; the executor is back on point А and shown.
        QCOMPARE(w.stage, stage);
        QCOMPARE(w.Lines(), lines);
        QCOMPARE(w.points.ax, qint16(0));
        QCOMPARE(w.executor.dir, qint16(0));
        QCOMPARE(w.ui->PaintImage->picture(), w.fieldPicture);
        const QRgb centre = w.fieldPicture.pixel(field::CellCentre(w.geometry, 0, 0));
        QVERIFY(centre == qRgb(128, 0, 0) || centre == qRgb(255, 0, 0));
    }

    void sizeChangeErasesTheTrace()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        w.executor = {5, 5, 90};
        field::raster::FillRect(w.fieldPicture, QRect(200, 200, 50, 50), qRgb(128, 128, 128));
        w.fieldDirty |= QRect(200, 200, 50, 50);
        w.ShowField();
        w.ui->N1212->trigger();  // the current size again
        QCOMPARE(w.executor.x, qint16(0));
        QCOMPARE(w.fieldPicture.pixel(220, 220), field::FaceColour().rgb());
        QCOMPARE(w.ui->PaintImage->picture(), w.fieldPicture);
    }

    void showFieldShowsACopy()
    {
        TfrmPvPupil w(1024);
        // Drawing outside the field routines notes what it drew, as they do.
        field::raster::FillRect(w.fieldPicture, QRect(100, 100, 5, 5), qRgb(0, 0, 0));
        w.fieldDirty |= QRect(100, 100, 5, 5);
        QVERIFY(w.ui->PaintImage->picture() != w.fieldPicture);  // not shown yet
        w.ShowField();
        QCOMPARE(w.ui->PaintImage->picture(), w.fieldPicture);
        field::raster::FillRect(w.fieldPicture, QRect(300, 300, 5, 5), qRgb(0, 0, 0));
        QCOMPARE(w.ui->PaintImage->picture().pixel(300, 300), field::FaceColour().rgb());
        QCOMPARE(w.ui->PaintImage->picture().pixel(100, 100), qRgb(0, 0, 0));
    }

    void shownWindowRepaintsTheField()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("[Rr]epaint")));
        TfrmPvPupil w(1024);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Begin(w);
        w.repaint();  // the window's own repaint shows the field again
        const QImage seen = w.ui->PaintImage->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(seen.size(), w.fieldPicture.size());
        QCOMPARE(seen.pixel(field::CellCentre(w.geometry, 0, 0)), qRgb(128, 0, 0));
        QCOMPARE(seen.pixel(300, 300), field::FaceColour().rgb());
    }

    void pointsPanelStart()
    {
        TfrmPvPupil w(1024);
        QComboBox *to = w.ui->ComboBoxTo;
        QCOMPARE(to->count(), 4);
        QCOMPARE(to->itemText(0), QStringLiteral("вправо"));
        QCOMPARE(to->itemText(1), QStringLiteral("вверх"));
        QCOMPARE(to->itemText(2), QStringLiteral("влево"));
        QCOMPARE(to->itemText(3), QStringLiteral("вниз"));
        QVERIFY(to->isEditable());
        QCOMPARE(to->insertPolicy(), QComboBox::NoInsert);
        QCOMPARE(to->currentIndex(), -1);
        QCOMPARE(to->currentText(), QStringLiteral("вправо"));
        QVERIFY(w.ui->PanelPoints->isHidden());
        QVERIFY(w.ui->CheckBoxA->isChecked());
        QVERIFY(!w.ui->CheckBoxB->isChecked());
        for (QSpinBox *s : {w.ui->UpDownAX, w.ui->UpDownAY, w.ui->UpDownBX, w.ui->UpDownBY}) {
            QCOMPARE(s->minimum(), 0);
            QCOMPARE(s->maximum(), 11);
            QVERIFY(!s->wrapping());
        }
    }

    void spinnersAreBound()
    {
        TfrmPvPupil w(1024);
        w.ui->UpDownAX->setValue(5);
        QCOMPARE(w.ui->EditAX->text(), QStringLiteral("5"));
        w.ui->EditBY->clear();
        QTest::keyClicks(w.ui->EditBY, "7");
        QCOMPARE(w.ui->UpDownBY->value(), 7);
        w.ui->UpDownBY->stepUp();
        QCOMPARE(w.ui->EditBY->text(), QStringLiteral("8"));
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
        w.ui->ComboBoxTo->setCurrentIndex(3);  // an earlier choice must not linger
        QVERIFY(Apply(w, QStringLiteral("3"), QStringLiteral("5"), text));
        QVERIFY(messages.isEmpty());
        QCOMPARE(w.points.ax, qint16(3));
        QCOMPARE(w.points.ay, qint16(5));
        QCOMPARE(int(w.points.adir), direction);
        QCOMPARE(int(w.executor.dir), direction);
        QCOMPARE(w.points.bx, qint16(-1));
        // The field shows the executor at (3, 5).
        QImage expected = EmptyField(w.geometry);
        QImage under = field::NewPicture(w.geometry.s);
        field::Executor e;
        field::PlaceExecutorAtStart(expected, under, w.geometry, w.points, e);
        QCOMPARE(w.ui->PaintImage->picture(), expected);
    }

    void pointBAndUncheckedA()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        QVERIFY(Apply(w, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("вниз"), true,
                      QStringLiteral("10"), QStringLiteral("11")));
        QCOMPARE(w.points.bx, qint16(10));
        QCOMPARE(w.points.by, qint16(11));
        QCOMPARE(w.fieldPicture.pixel(field::CellCentre(w.geometry, 10, 11)), qRgb(0, 0, 0));

        // Point А unchecked: its entries are not read, even when they are not numbers.
        w.NMainPointsClick();
        w.ui->CheckBoxA->setChecked(false);
        w.ui->EditAX->setText(QStringLiteral("абв"));
        w.NMainPointsClick();
        QVERIFY(messages.isEmpty());
        QCOMPARE(w.points.ax, qint16(-1));
        QCOMPARE(w.points.ay, qint16(-1));
        QCOMPARE(w.points.adir, qint16(-1));
        QCOMPARE(w.executor.x, qint16(-1));
        QImage onlyB = EmptyField(w.geometry);
        field::DrawPointMark(onlyB, w.geometry, 10, 11, QChar(0x0411));
        QCOMPARE(w.ui->PaintImage->picture(), onlyB);
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
        field::raster::FillRect(w.fieldPicture, QRect(300, 300, 10, 10), qRgb(128, 128, 128));
        w.fieldDirty |= QRect(300, 300, 10, 10);
        w.ShowField();
        const QImage shown = w.ui->PaintImage->picture();
        const QImage picture = w.fieldPicture;
        const field::Points before = w.points;

        w.NMainPointsClick();
        QLineEdit *edits[] = {w.ui->EditAX, w.ui->EditAY, w.ui->EditBX, w.ui->EditBY};
        for (QLineEdit *e : edits)
            e->setText(QStringLiteral("1"));
        w.ui->ComboBoxTo->setEditText(QStringLiteral("влево"));
        edits[box]->setText(text);
        w.NMainPointsClick();

        QCOMPARE(messages.size(), 1);
        QTEST(int(messages[0].kind), "kind");
        QTEST(messages[0].text, "message");
        QVERIFY(w.ui->PanelPoints->isHidden());
        QCOMPARE(w.points.ax, before.ax);
        QCOMPARE(w.points.ay, before.ay);
        QCOMPARE(w.points.adir, before.adir);
        QCOMPARE(w.points.bx, before.bx);
        QCOMPARE(w.points.by, before.by);
        QCOMPARE(w.fieldPicture, picture);
        QCOMPARE(w.ui->PaintImage->picture(), shown);
        QCOMPARE(edits[box]->text(), text);  // the texts stay for the pupil to correct
        QVERIFY(!w.ApplyPoints());
    }

    void spinnersAfterShrinking()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        w.ui->N1515->trigger();
        w.NMainPointsClick();
        w.ui->UpDownAX->setValue(14);
        w.ui->UpDownAY->setValue(14);
        QCOMPARE(w.ui->EditAX->text(), QStringLiteral("14"));
        w.NMainPointsClick();
        QVERIFY(messages.isEmpty());
        QCOMPARE(w.points.ax, qint16(14));

        w.ui->N1212->trigger();
        for (QSpinBox *s : {w.ui->UpDownAX, w.ui->UpDownAY, w.ui->UpDownBX, w.ui->UpDownBY})
            QCOMPARE(s->maximum(), 11);
        QCOMPARE(w.ui->UpDownAX->value(), 11);
        QCOMPARE(w.ui->EditAX->text(), QStringLiteral("14"));  // typed text is left alone
        // The point keeps its column and is drawn beyond the grid, clipped.
        QCOMPARE(w.points.ax, qint16(14));
        QCOMPARE(w.executor.x, qint16(14));
        // Applying 14 on the smaller field is refused; the old point stays.
        w.NMainPointsClick();
        w.NMainPointsClick();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Координата должна быть от 0 до 11"));
        QCOMPARE(w.points.ax, qint16(14));
    }

    void formClickDiscards()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        const QImage shown = w.ui->PaintImage->picture();
        w.NMainPointsClick();
        QVERIFY(!w.ui->PanelPoints->isHidden());
        w.ui->EditAX->setText(QStringLiteral("5"));
        w.FormClick();
        QVERIFY(w.ui->PanelPoints->isHidden());
        QCOMPARE(w.points.ax, qint16(0));
        QCOMPARE(w.ui->EditAX->text(), QStringLiteral("5"));
        QCOMPARE(w.ui->PaintImage->picture(), shown);
        QVERIFY(messages.isEmpty());
        // A click on the panel's own surface applies.
        w.NMainPointsClick();
        w.PanelPointsClick();
        QVERIFY(w.ui->PanelPoints->isHidden());
        QCOMPARE(w.points.ax, qint16(5));
    }

    void nothingDuringARun()
    {
        TfrmPvPupil w(1024);
        Begin(w);
        w.NMainPointsClick();
        w.ui->EditAX->setText(QStringLiteral("4"));
        w.running = true;
        w.PanelPointsClick();
        w.ui->N1515->trigger();
        QVERIFY(!w.ui->PanelPoints->isHidden());
        QCOMPARE(w.points.ax, qint16(0));
        QCOMPARE(int(w.geometry.n), 12);
        w.running = false;
        w.PanelPointsClick();
        QCOMPARE(w.points.ax, qint16(4));
    }
};

QTEST_MAIN(TestFieldWindow)
#include "tst_field_window.moc"
