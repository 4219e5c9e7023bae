// Statistics counts and the panel's row texts.

#include <QtTest>

#include "editor/listing.h"
#include "editor/statistics.h"

using namespace editor;

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void exampleListing();
    void startingRowsVersusRecountOfFrame();
    void linesThatCountNothing_data();
    void linesThatCountNothing();
    void longNumbers();
    void fittingGivesUpDotsOnly();
};

static QStringList exampleListing()
{
    return {
        QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
        QStringLiteral("    Дано: Исполнитель в т.А"),
        QStringLiteral("    Надо: Воспроизвести образец"),
        QStringLiteral("НАЧ"),
        QStringLiteral("    ШАГ"),
        QStringLiteral("    ПОКА впереди НЕ стена"),
        QStringLiteral("    НЦ"),
        QStringLiteral("        ШАГ"),
        QStringLiteral("        ЕСЛИ впереди стена"),
        QStringLiteral("           ТО"),
        QStringLiteral("               ПОВОРОТ"),
        QStringLiteral("           ИНАЧЕ"),
        QStringLiteral("               ПРЫЖОК"),
        QStringLiteral("        ВСЁ"),
        QStringLiteral("    КЦ"),
        QStringLiteral("    ДЕЛАЙ угол"),
        QStringLiteral("КОН"),
        QStringLiteral("ПРОЦЕДУРА угол"),
        QStringLiteral("    ПОВОРОТ"),
        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
    };
}

void TestStatistics::exampleListing()
{
    const Statistics s = CountStatistics(::exampleListing());
    QCOMPARE(s.commands, 5);
    QCOMPARE(s.procedures, 1);
    QCOMPARE(s.calls, 1);
    QCOMPARE(s.branches, 1);
    QCOMPARE(s.loops, 1);
    QCOMPARE(s.lines, 20);

    const QStringList rows = RecountRows(s);
    QCOMPARE(rows.size(), 9);
    QCOMPARE(rows.at(0), QStringLiteral(" Всего в алгоритме:"));
    QCOMPARE(rows.at(1), QStringLiteral("                   "));
    QCOMPARE(rows.at(2), QStringLiteral("команд     ..............5"));
    QCOMPARE(rows.at(3), QStringLiteral("процедур   ..............1"));
    QCOMPARE(rows.at(4), QStringLiteral("вызовов процедур 1"));
    QCOMPARE(rows.at(5), QStringLiteral("ветвлений  .............1"));
    QCOMPARE(rows.at(6), QStringLiteral("циклов      ..............1"));
    QCOMPARE(rows.at(7), QStringLiteral("                   "));
    QCOMPARE(rows.at(8), QStringLiteral("Итого:  строк   ......20"));
}

void TestStatistics::startingRowsVersusRecountOfFrame()
{
    const QStringList start = StartingRows();
    const QStringList expectedStart = {
        QStringLiteral(" Всего в алгоритме:"),
        QStringLiteral("                   "),
        QStringLiteral("команд      .............0"),
        QStringLiteral("процедур      ...........0"),
        QStringLiteral("вызовов процедур 0"),
        QStringLiteral("ветвлений    ...........0"),
        QStringLiteral("циклов        ............0"),
        QStringLiteral("                   "),
        QStringLiteral("Итого:  строк   .....5"),
    };
    QCOMPARE(start, expectedStart);

    // A recount of the same fresh frame shows the same numbers with the
    // recount's own spacing; rows 1, 2, 5 and 8 are alike.
    const QStringList recount = RecountRows(CountStatistics(FrameLines()));
    const QStringList expectedRecount = {
        QStringLiteral(" Всего в алгоритме:"),
        QStringLiteral("                   "),
        QStringLiteral("команд     ..............0"),
        QStringLiteral("процедур   ..............0"),
        QStringLiteral("вызовов процедур 0"),
        QStringLiteral("ветвлений  .............0"),
        QStringLiteral("циклов      ..............0"),
        QStringLiteral("                   "),
        QStringLiteral("Итого:  строк   ......5"),
    };
    QCOMPARE(recount, expectedRecount);
    for (int row : {2, 3, 5, 6, 8})
        QVERIFY2(start.at(row) != recount.at(row), qPrintable(QString::number(row)));
}

void TestStatistics::linesThatCountNothing_data()
{
    QTest::addColumn<QString>("extra");
    QTest::addColumn<int>("addedLines");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("spaces") << QStringLiteral("      ") << 0;
    QTest::newRow("tab") << QStringLiteral("\t") << 0;
    QTest::newRow("comment") << QStringLiteral("//ШАГ") << 0;
    QTest::newRow("indented comment") << QStringLiteral("   //ЕСЛИ") << 0;
    QTest::newRow("foreign") << QStringLiteral("привет") << 1;
    QTest::newRow("ШАГ with trailing space") << QStringLiteral("ШАГ ") << 1;
    QTest::newRow("lower-case шаг") << QStringLiteral("шаг") << 1;
}

void TestStatistics::linesThatCountNothing()
{
    QFETCH(QString, extra);
    QFETCH(int, addedLines);
    QStringList lines = ::exampleListing();
    const Statistics before = CountStatistics(lines);
    lines.insert(7, extra);
    const Statistics after = CountStatistics(lines);
    QCOMPARE(after.commands, before.commands);
    QCOMPARE(after.procedures, before.procedures);
    QCOMPARE(after.calls, before.calls);
    QCOMPARE(after.branches, before.branches);
    QCOMPARE(after.loops, before.loops);
    QCOMPARE(after.lines, before.lines + addedLines);
}

void TestStatistics::longNumbers()
{
    QStringList lines = FrameLines();
    for (int i = 0; i < 123; ++i)
        lines.insert(4, QStringLiteral("    ШАГ"));
    for (int i = 0; i < 10; ++i)
        lines.insert(4, QStringLiteral("    ДЕЛАЙ а"));
    const Statistics s = CountStatistics(lines);
    QCOMPARE(s.commands, 123);
    QCOMPARE(s.lines, 138);
    const QStringList rows = RecountRows(s);
    QCOMPARE(rows.at(2), QStringLiteral("команд     ..............123"));
    QCOMPARE(rows.at(4), QStringLiteral("вызовов процедур 10"));
    QCOMPARE(rows.at(8), QStringLiteral("Итого:  строк   ......138"));
    QCOMPARE(CountStatistics(QStringList()).lines, 0);
}

// A row gives up dots from its run of dots, never a letter or a digit, and
// keeps one dot; a row that fits, or has no dots to give, stays as it is.
void TestStatistics::fittingGivesUpDotsOnly()
{
    const auto within = [](int n) { return [n](const QString &r) { return r.size() <= n; }; };
    const QString row = QStringLiteral("команд     ..............12345");
    QCOMPARE(FitRow(row, within(row.size())), row);
    QCOMPARE(FitRow(row, within(row.size() - 3)), QStringLiteral("команд     ...........12345"));
    QCOMPARE(FitRow(row, within(5)), QStringLiteral("команд     .12345"));
    QCOMPARE(FitRow(QStringLiteral("вызовов процедур 12345"), within(5)), QStringLiteral("вызовов процедур 12345"));
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
