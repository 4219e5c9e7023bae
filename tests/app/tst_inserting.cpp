// Inserting from the command panel, the condition and procedure panels, the
// selection rule and the statistics panel, as the pupil reaches them in the
// window: button clicks, function keys, clicks in the listing, typed names.
#include "Dialogs.h"
#include "common/lists.h"
#include "common/example.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include "editor/listing.h"

#include <QClipboard>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>
#include <QStringListModel>
#include <QtTest>

#include <memory>

namespace {

QString Sp(int n, const QString &key)
{
    return QString(n, QLatin1Char(' ')) + key;
}

const QString kAlreadyTail = QStringLiteral(" уже описана");

} // namespace

class TestInserting : public WorkWindowTest
{
    Q_OBJECT

private:
    QString SelectedProcedure() const
    {
        const auto selected = ui()->ListBoxProc->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }
    void ClickName(int row)
    {
        QListWidget *list = ui()->ListBoxProc;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    int TopRow() const { return ui()->lstCom->indexAt(QPoint(3, 3)).row(); }
    // A new procedure through the panel of the given button and the edit box.
    void NewProcedure(QPushButton *button, const QString &name)
    {
        Click(button);
        ui()->EditNewProc->setFocus();
        Type(ui()->EditNewProc, name);
        QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    }

private slots:
    void init();
    void cleanup();

    void hintsOfThePanels_data();
    void hintsOfThePanels();
    void statisticsPanelLook();
    void buildExampleListing();
    void functionKeyThreeTimes();
    void negatedBranchBeforeEnd();
    void loopPanel();
    void conditionPanelEsc();
    void selectionRuleByClick_data();
    void selectionRuleByClick();
    void selectionRuleByUpKey_data();
    void selectionRuleByUpKey();
    void clickOnCurrentLineAppliesNoRule();
    void commandBeforeProcedureHeader();
    void newProcedureNames_data();
    void newProcedureNames();
    void duplicateAndCase();
    void callFromListInsertsOnlyCall();
    void describeDescribedName();
    void enterInListClosesPanel();
    void upDownInList();
    void listWithoutSelection();
    void emptyListKeys();
    void escInProcedurePanel();
    void noCurrentLine();
    void scrollKeepsInsertedRowInMiddle();
    void refusesCharactersOutsideCodePage();
};

void TestInserting::init()
{
    OpenWindow();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->NMainBeginClick();
    w->NMainWorkClick();
    QCOMPARE(In(*w).stage, TfrmPvPupil::Stage::Work);
    QCOMPARE(w->CurrentLine(), 4);
}

void TestInserting::cleanup()
{
    CloseWindow();
}

void TestInserting::hintsOfThePanels_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"PPButtonStep", "PPButtonJump", "PPButtonTurn", "PPButtonProc", "PPButtonDoProc",
                             "PPButtonIf", "PPButtonWhile", "ButtonIf", "ButtonIfNot", "ButtonWhile",
                             "ButtonWhileNot", "ListBoxProc", "EditNewProc", "lstCom", "ListStatist"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Each control has a short hint for its tool tip and a long one that the
// status bar shows while the mouse is over it.
void TestInserting::hintsOfThePanels()
{
    QFETCH(QString, control);
    auto *widget = w->findChild<QWidget *>(control);
    QVERIFY(widget);
    QVERIFY(!widget->toolTip().isEmpty());
    QVERIFY(!widget->statusTip().isEmpty());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(widget, &enter);
    QCOMPARE(ui()->StatusBar1->currentMessage(), widget->statusTip());
}

void TestInserting::statisticsPanelLook()
{
    QCOMPARE(ui()->ListStatist->font().pixelSize(), 11);
    QCOMPARE(ui()->ListStatist->frameShape(), QFrame::Box);
    QCOMPARE(ui()->ListStatist->count(), 9);
    // Starting rows until the first recount.
    QCOMPARE(StatRow(2), QStringLiteral("команд      .............0"));
    QCOMPARE(StatRow(8), QStringLiteral("Итого:  строк   .....5"));
    const QRect r0 = ui()->ListStatist->visualItemRect(ui()->ListStatist->item(0));
    const QRect r1 = ui()->ListStatist->visualItemRect(ui()->ListStatist->item(1));
    QCOMPARE(r1.top() - r0.top(), 13);
}

void TestInserting::buildExampleListing()
{
    Click(ui()->PPButtonStep);                 // ШАГ before КОН
    Click(ui()->PPButtonWhile);                // ПОКА впереди НЕ стена before КОН
    QVERIFY(ui()->PanelWhile->isVisible());
    Click(ui()->ButtonWhileNot);
    QVERIFY(!ui()->PanelWhile->isVisible());
    QCOMPARE(w->CurrentLine(), 7);             // КЦ
    Click(ui()->PPButtonStep);                 // ШАГ in the loop
    Click(ui()->PPButtonIf);                   // ЕСЛИ впереди стена in the loop
    Click(ui()->ButtonIf);
    QCOMPARE(w->CurrentLine(), 10);            // ИНАЧЕ
    Click(ui()->PPButtonTurn);                 // ПОВОРОТ in the ТО part
    ClickRow(12);                              // ВСЁ
    QCOMPARE(w->CurrentLine(), 12);
    Click(ui()->PPButtonJump);                 // ПРЫЖОК before ВСЁ
    ClickRow(15);                              // КОН
    QCOMPARE(w->Lines().at(15), QStringLiteral("КОН"));

    // ВЫЗОВ of a new procedure: the list is empty, so the edit box has the focus.
    Click(ui()->PPButtonDoProc);
    QVERIFY(ui()->PanelProc->isVisible());
    QVERIFY(!ui()->PPButtonProc->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->EditNewProc));
    Type(ui()->EditNewProc, QStringLiteral("угол"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    QVERIFY(messages.isEmpty());
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QVERIFY(ui()->PPButtonDoProc->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonDoProc));
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол")});
    QCOMPARE(w->CurrentLine(), 16);            // КОН stays current

    ClickRow(18);                              // КОНЕЦ ПРОЦЕДУРЫ
    Click(ui()->PPButtonTurn);

    const QStringList expected = ExampleListing();
    const QStringList lines = w->Lines();
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));

    QCOMPARE(StatRow(2), QStringLiteral("команд     ..............5"));
    QCOMPARE(StatRow(3), QStringLiteral("процедур   ..............1"));
    QCOMPARE(StatRow(4), QStringLiteral("вызовов процедур 1"));
    QCOMPARE(StatRow(5), QStringLiteral("ветвлений  .............1"));
    QCOMPARE(StatRow(6), QStringLiteral("циклов      ..............1"));
    QCOMPARE(StatRow(8), QStringLiteral("Итого:  строк   ......20"));
}

void TestInserting::functionKeyThreeTimes()
{
    ui()->lstCom->setFocus();
    for (int i = 0; i < 3; ++i)
        Press(Qt::Key_F2);
    QCOMPARE(w->Lines().mid(4), (QStringList{Sp(4, QStringLiteral("ШАГ")), Sp(4, QStringLiteral("ШАГ")),
                                             Sp(4, QStringLiteral("ШАГ")), QStringLiteral("КОН")}));
    QCOMPARE(w->CurrentLine(), 7);
    // The focus stays where it was.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->lstCom));
}

void TestInserting::negatedBranchBeforeEnd()
{
    Press(Qt::Key_F7);
    QVERIFY(ui()->PanelIf->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ButtonIf));
    // Level with ВЕТВЛЕНИЕ, at the right edge of the command panel.
    const QWidget *panel = ui()->PPPanelSystCom;
    QCOMPARE(ui()->PanelIf->x(), panel->x() + panel->width());
    QCOMPARE(ui()->PanelIf->y(), panel->y() + ui()->PPButtonIf->y());
    QCOMPARE(ui()->PanelIf->mapTo(w.get(), QPoint(0, 0)).y(),
             ui()->PPButtonIf->mapTo(w.get(), QPoint(0, 0)).y());

    Click(ui()->ButtonIfNot);
    QVERIFY(!ui()->PanelIf->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonIf));
    QCOMPARE(w->Lines().mid(4), (QStringList{Sp(4, QStringLiteral("ЕСЛИ впереди НЕ стена")),
                                             Sp(7, QStringLiteral("ТО")), Sp(7, QStringLiteral("ИНАЧЕ")),
                                             Sp(4, QStringLiteral("ВСЁ")), QStringLiteral("КОН")}));
    QCOMPARE(w->CurrentLine(), 6);
    Press(Qt::Key_F2);
    QCOMPARE(w->Lines().at(6), Sp(11, QStringLiteral("ШАГ")));
    QCOMPARE(w->Lines().at(7), Sp(7, QStringLiteral("ИНАЧЕ")));
}

void TestInserting::loopPanel()
{
    Press(Qt::Key_F8);
    QVERIFY(ui()->PanelWhile->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ButtonWhile));
    const QWidget *panel = ui()->PPPanelSystCom;
    QCOMPARE(ui()->PanelWhile->x(), panel->x() + panel->width());
    QCOMPARE(ui()->PanelWhile->y(), panel->y() + ui()->PPButtonWhile->y());

    Click(ui()->ButtonWhile);
    QVERIFY(!ui()->PanelWhile->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonWhile));
    QCOMPARE(w->Lines().mid(4), (QStringList{Sp(4, QStringLiteral("ПОКА впереди стена")),
                                             Sp(4, QStringLiteral("НЦ")), Sp(4, QStringLiteral("КЦ")),
                                             QStringLiteral("КОН")}));
    QCOMPARE(w->CurrentLine(), 6);
    Press(Qt::Key_F3);
    QCOMPARE(w->Lines().at(6), Sp(8, QStringLiteral("ПРЫЖОК")));
}

void TestInserting::conditionPanelEsc()
{
    const QStringList before = w->Lines();
    Press(Qt::Key_F7);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ButtonIf));
    QTest::keyClick(ui()->ButtonIfNot, Qt::Key_Escape);
    QVERIFY(!ui()->PanelIf->isVisible());

    Press(Qt::Key_F8);
    QTest::keyClick(ui()->ButtonWhile, Qt::Key_Escape);
    QVERIFY(!ui()->PanelWhile->isVisible());
    QCOMPARE(w->Lines(), before);
}

// A listing with every line the selection rule knows.
static QStringList RuleListing()
{
    return {
        QStringLiteral("АЛГОРИТМ ПУТЬ_0"),                      // 0
        Sp(4, QStringLiteral("Дано: Исполнитель в т.А")),       // 1
        Sp(4, QStringLiteral("Надо: Воспроизвести образец")),   // 2
        QStringLiteral("НАЧ"),                                  // 3
        Sp(4, QStringLiteral("ПОКА впереди стена")),            // 4
        Sp(4, QStringLiteral("НЦ")),                            // 5
        Sp(4, QStringLiteral("КЦ")),                            // 6
        Sp(4, QStringLiteral("ПОКА впереди НЕ стена")),         // 7
        Sp(4, QStringLiteral("НЦ")),                            // 8
        Sp(8, QStringLiteral("ШАГ")),                           // 9
        Sp(4, QStringLiteral("КЦ")),                            // 10
        Sp(4, QStringLiteral("ЕСЛИ впереди стена")),            // 11
        Sp(7, QStringLiteral("ТО")),                            // 12
        Sp(7, QStringLiteral("ИНАЧЕ")),                         // 13
        Sp(11, QStringLiteral("ПОВОРОТ")),                      // 14
        Sp(4, QStringLiteral("ВСЁ")),                           // 15
        Sp(4, QStringLiteral("ЕСЛИ впереди НЕ стена")),         // 16
        Sp(7, QStringLiteral("ТО")),                            // 17
        Sp(11, QStringLiteral("ПРЫЖОК")),                       // 18
        Sp(4, QStringLiteral("ВСЁ")),                           // 19
        QStringLiteral("КОН"),                                  // 20
    };
}

void TestInserting::selectionRuleByClick_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("current");
    QTest::newRow("title") << 0 << 4;
    QTest::newRow("given") << 1 << 4;
    QTest::newRow("goal") << 2 << 4;
    QTest::newRow("start") << 3 << 4;
    QTest::newRow("НЦ of empty body") << 5 << 6;
    QTest::newRow("НЦ of non-empty body") << 8 << 9;
    QTest::newRow("ТО of empty part") << 12 << 13;
    QTest::newRow("ТО of non-empty part") << 17 << 18;
    QTest::newRow("loop header") << 7 << 7;
    QTest::newRow("ИНАЧЕ") << 13 << 13;
    QTest::newRow("body line") << 9 << 9;
    QTest::newRow("end") << 20 << 20;
}

void TestInserting::selectionRuleByClick()
{
    QFETCH(int, clicked);
    QFETCH(int, current);
    SetListing(RuleListing(), 15);
    ClickRow(clicked);
    // The rule's line is both current and the one selected row.
    QCOMPARE(w->CurrentLine(), current);
    QCOMPARE(ui()->lstCom->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(ui()->lstCom->selectionModel()->selectedRows().first().row(), current);
    // An insertion goes where the rule put the current line.
    Press(Qt::Key_F2);
    QVERIFY(w->Lines().at(current).endsWith(QStringLiteral("ШАГ")));
    QCOMPARE(w->CurrentLine(), current + 1);
}

void TestInserting::selectionRuleByUpKey_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("current");
    QTest::newRow("onto НЦ") << 9 << 9;
    QTest::newRow("onto НЦ of empty body") << 6 << 6;
    QTest::newRow("onto ТО") << 13 << 13;
    QTest::newRow("onto НАЧ") << 4 << 4;
    QTest::newRow("onto КЦ") << 11 << 10;
    QTest::newRow("onto a command") << 10 << 9;
}

void TestInserting::selectionRuleByUpKey()
{
    QFETCH(int, from);
    QFETCH(int, current);
    SetListing(RuleListing(), from);
    ui()->lstCom->setFocus();
    QTest::keyClick(ui()->lstCom, Qt::Key_Up);
    QCoreApplication::processEvents();
    QCOMPARE(w->CurrentLine(), current);
    // Single Up presses cannot pass such a line.
    QTest::keyClick(ui()->lstCom, Qt::Key_Up);
    QCoreApplication::processEvents();
    if (from == current)
        QCOMPARE(w->CurrentLine(), current);
}

void TestInserting::clickOnCurrentLineAppliesNoRule()
{
    // An operation may leave a ТО line current; clicking it again changes nothing.
    SetListing(RuleListing(), 12);
    ClickRow(12);
    QCOMPARE(w->CurrentLine(), 12);
}

void TestInserting::commandBeforeProcedureHeader()
{
    NewProcedure(ui()->PPButtonProc, QStringLiteral("П"));
    QCOMPARE(w->Lines().mid(5), (QStringList{QStringLiteral("ПРОЦЕДУРА П"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));
    // Describe mode makes the new КОНЕЦ ПРОЦЕДУРЫ current: the body is at 4.
    QCOMPARE(w->CurrentLine(), 6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonProc));
    Press(Qt::Key_F2);
    QCOMPARE(w->Lines().at(6), Sp(4, QStringLiteral("ШАГ")));

    ClickRow(5);
    Press(Qt::Key_F4);
    QCOMPARE(w->Lines().at(5), QStringLiteral("ПОВОРОТ"));
    QCOMPARE(w->Lines().at(6), QStringLiteral("ПРОЦЕДУРА П"));
    QCOMPARE(w->CurrentLine(), 6);
}

void TestInserting::newProcedureNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("Введите имя новой процедуры");
    QTest::newRow("leading digit") << QStringLiteral("1угол")
                                   << QStringLiteral("Имя процедуры должно начинаться с буквы");
    QTest::newRow("leading zero") << QStringLiteral("0") << QStringLiteral("Имя процедуры должно начинаться с буквы");
    QTest::newRow("underscore") << QStringLiteral("_угол") << QString();
    QTest::newRow("latin") << QStringLiteral("Ugol2") << QString();
    QTest::newRow("leading space") << QStringLiteral(" угол") << QString();
    QTest::newRow("inner and trailing spaces") << QStringLiteral("большой угол ") << QString();
}

void TestInserting::newProcedureNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QStringList before = w->Lines();
    NewProcedure(ui()->PPButtonProc, name);

    if (!message.isEmpty()) {
        QCOMPARE(MessageTexts(), QStringList{message});
        QCOMPARE(messages.first().kind, dialogs::Kind::Information);
        // Refused: nothing changes, the panel stays open with the input.
        QCOMPARE(w->Lines(), before);
        QVERIFY(ui()->PanelProc->isVisible());
        QCOMPARE(ui()->EditNewProc->text(), name);
        QVERIFY(!ui()->PPButtonDoProc->isEnabled());
        QVERIFY(Procedures().isEmpty());
        return;
    }
    QVERIFY(messages.isEmpty());
    QVERIFY(!ui()->PanelProc->isVisible());
    QCOMPARE(Procedures(), QStringList{name});
    QCOMPARE(w->Lines().mid(5),
             (QStringList{QStringLiteral("ПРОЦЕДУРА ") + name, QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));
}

void TestInserting::duplicateAndCase()
{
    NewProcedure(ui()->PPButtonDoProc, QStringLiteral("угол"));
    const QStringList before = w->Lines();

    NewProcedure(ui()->PPButtonDoProc, QStringLiteral("угол"));
    QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Процедура с именем угол") + kAlreadyTail});
    QCOMPARE(w->Lines(), before);
    QVERIFY(ui()->PanelProc->isVisible());
    QCOMPARE(ui()->EditNewProc->text(), QStringLiteral("угол"));

    // Another case is another name.
    ui()->EditNewProc->clear();
    Type(ui()->EditNewProc, QStringLiteral("Угол"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(Procedures(), (QStringList{QStringLiteral("угол"), QStringLiteral("Угол")}));
    QCOMPARE(w->Lines().count(QStringLiteral("    ДЕЛАЙ Угол")), 1);
    QCOMPARE(w->Lines().count(QStringLiteral("ПРОЦЕДУРА Угол")), 1);
    QCOMPARE(w->Lines().count(QStringLiteral("ПРОЦЕДУРА угол")), 1);
}

void TestInserting::callFromListInsertsOnlyCall()
{
    NewProcedure(ui()->PPButtonDoProc, QStringLiteral("угол"));
    NewProcedure(ui()->PPButtonDoProc, QStringLiteral("круг"));
    QCOMPARE(w->Lines().size(), 11);
    QCOMPARE(SelectedProcedure(), QStringLiteral("круг"));

    // The panel opens with the last accepted name selected and the list focused;
    // clicking that name chooses nothing.
    Click(ui()->PPButtonDoProc);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ListBoxProc));
    QCOMPARE(SelectedProcedure(), QStringLiteral("круг"));
    QVERIFY(ui()->EditNewProc->text().isEmpty());
    ClickName(1);
    QVERIFY(ui()->PanelProc->isVisible());
    QCOMPARE(w->Lines().size(), 11);

    // Clicking another name chooses it: only the call is inserted.
    ClickName(0);
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QCOMPARE(w->Lines().size(), 12);
    QCOMPARE(w->Lines().at(6), Sp(4, QStringLiteral("ДЕЛАЙ угол")));
    QCOMPARE(w->Lines().at(7), QStringLiteral("КОН"));
    QCOMPARE(w->CurrentLine(), 7);
    QCOMPARE(w->Lines().count(QStringLiteral("ПРОЦЕДУРА угол")), 1);
    QCOMPARE(StatRow(4), QStringLiteral("вызовов процедур 3"));
    QCOMPARE(StatRow(3), QStringLiteral("процедур   ..............2"));
}

void TestInserting::describeDescribedName()
{
    NewProcedure(ui()->PPButtonProc, QStringLiteral("угол"));
    NewProcedure(ui()->PPButtonProc, QStringLiteral("круг"));
    const QStringList before = w->Lines();
    const int current = w->CurrentLine();

    // A click on another name: the message, and the panel stays open.
    Press(Qt::Key_F5);
    QVERIFY(!ui()->PPButtonDoProc->isEnabled());
    ClickName(0);
    QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Процедура с именем угол") + kAlreadyTail});
    QCOMPARE(messages.first().kind, dialogs::Kind::Information);
    QVERIFY(ui()->PanelProc->isVisible());
    QVERIFY(!ui()->PPButtonDoProc->isEnabled());
    QCOMPARE(w->Lines(), before);
    QCOMPARE(w->CurrentLine(), current);
}

void TestInserting::enterInListClosesPanel()
{
    NewProcedure(ui()->PPButtonProc, QStringLiteral("угол"));
    const QStringList before = w->Lines();

    Click(ui()->PPButtonProc);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ListBoxProc));
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Return);
    QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Процедура с именем угол") + kAlreadyTail});
    QCOMPARE(w->Lines(), before);
    // Closed whatever the outcome.
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QVERIFY(ui()->PPButtonDoProc->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonDoProc));

    // In call mode Enter inserts the call and closes as well.
    Click(ui()->PPButtonDoProc);
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Enter);
    QCOMPARE(messages.size(), 1);
    // Before the current line, the new description's КОНЕЦ ПРОЦЕДУРЫ.
    QCOMPARE(w->Lines().at(6), Sp(4, QStringLiteral("ДЕЛАЙ угол")));
    QVERIFY(!ui()->PanelProc->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonDoProc));
}

void TestInserting::upDownInList()
{
    for (const QString &name : {QStringLiteral("а"), QStringLiteral("б"), QStringLiteral("в")})
        NewProcedure(ui()->PPButtonProc, name);
    const QStringList before = w->Lines();
    QCOMPARE(SelectedProcedure(), QStringLiteral("в"));

    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ListBoxProc));
    QListWidget *list = ui()->ListBoxProc;
    QTest::keyClick(list, Qt::Key_Down);           // from the last: the first
    QCOMPARE(SelectedProcedure(), QStringLiteral("а"));
    QTest::keyClick(list, Qt::Key_Up);             // from the first: the last
    QCOMPARE(SelectedProcedure(), QStringLiteral("в"));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(SelectedProcedure(), QStringLiteral("б"));
    QCOMPARE(list->selectedItems().size(), 1);
    // Moves choose nothing.
    QVERIFY(ui()->PanelProc->isVisible());
    QCOMPARE(w->Lines(), before);

    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(w->Lines().at(10), Sp(4, QStringLiteral("ДЕЛАЙ б")));
    QCOMPARE(w->Lines().size(), before.size() + 1);
    QVERIFY(!ui()->PanelProc->isVisible());
}

void TestInserting::listWithoutSelection()
{
    // A list rebuilt with no name selected (as loading a file does).
    NewProcedure(ui()->PPButtonProc, QStringLiteral("а"));
    NewProcedure(ui()->PPButtonProc, QStringLiteral("б"));
    const QStringList names = Procedures();
    ui()->ListBoxProc->clear();
    ui()->ListBoxProc->addItems(names);
    const QStringList before = w->Lines();

    // Opening the panel focuses the list; that alone chooses nothing.
    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ListBoxProc));
    QCoreApplication::processEvents();
    QVERIFY(ui()->PanelProc->isVisible());
    QCOMPARE(w->Lines(), before);

    // Enter with no name selected only closes the panel.
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Return);
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QCOMPARE(w->Lines(), before);
    QVERIFY(messages.isEmpty());

    // Up with no name selected takes the last name, Down the first.
    ui()->ListBoxProc->clear();
    ui()->ListBoxProc->addItems(names);
    Press(Qt::Key_F6);
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Up);
    QCOMPARE(SelectedProcedure(), QStringLiteral("б"));
    ui()->ListBoxProc->clearSelection();
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Down);
    QCOMPARE(SelectedProcedure(), QStringLiteral("а"));
    QCOMPARE(w->Lines(), before);
}

void TestInserting::emptyListKeys()
{
    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->EditNewProc));
    ui()->ListBoxProc->setFocus();
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Up);
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Down);
    QCOMPARE(ui()->ListBoxProc->count(), 0);
    QVERIFY(ui()->PanelProc->isVisible());
    QCOMPARE(w->Lines().size(), 5);
}

void TestInserting::escInProcedurePanel()
{
    Press(Qt::Key_F5);
    Type(ui()->EditNewProc, QStringLiteral("абв"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Escape);
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QVERIFY(ui()->PPButtonDoProc->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->PPButtonDoProc));
    QCOMPARE(w->Lines().size(), 5);

    // Reopened: the edit box starts empty.
    Press(Qt::Key_F6);
    QVERIFY(ui()->EditNewProc->text().isEmpty());
    Type(ui()->EditNewProc, QStringLiteral("угол"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ui()->ListBoxProc));
    QTest::keyClick(ui()->ListBoxProc, Qt::Key_Escape);
    QVERIFY(!ui()->PanelProc->isVisible());
    QVERIFY(ui()->PPButtonProc->isEnabled());
    QCOMPARE(w->Lines().size(), 8);
}

void TestInserting::noCurrentLine()
{
    w->SetCurrentLine(-1);
    QCOMPARE(w->CurrentLine(), -1);
    const QStringList before = w->Lines();
    Click(ui()->PPButtonStep);
    Press(Qt::Key_F7);
    Click(ui()->ButtonIf);
    Press(Qt::Key_F8);
    Click(ui()->ButtonWhileNot);
    QCOMPARE(w->Lines(), before);

    // A call needs a line to go before: the new name is not taken either.
    Press(Qt::Key_F6);
    Type(ui()->EditNewProc, QStringLiteral("угол"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    QCOMPARE(w->Lines(), before);
    QVERIFY(Procedures().isEmpty());
    QVERIFY(ui()->PanelProc->isVisible());
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Escape);

    // A description does not need one.
    Press(Qt::Key_F5);
    Type(ui()->EditNewProc, QStringLiteral("угол"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    QCOMPARE(w->Lines().mid(5), (QStringList{QStringLiteral("ПРОЦЕДУРА угол"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));
}

void TestInserting::scrollKeepsInsertedRowInMiddle()
{
    QCOMPARE(In(*w).halfPage, 17);
    ui()->lstCom->setFocus();
    for (int i = 0; i < 80; ++i)
        Press(Qt::Key_F2);
    QCOMPARE(w->Lines().size(), 85);

    // An insertion at row k brings row k - halfPage to the top.
    ClickRow(40);
    Press(Qt::Key_F3);
    QCOMPARE(w->Lines().at(40), Sp(4, QStringLiteral("ПРЫЖОК")));
    QCOMPARE(TopRow(), 40 - In(*w).halfPage);

    // Near the start the top row is clamped to 0.
    ClickRow(10);
    Press(Qt::Key_F4);
    QCOMPARE(TopRow(), 0);

    // A branch is scrolled with its ВСЁ line (k + 3) as the middle row.
    ClickRow(60);
    Press(Qt::Key_F7);
    Click(ui()->ButtonIf);
    QCOMPARE(TopRow(), 63 - In(*w).halfPage);
}

void TestInserting::refusesCharactersOutsideCodePage()
{
    Press(Qt::Key_F6);
    Type(ui()->EditNewProc, QStringLiteral("уг"));
    Type(ui()->EditNewProc, QStringLiteral("Ω"));
    QTest::sendKeyEvent(QTest::Click, ui()->EditNewProc, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    Type(ui()->EditNewProc, QStringLiteral("ол№ё"));
    QCOMPARE(ui()->EditNewProc->text(), QStringLiteral("угол№ё"));
    // Backspace still edits.
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Backspace);
    QCOMPARE(ui()->EditNewProc->text(), QStringLiteral("угол№"));

    // Pasted text loses what a file could not hold, line breaks included.
    QGuiApplication::clipboard()->setText(QStringLiteral("а\nΩб\tв"));
    ui()->EditNewProc->clear();
    QTest::keyClick(ui()->EditNewProc, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("а\nΩб\tв"));
    QCOMPARE(ui()->EditNewProc->text(), QStringLiteral("абв"));

    ui()->EditNewProc->setText(QStringLiteral("угол№"));
    QTest::keyClick(ui()->EditNewProc, Qt::Key_Return);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол№")});
    QCOMPARE(w->Lines().at(4), Sp(4, QStringLiteral("ДЕЛАЙ угол№")));
}

QTEST_MAIN(TestInserting)
#include "tst_inserting.moc"
