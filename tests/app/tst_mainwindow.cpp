// The main work window as a whole: layout, stages, window keys, hints and
// the stage menu's drawing.
#include "Dialogs.h"
#include "ListingDelegate.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "StageMenuStyle.h"
#include "ui_PvPupilUnit.h"

#include "editor/listing.h"

#include <QCommonStyle>
#include <QPainter>
#include <QEnterEvent>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QStringListModel>
#include <QtTest>

namespace {

// A style with a look of its own for item views' selected and hovered rows,
// as some desktop styles have.
class PaleSelectionStyle : public QCommonStyle
{
public:
    static constexpr QRgb kShade = 0xffe0e0e0;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_PanelItemViewItem && (option->state & (State_Selected | State_MouseOver))) {
            painter->fillRect(option->rect, QColor::fromRgb(kShade));
            return;
        }
        QCommonStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    struct Row {
        bool begin, work, debug, points, help, speed, stop, panel, listing, statShown, statOn;
    };
    static Row Observe(TfrmPvPupil &w)
    {
        Ui::TfrmPvPupil *ui = In(w).ui;
        const bool speed = ui->FixToolButtonDo->isEnabled();
        if (ui->FixToolButtonQuick->isEnabled() != speed || ui->FixToolButtonResult->isEnabled() != speed)
            qWarning("speed buttons disagree");
        bool panel = ui->PPButtonStep->isEnabled();
        for (QWidget *c : {static_cast<QWidget *>(ui->PPButtonJump), static_cast<QWidget *>(ui->PPButtonTurn),
                           static_cast<QWidget *>(ui->PPButtonProc), static_cast<QWidget *>(ui->PPButtonDoProc),
                           static_cast<QWidget *>(ui->PPButtonIf), static_cast<QWidget *>(ui->PPButtonWhile),
                           static_cast<QWidget *>(ui->LabelPP1), static_cast<QWidget *>(ui->LabelPP2),
                           static_cast<QWidget *>(ui->LabelPP3), static_cast<QWidget *>(ui->LabelPP4),
                           static_cast<QWidget *>(ui->LabelPP5)})
            if (c->isEnabled() != panel) {
                qWarning("command panel control %s differs", qPrintable(c->objectName()));
                panel = !panel;
            }
        return {ui->NMainBegin->isEnabled(), ui->NMainWork->isEnabled(), ui->NMainDebug->isEnabled(),
                ui->NMainPoints->isEnabled(), ui->NMainHelp->menuAction()->isEnabled(), speed,
                ui->FixToolButtonStop->isEnabled(), panel, ui->lstCom->isEnabled(),
                !ui->ListStatist->isHidden(), ui->ListStatist->isEnabled()};
    }
    static QString Describe(const Row &r)
    {
        QString s;
        for (bool b : {r.begin, r.work, r.debug, r.points, r.help, r.speed, r.stop, r.panel, r.listing,
                       r.statShown, r.statOn})
            s += b ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }

private slots:
    void init()
    {
        dialogs::messageHook = [this](const dialogs::MessageRecord &m) { messages << m.text; };
        messages.clear();
    }
    void cleanup() { dialogs::messageHook = nullptr; }

    void layoutFor1024()
    {
        TfrmPvPupil w(1024);
        QCOMPARE(In(w).u, 10);
        QCOMPARE(In(w).ui->PPPanelSystCom->geometry(), QRect(10, 36, 121, 300));
        QCOMPARE(In(w).ui->lstCom->geometry(), QRect(141, 36, 300, 560));
        QCOMPARE(In(w).ui->pnl1->geometry(), QRect(451, 36, 560, 560));
        QCOMPARE(In(w).ui->ListStatist->geometry(), QRect(10, 467, 121, 129));
        QCOMPARE(In(w).halfPage, 17);
        QCOMPARE(In(w).ui->ToolBarAlg->geometry().topLeft(), QPoint(169, 1));
        QCOMPARE(In(w).ui->ToolBarAlg->height(), 25);
        QCOMPARE(In(w).ui->StatusBar1->height(), 22);
        QCOMPARE(In(w).LinePause, 500);
        QCOMPARE(In(w).TurnFramePause, 100);
        QCOMPARE(In(w).WallBlinkPause, 100);
    }

    void layoutFollowsTheUnit()
    {
        TfrmPvPupil w(1280);
        QCOMPARE(In(w).u, 12);
        QCOMPARE(In(w).ui->lstCom->geometry(), QRect(12 + 121 + 12, 38, 360, 672));
        QCOMPARE(In(w).ui->pnl1->geometry(), QRect(145 + 360 + 12, 38, 672, 672));
        QCOMPARE(In(w).halfPage, 672 / 16 / 2);
    }

    void stageTable()
    {
        TfrmPvPupil w(1024);
        //                                  begin work debug points help speed stop panel list statShown statOn
        QCOMPARE(Describe(Observe(w)), QStringLiteral("10000000000"));
        QCOMPARE(w.Lines(), QStringList{QString()});
        QCOMPARE(w.CurrentLine(), 0);

        In(w).ui->NMainBegin->trigger();
        QCOMPARE(Describe(Observe(w)), QStringLiteral("01001000000"));
        QCOMPARE(w.Lines(), editor::FrameLines());
        QCOMPARE(w.CurrentLine(), 4);
        QCOMPARE(In(w).points.ax, qint16(0));
        QCOMPARE(In(w).points.ay, qint16(0));
        QCOMPARE(In(w).points.adir, qint16(0));
        QCOMPARE(In(w).points.bx, qint16(-1));
        QCOMPARE(In(w).executor.x, qint16(0));
        QCOMPARE(In(w).executor.dir, qint16(0));

        In(w).ui->NMainWork->trigger();
        QCOMPARE(Describe(Observe(w)), QStringLiteral("00111001111"));

        In(w).ui->NMainDebug->trigger();
        QCOMPARE(Describe(Observe(w)), QStringLiteral("01001110010"));

        // Back to Разработка: the listing keeps its lines.
        In(w).ui->NMainWork->trigger();
        QCOMPARE(Describe(Observe(w)), QStringLiteral("00111001111"));
        QCOMPARE(w.Lines(), editor::FrameLines());

        // Начать cannot be chosen again.
        w.NMainBeginClick();
        QCOMPARE(In(w).stage, TfrmPvPupil::Stage::Work);
    }

    void debugDuringRunTurnsOffWorkAndSpeeds()
    {
        TfrmPvPupil w(1024);
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        In(w).ui->NMainDebug->trigger();
        const QList<QAction *> sizes = {In(w).ui->N1212, In(w).ui->N1313, In(w).ui->N1414, In(w).ui->N1515};
        In(w).running = true;
        In(w).SetStage(TfrmPvPupil::Stage::Debug);
        QCOMPARE(Describe(Observe(w)), QStringLiteral("00001010010"));
        // The size items are greyed while a run ignores them.
        for (QAction *size : sizes)
            QVERIFY(!size->isEnabled());
        In(w).running = false;
        In(w).SetStage(TfrmPvPupil::Stage::Debug);
        QCOMPARE(Describe(Observe(w)), QStringLiteral("01001110010"));
        for (QAction *size : sizes)
            QVERIFY(size->isEnabled());
    }

    void functionKeysActOnlyInDevelopment()
    {
        TfrmPvPupil w(1024);
        w.show();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2);
        QCOMPARE(w.Lines(), QStringList{QString()});

        In(w).ui->NMainBegin->trigger();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2);
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F8);
        QCOMPARE(w.Lines(), editor::FrameLines());

        In(w).ui->NMainWork->trigger();
        In(w).ui->lstCom->setFocus();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2);
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(w.Lines().size(), 7);
        QCOMPARE(w.Lines().at(4), QStringLiteral("    ШАГ"));
        QCOMPARE(w.Lines().at(5), QStringLiteral("    ШАГ"));
        QCOMPARE(w.CurrentLine(), 6);

        // Shift+F2 belongs to the disabled Разработка item: nothing happens.
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(w.Lines().size(), 7);
        // Only exactly Shift makes a menu shortcut: Ctrl+Shift+F2 is F2.
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F2, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(w.Lines().size(), 8);
        QCOMPARE(In(w).stage, TfrmPvPupil::Stage::Work);

        // Shift+F3 chooses Отладка; F2 then does nothing.
        QTest::keyClick(In(w).ui->PPButtonStep, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(In(w).stage, TfrmPvPupil::Stage::Debug);
        QTest::keyClick(In(w).ui->FixToolButtonStop, Qt::Key_F2);
        QCOMPARE(w.Lines().size(), 8);

        // Shift+F2 goes back to Разработка.
        QTest::keyClick(In(w).ui->FixToolButtonStop, Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(In(w).stage, TfrmPvPupil::Stage::Work);
    }

    void escapeClosesPanels()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();

        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F5);
        QVERIFY(In(w).ui->PanelProc->isVisible());
        QVERIFY(!In(w).ui->PPButtonDoProc->isEnabled());
        QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Escape);
        QVERIFY(!In(w).ui->PanelProc->isVisible());
        QVERIFY(In(w).ui->PPButtonProc->isEnabled());
        QVERIFY(In(w).ui->PPButtonDoProc->isEnabled());

        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F7);
        QVERIFY(In(w).ui->PanelIf->isVisible());
        In(w).ui->lstCom->setFocus();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_Escape);
        QVERIFY(!In(w).ui->PanelIf->isVisible());

        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F8);
        QVERIFY(In(w).ui->PanelWhile->isVisible());
        In(w).ui->lstCom->setFocus();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_Escape);
        QVERIFY(!In(w).ui->PanelWhile->isVisible());
        QCOMPARE(w.Lines(), editor::FrameLines());
    }

    void hintsReachTheStatusBar()
    {
        TfrmPvPupil w(1024);
        w.show();
        auto enter = [](QWidget *target) {
            QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QCoreApplication::sendEvent(target, &e);
        };
        enter(In(w).ui->FixToolButtonDo);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QStringLiteral(" Исполнять алгоритм с малой скоростью"));
        QCOMPARE(In(w).ui->FixToolButtonDo->toolTip(), QStringLiteral("Выполнять медленно "));

        // A hint without a bar is both parts at once.
        enter(In(w).ui->FixToolButtonStop);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QStringLiteral("Прервать выполнение"));

        // A coordinate label has no hint of its own: the strip's is shown.
        QVERIFY(!In(w).labelsX.isEmpty());
        enter(In(w).labelsX.first());
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QStringLiteral(" Рабочее поле для Путеводки"));

        // A control inside no hinted control gives the empty text.
        enter(In(w).ui->ToolBarAlg);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QString());

        // Leaving a control for the window's free surface clears its hint;
        // leaving the field image for its panel keeps the field's hint.
        enter(In(w).ui->lstCom);
        QVERIFY(!In(w).ui->StatusBar1->currentMessage().isEmpty());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(In(w).ui->lstCom, &leave);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QString());
        enter(In(w).ui->PaintImage);
        QCoreApplication::sendEvent(In(w).ui->PaintImage, &leave);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(), QStringLiteral(" Рабочее поле для Путеводки"));

        // The highlighted menu item shows its long part.
        In(w).ui->NMainDebug->showStatusText(In(w).ui->MainMenu);
        QCOMPARE(In(w).ui->StatusBar1->currentMessage(),
                 QStringLiteral(" На этапе \"Отладка\" запустите алгоритм на исполнение с выбранной скоростью"));
    }

    void stageMenuCaptionsAndDrawing()
    {
        TfrmPvPupil w(1024);
        w.show();
        QCOMPARE(In(w).ui->NMainBegin->text(), QStringLiteral("Начать           "));
        QCOMPARE(In(w).ui->NMainWork->text(), QStringLiteral("Разработка           "));
        QCOMPARE(In(w).ui->NMainDebug->text(), QStringLiteral("Отладка              "));
        QCOMPARE(In(w).ui->NMainPoints->text(), QStringLiteral("Точки        "));
        QCOMPARE(In(w).ui->NMainHelp->title(), QStringLiteral("Размер поля"));
        QCOMPARE(In(w).ui->N1212->text(), QStringLiteral("12 х 1&2"));
        QCOMPARE(In(w).ui->N1515->text(), QStringLiteral("15 x 1&5"));

        // Each item: its image at (left, top + 2), coloured when enabled and grey when not.
        const QImage bar = In(w).ui->MainMenu->grab().toImage();
        auto imageAt = [&](QAction *item, int index) {
            const QRect r = In(w).ui->MainMenu->actionGeometry(item);
            const QImage expected = StageMenuStyle::StageImage(index).toImage();
            if (expected.isNull())
                return false;
            // The centre pixel of every image belongs to its picture.
            return bar.pixelColor(r.left() + 8, r.top() + 2 + 8) == expected.pixelColor(8, 8);
        };
        QVERIFY(imageAt(In(w).ui->NMainBegin, 0));  // enabled
        QVERIFY(imageAt(In(w).ui->NMainWork, 3));   // disabled: grey
        QVERIFY(imageAt(In(w).ui->NMainDebug, 5));
        QVERIFY(imageAt(In(w).ui->NMainHelp->menuAction(), 9));

        // Item sizes follow the caption with its trailing spaces.
        const QFontMetrics metrics(In(w).ui->MainMenu->font());
        const QRect r = In(w).ui->MainMenu->actionGeometry(In(w).ui->NMainBegin);
        QCOMPARE(r.height(), qMax(metrics.height() + 2, 20));
        QVERIFY(r.width() >= metrics.horizontalAdvance(QStringLiteral("Начать           ")) + 24);
    }

    void clickOnFreeAreaClosesThePointsPanel()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        In(w).ui->NMainPoints->trigger();
        QVERIFY(In(w).ui->PanelPoints->isVisible());
        In(w).ui->EditAX->setText(QStringLiteral("5"));

        // A click on a control (the field) is not a click on the window.
        QTest::mouseClick(In(w).ui->PaintImage, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(In(w).ui->PanelPoints->isVisible());

        QTest::mouseClick(In(w).ui->centralwidget, Qt::LeftButton, {}, QPoint(5, 640));
        QVERIFY(!In(w).ui->PanelPoints->isVisible());
        QCOMPARE(In(w).points.ax, qint16(0));  // not applied
    }

    void panelsLeftOpenCannotEditDuringARun()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        for (int i = 0; i < 12; ++i)
            w.PPButtonStepClick();  // the twelfth ШАГ meets the wall
        w.PPButtonDoProcClick();
        QVERIFY(In(w).ui->PanelProc->isVisible());
        In(w).ui->NMainDebug->trigger();
        bool enabledDuringRun = true;
        dialogs::messageHook = [&](const dialogs::MessageRecord &) {
            enabledDuringRun = In(w).ui->PanelProc->isEnabled() || In(w).ui->PanelIf->isEnabled()
                               || In(w).ui->PanelWhile->isEnabled() || In(w).ui->PanelComment->isEnabled();
        };
        w.FixToolButtonResultClick();
        QVERIFY(!enabledDuringRun);
        // Not in Отладка at all, and Esc there leaves the procedure buttons off.
        QVERIFY(!In(w).ui->PanelProc->isEnabled());
        QTest::keyClick(In(w).ui->FixToolButtonStop, Qt::Key_Escape);
        QVERIFY(!In(w).ui->PPButtonDoProc->isEnabled());
        In(w).ui->NMainWork->trigger();
        QVERIFY(In(w).ui->PanelProc->isEnabled());
    }

    void listingKeepsItsCurrentLine()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        QWidget *viewport = In(w).ui->lstCom->viewport();
        // A click below the last line, or a Ctrl+click on the current line.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, 400));
        QCOMPARE(w.CurrentLine(), 4);
        const QPoint onKon = In(w).ui->lstCom->visualRect(In(w).listing->index(4)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, onKon);
        QCOMPARE(w.CurrentLine(), 4);
        // Ctrl+Space toggles the selection in a list view; a deselection
        // made any other way is undone as well.
        In(w).ui->lstCom->setFocus();
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(w.CurrentLine(), 4);
        In(w).ui->lstCom->selectionModel()->clearSelection();
        QCOMPARE(w.CurrentLine(), 4);
        w.PPButtonStepClick();
        QCOMPARE(w.Lines().at(4), QStringLiteral("    ШАГ"));
        QCOMPARE(w.CurrentLine(), 5);

        // A run stopped on a frame line: back in Разработка the selection
        // rule puts the current line after НАЧ again.
        In(w).ui->NMainDebug->trigger();
        w.SetCurrentLine(0);
        In(w).ui->NMainWork->trigger();
        QCOMPARE(w.CurrentLine(), 4);

        // Enter on a focused condition button presses it.
        QTest::keyClick(In(w).ui->lstCom, Qt::Key_F7);
        QVERIFY(In(w).ui->PanelIf->isVisible());
        In(w).ui->ButtonIf->setFocus();
        QTest::keyClick(In(w).ui->ButtonIf, Qt::Key_Return);
        QVERIFY(!In(w).ui->PanelIf->isVisible());
        QCOMPARE(w.Lines().at(4), QStringLiteral("    ЕСЛИ впереди стена"));
    }

    // The current line is a bar of the palette's selection colour, enabled
    // or not, in an active window or not, whatever the style would draw for
    // a selected row.
    void currentLineIsAHighlightBar()
    {
        TfrmPvPupil w(1024);
        PaleSelectionStyle style;
        QListView *view = In(w).ui->lstCom;
        view->setStyle(&style);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        QCOMPARE(w.CurrentLine(), 4);
        // The inactive window's selection colours made those of its face,
        // as one platform's palette has them.
        QPalette palette = view->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Window));
        view->setPalette(palette);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!w.isActiveWindow());
        for (const bool enabled : {true, false}) {
            view->setEnabled(enabled);
            const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
            const QImage shown = view->viewport()->grab().toImage();
            const QRect kon = view->visualRect(In(w).listing->index(4));
            // The bar's end, clear of the line's text.
            const QPoint bar(kon.right() - 2, kon.center().y());
            QCOMPARE(QColor(shown.pixel(bar)), view->palette().color(group, QPalette::Highlight));
            const QRect nach = view->visualRect(In(w).listing->index(3));
            QCOMPARE(QColor(shown.pixel(nach.right() - 2, nach.center().y())),
                     view->palette().color(group, QPalette::Base));
        }
        view->setStyle(nullptr);
    }

    void statisticsShowLongCountsInFull()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        QStringList lines = editor::FrameLines();
        for (const char *line : {"ШАГ", "ПРОЦЕДУРА а", "ДЕЛАЙ а", "ЕСЛИ впереди стена", "ПОКА впереди стена"})
            for (int i = 0; i < 1234; ++i)
                lines << QString::fromUtf8(line);
        In(w).listing->setStringList(lines);
        In(w).RecountStatistics();
        QListWidget *list = In(w).ui->ListStatist;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // What the panel draws: each row as its delegate gives it, elided to its
        // width as the view does it.
        auto *delegate = dynamic_cast<StatisticsDelegate *>(list->itemDelegate());
        QVERIFY(delegate);
        const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const QFontMetrics metrics(list->font());
        for (int row : {2, 3, 4, 5, 6, 8}) {
            const QString text = list->item(row)->text();
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.widget = list;
            option.rect = list->visualItemRect(list->item(row));
            delegate->initStyleOption(&option, list->model()->index(row, 0));
            const int width = option.rect.width() - 2 * margin;
            const QString shown = metrics.elidedText(option.text, list->textElideMode(), width);
            const QString count = text.mid(text.lastIndexOf(QLatin1Char(' ')) + 1).remove(QLatin1Char('.'));
            QVERIFY2(count.toInt() >= 1234, qPrintable(text));
            QVERIFY2(shown.endsWith(count), qPrintable(shown));
            if (text.contains(QLatin1Char('.')))  // gave up dots: the row is shown whole
                QVERIFY2(shown == option.text && shown.startsWith(text.left(text.indexOf(QLatin1Char('.')))),
                         qPrintable(shown));
            else
                QVERIFY2(shown.left(3) == text.left(3), qPrintable(shown));
        }
    }

    void deletingTheSelectedProcedureChoosesNothing()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).ui->NMainBegin->trigger();
        In(w).ui->NMainWork->trigger();
        QStringList lines = editor::FrameLines();
        lines << QStringLiteral("ПРОЦЕДУРА a") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")
              << QStringLiteral("ПРОЦЕДУРА b") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ");
        In(w).listing->setStringList(lines);
        In(w).ui->ListBoxProc->addItems({QStringLiteral("a"), QStringLiteral("b")});
        w.SetCurrentLine(4);
        In(w).ui->ListBoxProc->setCurrentRow(1);  // b selected while the panel is closed
        w.PPButtonDoProcClick();
        QVERIFY(In(w).ui->PanelProc->isVisible());
        w.SetCurrentLine(7);                  // ПРОЦЕДУРА b
        w.N6Click();
        QStringList expected = editor::FrameLines();
        expected << QStringLiteral("ПРОЦЕДУРА a") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ") << QString();
        QCOMPARE(w.Lines(), expected);
        QCOMPARE(In(w).ui->ListBoxProc->count(), 1);
        QCOMPARE(In(w).ui->ListBoxProc->item(0)->text(), QStringLiteral("a"));
        QVERIFY(In(w).ui->PanelProc->isVisible());  // nothing was chosen
    }

    void closeDuringRunWaitsForTheRun()
    {
        TfrmPvPupil w(1024);
        w.show();
        In(w).running = true;
        QVERIFY(!w.close());
        QVERIFY(In(w).closePending);
        QVERIFY(w.isVisible());
        In(w).running = false;
        QVERIFY(w.close());
    }

private:
    QStringList messages;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
