// The listing's context menu: deletions, the Delete key, blank lines and
// comments, as the pupil reaches them in the window.
#include "Dialogs.h"
#include "common/lists.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include "editor/listing.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QStringListModel>
#include <QtTest>

#include <memory>

namespace {

QString Sp(int n, const char *key)
{
    return QString(n, QLatin1Char(' ')) + QString::fromUtf8(key);
}

QStringList Frame(const QStringList &body, const QStringList &after = {})
{
    QStringList lines = editor::FrameLines().mid(0, 4);
    lines << body << QStringLiteral("КОН") << after;
    return lines;
}

// Row 3 of the statistics: "команд" with the spaces and dots of a fresh frame
// until the first recount.
const QString kFreshCommands = QStringLiteral("команд      .............0");

} // namespace

class TestDeleting : public WorkWindowTest
{
    Q_OBJECT

private:

    void ShowWindow()
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

private slots:
    void init();
    void cleanup();

    void menuItems();
    void popupEnabling_data();
    void popupEnabling();
    void rightClickKeepsCurrentLine();

    void deleteOnlyLineOfThenPart();
    void deleteNestedConstruct();
    void deleteElsePart();
    void deleteProcedureWithCalls();
    void deleteLastProcedureLeavesBlank();
    void deleteBody();

    void deleteKey_data();
    void deleteKey();

    void blankLine();
    void commentEnter();
    void commentRefusesUnstorable();
    void commentFocusOut();
};

void TestDeleting::init()
{
    OpenWindow();
    w->NMainBeginClick();
    w->NMainWorkClick();
}

void TestDeleting::cleanup()
{
    CloseWindow();
}

void TestDeleting::menuItems()
{
    QCOMPARE(In(*w).ComMenu->objectName(), QStringLiteral("ComMenu"));
    QStringList names;
    for (QAction *a : In(*w).ComMenu->actions())
        names << a->objectName();
    QCOMPARE(names, (QStringList{"N1", "N3", "N2", "N6", "N4", "N8", "N5", "N7", "N10", "N11"}));
    QVERIFY(In(*w).N8->isSeparator());
    QCOMPARE(In(*w).N4->text(), QStringLiteral("Удалить тело алгоритма "));
    QCOMPARE(ui()->PanelComment->toolTip(), QStringLiteral("Введите любой текст."));
    QCOMPARE(ui()->EditComment->toolTip(), QStringLiteral("Введите любой текст в эту строчку."));
    QVERIFY(ui()->PanelComment->isHidden());
    QVERIFY(ui()->Label1->isHidden());
    QVERIFY(ui()->EditComment->isHidden());
}

void TestDeleting::popupEnabling_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("enabled");  // N1 N3 N2 N6
    QTest::newRow("step") << Sp(4, "ШАГ") << "1000";
    QTest::newRow("blank") << QString() << "1000";
    QTest::newRow("spaces only") << Sp(3, "") << "1000";
    QTest::newRow("call") << Sp(4, "ДЕЛАЙ угол") << "1000";
    QTest::newRow("comment") << QStringLiteral("//заметка") << "1000";
    QTest::newRow("else") << Sp(11, "ИНАЧЕ") << "0010";
    QTest::newRow("branch") << Sp(4, "ЕСЛИ впереди НЕ стена") << "0100";
    QTest::newRow("procedure") << QStringLiteral("ПРОЦЕДУРА угол") << "0001";
    QTest::newRow("end") << QStringLiteral("КОН") << "0000";
    QTest::newRow("loop end") << Sp(4, "КЦ") << "0000";
    QTest::newRow("given") << Sp(4, "Дано: Исполнитель в т.А") << "0000";
    QTest::newRow("foreign") << QStringLiteral("ВСЕ") << "1111";
    QTest::newRow("then, not in the table") << Sp(7, "ТО") << "1111";
}

void TestDeleting::popupEnabling()
{
    QFETCH(QString, line);
    QFETCH(QString, enabled);
    SetListing(Frame({Sp(4, "ШАГ"), line}), 5);
    // Items switched off for another line come back.
    In(*w).N1->setEnabled(false);
    In(*w).N10->setEnabled(false);
    w->ComMenuPopup();
    QString got;
    for (QAction *a : {In(*w).N1, In(*w).N3, In(*w).N2, In(*w).N6})
        got += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(got, enabled);
    for (QAction *a : {In(*w).N4, In(*w).N5, In(*w).N7, In(*w).N10, In(*w).N11})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

void TestDeleting::rightClickKeepsCurrentLine()
{
    ShowWindow();
    SetListing(Frame({Sp(4, "ШАГ"), Sp(4, "ПОКА впереди стена"), Sp(4, "НЦ"), Sp(4, "КЦ")}), 5);
    QListView *view = ui()->lstCom;
    const QPoint onShag = view->visualRect(In(*w).listing->index(4)).center();
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, onShag);
    QCOMPARE(w->CurrentLine(), 5);

    // The menu opens for the current line (the loop header), not the clicked one.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, onShag, view->viewport()->mapToGlobal(onShag));
    QApplication::sendEvent(view->viewport(), &menuEvent);
    QTRY_VERIFY(In(*w).ComMenu->isVisible());
    QCOMPARE(w->CurrentLine(), 5);
    QVERIFY(!In(*w).N1->isEnabled());
    QVERIFY(In(*w).N3->isEnabled());
    In(*w).ComMenu->hide();

    // A left click does move it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onShag);
    QCOMPARE(w->CurrentLine(), 4);
}

void TestDeleting::deleteOnlyLineOfThenPart()
{
    SetListing(Frame({Sp(4, "ЕСЛИ впереди стена"), Sp(7, "ТО"), Sp(11, "ШАГ"), Sp(7, "ИНАЧЕ"), Sp(4, "ВСЁ")}), 6);
    QCOMPARE(StatRow(2), kFreshCommands);
    w->N1Click();
    QCOMPARE(w->Lines(), Frame({Sp(4, "ЕСЛИ впереди стена"), Sp(7, "ТО"), Sp(7, "ИНАЧЕ"), Sp(4, "ВСЁ")}));
    QCOMPARE(w->CurrentLine(), 6);
    // Recounted: one branch, no commands.
    QCOMPARE(StatRow(2), QStringLiteral("команд     ..............0"));
    QCOMPARE(StatRow(5), QStringLiteral("ветвлений  .............1"));
}

void TestDeleting::deleteNestedConstruct()
{
    const QStringList outer{Sp(4, "ЕСЛИ впереди стена"), Sp(7, "ТО"),
                            Sp(11, "ЕСЛИ впереди НЕ стена"), Sp(14, "ТО"), Sp(14, "ИНАЧЕ"), Sp(11, "ВСЁ"),
                            Sp(11, "ПОКА впереди стена"), Sp(11, "НЦ"), Sp(15, "ШАГ"), Sp(11, "КЦ"),
                            Sp(7, "ИНАЧЕ"), Sp(11, "ПРЫЖОК"), Sp(4, "ВСЁ")};
    SetListing(Frame(QStringList{Sp(4, "ШАГ")} + outer + QStringList{Sp(4, "ПОВОРОТ")}), 5);
    w->N3Click();
    QCOMPARE(w->Lines(), Frame({Sp(4, "ШАГ"), Sp(4, "ПОВОРОТ")}));
    QCOMPARE(w->CurrentLine(), 5);
    QCOMPARE(StatRow(2), QStringLiteral("команд     ..............2"));

    // On a line that heads no construct only the statistics are recounted.
    SetListing(Frame({Sp(4, "ШАГ")}), 4);
    In(*w).ResetStatistics();
    w->N3Click();
    QCOMPARE(w->Lines(), Frame({Sp(4, "ШАГ")}));
    QCOMPARE(StatRow(2), QStringLiteral("команд     ..............1"));
}

void TestDeleting::deleteElsePart()
{
    SetListing(Frame({Sp(4, "ЕСЛИ впереди стена"), Sp(7, "ТО"), Sp(11, "ШАГ"), Sp(7, "ИНАЧЕ"), Sp(11, "ПРЫЖОК"),
                      Sp(11, "ЕСЛИ впереди стена"), Sp(14, "ТО"), Sp(11, "ВСЁ"), Sp(4, "ВСЁ")}),
               7);
    w->N2Click();
    QCOMPARE(w->Lines(), Frame({Sp(4, "ЕСЛИ впереди стена"), Sp(7, "ТО"), Sp(11, "ШАГ"), Sp(4, "ВСЁ")}));
    QCOMPARE(w->CurrentLine(), 7);
    QCOMPARE(StatRow(5), QStringLiteral("ветвлений  .............1"));
}

void TestDeleting::deleteProcedureWithCalls()
{
    // угол calls itself.
    const QStringList lines = Frame({Sp(4, "ШАГ")}, {QStringLiteral("ПРОЦЕДУРА угол"), Sp(4, "ДЕЛАЙ угол"),
                                                    QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")});
    SetListing(lines, 6);
    ui()->ListBoxProc->addItem(QStringLiteral("угол"));
    w->N6Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).kind, dialogs::Kind::Information);
    QCOMPARE(messages.at(0).text, QStringLiteral("Нельзя удалить процедуру \nбез удаления всех её вызовов !!!"));
    QCOMPARE(w->Lines(), lines);
    QCOMPARE(w->CurrentLine(), 6);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол")});
    QCOMPARE(StatRow(2), kFreshCommands);  // no recount after the refusal

    // Without its own call it goes.
    w->SetCurrentLine(7);
    w->N1Click();
    w->SetCurrentLine(6);
    w->N6Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(w->Lines(), Frame({Sp(4, "ШАГ")}, {QString()}));
    QCOMPARE(Procedures(), QStringList());
}

void TestDeleting::deleteLastProcedureLeavesBlank()
{
    SetListing(Frame({Sp(4, "ДЕЛАЙ б")},
                     {QStringLiteral("ПРОЦЕДУРА а"), Sp(4, "ШАГ"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
                      QStringLiteral("ПРОЦЕДУРА б"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}),
               6);
    ui()->ListBoxProc->addItems({QStringLiteral("а"), QStringLiteral("б")});
    w->N6Click();  // а: the procedure in the middle
    QCOMPARE(w->Lines(), Frame({Sp(4, "ДЕЛАЙ б")},
                               {QStringLiteral("ПРОЦЕДУРА б"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}));
    QCOMPARE(w->CurrentLine(), 6);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("б")});

    w->SetCurrentLine(4);
    w->N1Click();  // the call
    w->SetCurrentLine(5);
    w->N6Click();
    const QStringList expected = Frame({}, {QString()});
    QCOMPARE(w->Lines(), expected);
    QCOMPARE(w->CurrentLine(), 5);
    QCOMPARE(Procedures(), QStringList());

    // Deleting that blank line puts a new one in its place.
    QTest::keyClick(ui()->lstCom, Qt::Key_Delete);
    QCOMPARE(w->Lines(), expected);
    QCOMPARE(w->CurrentLine(), 5);
}

void TestDeleting::deleteBody()
{
    SetListing(Frame({Sp(4, "ДЕЛАЙ угол"), Sp(4, "ШАГ")},
                     {QStringLiteral("ПРОЦЕДУРА угол"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
                      QStringLiteral("ПРОЦЕДУРА край"), QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")}),
               5);
    ui()->ListBoxProc->addItems({QStringLiteral("угол"), QStringLiteral("край")});
    In(*w).RecountStatistics();
    w->N4Click();
    QCOMPARE(w->Lines(), editor::FrameLines());
    QCOMPARE(w->CurrentLine(), 4);
    QCOMPARE(ui()->ListBoxProc->count(), 0);
    QCOMPARE(StatRow(2), kFreshCommands);
    QVERIFY(messages.isEmpty());
}

void TestDeleting::deleteKey_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("deletes");
    QTest::newRow("step") << Sp(4, "ШАГ") << true;
    QTest::newRow("call") << Sp(4, "ДЕЛАЙ угол") << true;
    QTest::newRow("comment") << QStringLiteral("//x") << true;
    QTest::newRow("blank") << QString() << true;
    QTest::newRow("branch header") << Sp(4, "ЕСЛИ впереди стена") << false;
    QTest::newRow("loop end") << Sp(4, "КЦ") << false;
    QTest::newRow("procedure") << QStringLiteral("ПРОЦЕДУРА угол") << false;
    QTest::newRow("foreign") << QStringLiteral("что-то") << false;
}

void TestDeleting::deleteKey()
{
    QFETCH(QString, line);
    QFETCH(bool, deletes);
    const QStringList lines = Frame({Sp(4, "ПОВОРОТ"), line});
    SetListing(lines, 5);
    QTest::keyClick(ui()->lstCom, Qt::Key_Delete);
    if (deletes) {
        QCOMPARE(w->Lines(), Frame({Sp(4, "ПОВОРОТ")}));
        QCOMPARE(w->CurrentLine(), 5);
        QCOMPARE(StatRow(2), QStringLiteral("команд     ..............1"));
    } else {
        QCOMPARE(w->Lines(), lines);
        QCOMPARE(w->CurrentLine(), 5);
        QCOMPARE(StatRow(2), kFreshCommands);
    }

    // Frame lines stay whatever the key.
    SetListing(lines, 3);
    QTest::keyClick(ui()->lstCom, Qt::Key_Delete);
    QCOMPARE(w->Lines(), lines);
}

void TestDeleting::blankLine()
{
    SetListing(Frame({Sp(4, "ПОКА впереди стена"), Sp(4, "НЦ"), Sp(8, "ШАГ"), Sp(4, "КЦ")}), 6);
    w->N5Click();
    QCOMPARE(w->Lines(), Frame({Sp(4, "ПОКА впереди стена"), Sp(4, "НЦ"), QString(), Sp(8, "ШАГ"), Sp(4, "КЦ")}));
    QCOMPARE(w->CurrentLine(), 7);
    QCOMPARE(StatRow(2), kFreshCommands);  // not recounted
}

void TestDeleting::commentEnter()
{
    ShowWindow();
    const QStringList body{Sp(4, "ПОКА впереди стена"), Sp(4, "НЦ"), Sp(8, "ШАГ"), Sp(4, "КЦ")};
    SetListing(Frame(body), 6);
    ui()->EditComment->setText(QStringLiteral("old"));
    w->N7Click();
    QVERIFY(ui()->PanelComment->isVisible());
    QVERIFY(ui()->Label1->isVisible());
    QVERIFY(ui()->EditComment->isVisible());
    QVERIFY(ui()->EditComment->text().isEmpty());
    QTRY_VERIFY(ui()->EditComment->hasFocus());

    QTest::keyClicks(ui()->EditComment, QStringLiteral(" a: b "));
    for (const QChar ch : QStringLiteral("ход"))
        QTest::sendKeyEvent(QTest::Click, ui()->EditComment, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    // Esc does nothing here.
    QTest::keyClick(ui()->EditComment, Qt::Key_Escape);
    QVERIFY(ui()->EditComment->isVisible());
    QCOMPARE(w->Lines(), Frame(body));

    QTest::keyClick(ui()->EditComment, Qt::Key_Return);
    QCOMPARE(w->Lines(), Frame({Sp(4, "ПОКА впереди стена"), Sp(4, "НЦ"), QStringLiteral("// a: b ход"),
                                Sp(8, "ШАГ"), Sp(4, "КЦ")}));
    QCOMPARE(w->CurrentLine(), 7);
    QVERIFY(ui()->PanelComment->isHidden());
    QVERIFY(ui()->Label1->isHidden());
    QVERIFY(ui()->EditComment->isHidden());
    QCOMPARE(StatRow(2), kFreshCommands);  // not recounted

    // An empty text gives "//".
    w->N7Click();
    QTest::keyClick(ui()->EditComment, Qt::Key_Enter);
    QCOMPARE(w->Lines().at(7), QStringLiteral("//"));
    QCOMPARE(w->Lines().at(8), Sp(8, "ШАГ"));
}

void TestDeleting::commentRefusesUnstorable()
{
    ShowWindow();
    SetListing(Frame({}), 4);
    w->N7Click();
    QTRY_VERIFY(ui()->EditComment->hasFocus());
    for (const QString &s : {QStringLiteral("я"), QStringLiteral("中"), QStringLiteral("€"), QStringLiteral("α")})
        QTest::sendKeyEvent(QTest::Click, ui()->EditComment, Qt::Key_unknown, s, Qt::NoModifier);
    QCOMPARE(ui()->EditComment->text(), QStringLiteral("я€"));
    // Editing keys still work.
    QTest::keyClick(ui()->EditComment, Qt::Key_Backspace);
    QCOMPARE(ui()->EditComment->text(), QStringLiteral("я"));
    // Text with a line break cannot get in by other ways either.
    ui()->EditComment->insert(QStringLiteral("a\nb"));
    QCOMPARE(ui()->EditComment->text(), QStringLiteral("я"));
    QTest::keyClick(ui()->EditComment, Qt::Key_Return);
    QCOMPARE(w->Lines().at(4), QStringLiteral("//я"));
}

void TestDeleting::commentFocusOut()
{
    ShowWindow();
    const QStringList lines = Frame({Sp(4, "ШАГ")});
    SetListing(lines, 5);
    w->N7Click();
    QTRY_VERIFY(ui()->EditComment->hasFocus());
    QTest::keyClicks(ui()->EditComment, QStringLiteral("abc"));
    ui()->lstCom->setFocus(Qt::MouseFocusReason);
    QVERIFY(ui()->PanelComment->isHidden());
    QVERIFY(ui()->Label1->isHidden());
    QVERIFY(ui()->EditComment->isHidden());
    QCOMPARE(w->Lines(), lines);
    QCOMPARE(w->CurrentLine(), 5);
}

QTEST_MAIN(TestDeleting)
#include "tst_deleting.moc"
