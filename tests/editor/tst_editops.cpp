// Editing operations on a plain listing: insertions, the selection rule,
// procedure names, menu enabling and deletions.

#include <QtTest>
#include <QRandomGenerator>

#include "editor/editops.h"
#include "editor/listing.h"
#include "editor/statistics.h"

using namespace editor;

Q_DECLARE_METATYPE(editor::NameCheck)

namespace {

// A listing being edited the way the window does it: the edit is applied and
// the current line follows it.
struct Session {
    QStringList lines = FrameLines();
    int current = 4;   // КОН

    Edit apply(const Edit &e)
    {
        ApplyEdit(lines, e);
        if (e.current >= 0)
            current = e.current;
        return e;
    }
    QString currentKey() const { return KeyText(lines.value(current)); }
};

QString dump(const QStringList &lines)
{
    QString out;
    for (int i = 0; i < lines.size(); ++i)
        out += QStringLiteral("\n%1: [%2]").arg(i).arg(lines.at(i));
    return out;
}

QString sp(int n) { return QString(n, QLatin1Char(' ')); }

Session exampleSession()
{
    Session s;
    s.apply(InsertCommand(s.lines, s.current, kStep));
    s.apply(InsertLoop(s.lines, s.current, true));
    s.apply(InsertCommand(s.lines, s.current, kStep));
    s.apply(InsertBranch(s.lines, s.current, false));
    s.apply(InsertCommand(s.lines, s.current, kTurn));          // into the ТО part
    s.current = s.lines.indexOf(sp(8) + kBranchEnd);
    s.apply(InsertCommand(s.lines, s.current, kJump));          // before ВСЁ
    s.current = s.lines.indexOf(kEnd);
    s.apply(InsertCall(s.lines, s.current, QStringLiteral("угол")));
    s.current = s.lines.indexOf(kProcEnd);
    s.apply(InsertCommand(s.lines, s.current, kTurn));
    return s;
}

} // namespace

class TestEditOps : public QObject
{
    Q_OBJECT

private slots:
    void applyEdit();
    void exampleListing();
    void stepThreeTimes();
    void negatedBranch();
    void loopInsertion();
    void unindentedContexts();
    void insertionWithoutCurrentLine();
    void callsAndDescriptions();
    void blankLineAndComment();
    void selectionRule_data();
    void selectionRule();
    void selectionRuleShortListings();
    void procedureNames();
    void newNameCheck_data();
    void newNameCheck();
    void menuEnabling_data();
    void menuEnabling();
    void deleteOnlyLineOfThenPart();
    void deleteOuterBranch();
    void deleteLoop();
    void deleteElsePart();
    void deleteSelfCallingProcedure();
    void deleteLastProcedureAndBlank();
    void deleteOnOtherLines();
    void constructsWithoutClosingLine();
    void anyListingIsSafe();
};

void TestEditOps::applyEdit()
{
    QStringList l = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    Edit e;
    e.steps.append({1, 1, {QStringLiteral("x"), QStringLiteral("y")}});
    e.steps.append({4, 0, {QStringLiteral("z")}});
    ApplyEdit(l, e);
    QCOMPARE(l, QStringList({"a", "x", "y", "c", "z"}));

    // Steps reaching beyond the listing are clamped, never out of bounds.
    Edit wild;
    wild.steps.append({-3, 2, {QStringLiteral("p")}});
    wild.steps.append({99, 5, {QStringLiteral("q")}});
    wild.steps.append({2, 99, {}});
    ApplyEdit(l, wild);
    QCOMPARE(l, QStringList({"p", "y"}));
}

void TestEditOps::exampleListing()
{
    const Session s = exampleSession();
    const QList<QPair<int, QString>> expected = {
        {0, QStringLiteral("АЛГОРИТМ ПУТЬ_0")},
        {4, QStringLiteral("Дано: Исполнитель в т.А")},
        {4, QStringLiteral("Надо: Воспроизвести образец")},
        {0, QStringLiteral("НАЧ")},
        {4, QStringLiteral("ШАГ")},
        {4, QStringLiteral("ПОКА впереди НЕ стена")},
        {4, QStringLiteral("НЦ")},
        {8, QStringLiteral("ШАГ")},
        {8, QStringLiteral("ЕСЛИ впереди стена")},
        {11, QStringLiteral("ТО")},
        {15, QStringLiteral("ПОВОРОТ")},
        {11, QStringLiteral("ИНАЧЕ")},
        {15, QStringLiteral("ПРЫЖОК")},
        {8, QStringLiteral("ВСЁ")},
        {4, QStringLiteral("КЦ")},
        {4, QStringLiteral("ДЕЛАЙ угол")},
        {0, QStringLiteral("КОН")},
        {0, QStringLiteral("ПРОЦЕДУРА угол")},
        {4, QStringLiteral("ПОВОРОТ")},
        {0, QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")},
    };
    QCOMPARE(s.lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QVERIFY2(s.lines.at(i) == sp(expected.at(i).first) + expected.at(i).second,
                 qPrintable(QStringLiteral("row %1").arg(i) + dump(s.lines)));
    }
    QCOMPARE(s.currentKey(), kProcEnd);

    const Statistics st = CountStatistics(s.lines);
    QCOMPARE(st.commands, 5);
    QCOMPARE(st.procedures, 1);
    QCOMPARE(st.calls, 1);
    QCOMPARE(st.branches, 1);
    QCOMPARE(st.loops, 1);
    QCOMPARE(st.lines, 20);
    const QStringList rows = RecountRows(st);
    QCOMPARE(rows.at(2), QStringLiteral("команд     ..............5"));
    QCOMPARE(rows.at(8), QStringLiteral("Итого:  строк   ......20"));
}

void TestEditOps::stepThreeTimes()
{
    Session s;
    for (int i = 0; i < 3; ++i) {
        const Edit e = s.apply(InsertCommand(s.lines, s.current, kStep));
        QCOMPARE(e.middleRow, 4 + i);
        QVERIFY(e.recount);
    }
    QCOMPARE(s.lines.size(), 8);
    for (int row = 4; row < 7; ++row)
        QCOMPARE(s.lines.at(row), QStringLiteral("    ШАГ"));
    QCOMPARE(s.current, 7);
    QCOMPARE(s.lines.at(s.current), kEnd);
}

void TestEditOps::negatedBranch()
{
    Session s;
    const Edit e = s.apply(InsertBranch(s.lines, s.current, true));
    QCOMPARE(e.steps.size(), 1);
    QCOMPARE(e.middleRow, 7);
    QCOMPARE(s.lines.mid(4), QStringList({
        sp(4) + QStringLiteral("ЕСЛИ впереди НЕ стена"),
        sp(7) + QStringLiteral("ТО"),
        sp(7) + QStringLiteral("ИНАЧЕ"),
        sp(4) + QStringLiteral("ВСЁ"),
        QStringLiteral("КОН"),
    }));
    QCOMPARE(s.current, 6);
    QCOMPARE(s.currentKey(), kElse);

    s.apply(InsertCommand(s.lines, s.current, kStep));
    QCOMPARE(s.lines.at(6), sp(11) + kStep);
    QCOMPARE(KeyText(s.lines.at(5)), kThen);
    QCOMPARE(KeyText(s.lines.at(7)), kElse);
}

void TestEditOps::loopInsertion()
{
    Session s;
    const Edit e = s.apply(InsertLoop(s.lines, s.current, false));
    QCOMPARE(s.lines.mid(4), QStringList({
        sp(4) + QStringLiteral("ПОКА впереди стена"),
        sp(4) + QStringLiteral("НЦ"),
        sp(4) + QStringLiteral("КЦ"),
        QStringLiteral("КОН"),
    }));
    QCOMPARE(s.current, 6);
    QCOMPARE(e.middleRow, 6);
    s.apply(InsertCommand(s.lines, s.current, kJump));
    QCOMPARE(s.lines.at(6), sp(8) + kJump);
}

void TestEditOps::unindentedContexts()
{
    // Blank, comment and procedure header as current line: no indentation.
    const QStringList lines = {
        QStringLiteral("НАЧ"),
        QStringLiteral("    ПОКА впереди стена"),
        QStringLiteral("    НЦ"),
        QStringLiteral("        ШАГ"),
        QString(),
        QStringLiteral("//заметка"),
        QStringLiteral("    КЦ"),
        QStringLiteral("КОН"),
        QStringLiteral("ПРОЦЕДУРА а"),
        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
    };
    for (int k : {4, 5, 8}) {
        QStringList l = lines;
        const Edit e = InsertCommand(l, k, kStep);
        ApplyEdit(l, e);
        QCOMPARE(l.at(k), kStep);
        QCOMPARE(l.at(e.current), lines.at(k));
    }
}

void TestEditOps::insertionWithoutCurrentLine()
{
    const QStringList frame = FrameLines();
    const QList<Edit> edits = {
        InsertCommand(frame, -1, kStep), InsertCommand(frame, 5, kStep),
        InsertBranch(frame, -1, false), InsertLoop(frame, 5, true),
        InsertCall(frame, -1, QStringLiteral("а")), InsertBlankLine(frame, 5),
        InsertComment(frame, -1, QString()), InsertCommand(QStringList(), 0, kStep),
    };
    for (const Edit &e : edits) {
        QVERIFY(!e.changed());
        QVERIFY(!e.recount);
        QCOMPARE(e.current, -1);
    }
    // Appending a description needs no current line.
    QStringList empty;
    const Edit e = AppendProcedure(empty, QStringLiteral("а"));
    ApplyEdit(empty, e);
    QCOMPARE(empty, QStringList({QStringLiteral("ПРОЦЕДУРА а"), kProcEnd}));
    QCOMPARE(e.current, 1);
}

void TestEditOps::callsAndDescriptions()
{
    Session s;
    // A new name: the call and an empty description at the end.
    Edit e = s.apply(InsertCall(s.lines, s.current, QStringLiteral("угол")));
    QCOMPARE(s.lines.mid(4), QStringList({
        QStringLiteral("    ДЕЛАЙ угол"), kEnd, QStringLiteral("ПРОЦЕДУРА угол"), kProcEnd}));
    QCOMPARE(s.current, 5);
    QCOMPARE(e.middleRow, 5);
    QVERIFY(IsProcedureDescribed(s.lines, QStringLiteral("угол")));

    // The same name again: only the call.
    s.apply(InsertCall(s.lines, s.current, QStringLiteral("угол")));
    QCOMPARE(s.lines.size(), 9);
    QCOMPARE(ProcedureNames(s.lines), QStringList({QStringLiteral("угол")}));

    // Names differ by case.
    QVERIFY(!IsProcedureDescribed(s.lines, QStringLiteral("Угол")));
    s.apply(InsertCall(s.lines, s.current, QStringLiteral("Угол")));
    QCOMPARE(ProcedureNames(s.lines), QStringList({QStringLiteral("угол"), QStringLiteral("Угол")}));

    // Describing: appended at the end, its end line current, body at 4.
    const int size = s.lines.size();
    e = s.apply(AppendProcedure(s.lines, QStringLiteral(" пробел")));
    QCOMPARE(s.lines.at(size), QStringLiteral("ПРОЦЕДУРА  пробел"));
    QCOMPARE(s.current, size + 1);
    QCOMPARE(e.middleRow, size + 1);
    QVERIFY(IsProcedureDescribed(s.lines, QStringLiteral(" пробел")));
    QVERIFY(!IsProcedureDescribed(s.lines, QStringLiteral("пробел")));
    s.apply(InsertCommand(s.lines, s.current, kStep));
    QCOMPARE(s.lines.at(size + 1), sp(4) + kStep);
    QCOMPARE(s.lines.last(), kProcEnd);
}

void TestEditOps::blankLineAndComment()
{
    const Session ex = exampleSession();
    QStringList l = ex.lines;
    // A comment before a line indented by 8 stands at column 0.
    Edit e = InsertComment(l, 7, QStringLiteral(" текст "));
    ApplyEdit(l, e);
    QCOMPARE(l.at(7), QStringLiteral("// текст "));
    QCOMPARE(e.current, 8);
    QCOMPARE(e.middleRow, 7);
    QVERIFY(!e.recount);
    QCOMPARE(l.at(8), sp(8) + kStep);

    e = InsertComment(l, 0, QString());
    ApplyEdit(l, e);
    QCOMPARE(l.at(0), QStringLiteral("//"));

    e = InsertBlankLine(l, 9);
    ApplyEdit(l, e);
    QCOMPARE(l.at(9), QString());
    QCOMPARE(e.current, 10);
    QCOMPARE(e.middleRow, -1);
    QVERIFY(!e.recount);

    // Neither changes a count.
    const Statistics a = CountStatistics(ex.lines);
    const Statistics b = CountStatistics(l);
    QCOMPARE(b.lines, a.lines);
    QCOMPARE(b.commands, a.commands);
}

void TestEditOps::selectionRule_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("current");

    QTest::newRow("title") << 0 << 4;
    QTest::newRow("given") << 1 << 4;
    QTest::newRow("goal") << 2 << 4;
    QTest::newRow("НАЧ") << 3 << 4;
    QTest::newRow("first body line") << 4 << 4;
    QTest::newRow("НЦ") << 6 << 7;
    QTest::newRow("ТО") << 9 << 10;
    QTest::newRow("ИНАЧЕ") << 11 << 11;
    QTest::newRow("КЦ") << 14 << 14;
    QTest::newRow("КОН") << 16 << 16;
    QTest::newRow("header") << 17 << 17;
    QTest::newRow("outside") << 20 << 20;
    QTest::newRow("negative") << -1 << -1;
}

void TestEditOps::selectionRule()
{
    QFETCH(int, row);
    QFETCH(int, current);
    QCOMPARE(SelectionRule(exampleSession().lines, row), current);
}

void TestEditOps::selectionRuleShortListings()
{
    // Empty ТО part and empty loop body: the next structure line.
    Session s;
    s.apply(InsertBranch(s.lines, s.current, false));
    s.apply(InsertLoop(s.lines, 4, false));
    // 4 ПОКА, 5 НЦ, 6 КЦ, 7 ЕСЛИ, 8 ТО, 9 ИНАЧЕ
    QCOMPARE(SelectionRule(s.lines, 5), 6);
    QCOMPARE(SelectionRule(s.lines, 8), 9);

    // Shorter listings clamp to the last line.
    const QStringList shortOne = {kTitle, kStart};
    QCOMPARE(SelectionRule(shortOne, 0), 1);
    QCOMPARE(SelectionRule(shortOne, 1), 1);
    QCOMPARE(SelectionRule({kLoopBegin}, 0), 0);
    QCOMPARE(SelectionRule(QStringList(), 0), 0);

    // Ten-character tests: a shorter title or given line is not moved; any
    // line beginning with "Надо" is.
    const QStringList looks = {
        QStringLiteral("АЛГОРИТМ"), QStringLiteral("Дано:"), QStringLiteral("Надо"),
        QStringLiteral("АЛГОРИТМ Пx"), QStringLiteral("Дано: Испорчено"), QStringLiteral("x"),
    };
    QCOMPARE(SelectionRule(looks, 0), 0);
    QCOMPARE(SelectionRule(looks, 1), 1);
    QCOMPARE(SelectionRule(looks, 2), 4);
    QCOMPARE(SelectionRule(looks, 3), 4);
    QCOMPARE(SelectionRule(looks, 4), 4);
}

void TestEditOps::procedureNames()
{
    const QStringList l = {
        kEnd,
        QStringLiteral("ПРОЦЕДУРА б"),
        kProcEnd,
        QStringLiteral("  ПРОЦЕДУРА а"),
        kProcEnd,
        QStringLiteral("ПРОЦЕДУРА б"),
        QStringLiteral("ПРОЦЕДУРА"),
        QStringLiteral("ПРОЦЕДУРЫ в"),
    };
    QCOMPARE(ProcedureNames(l), QStringList({QStringLiteral("б"), QStringLiteral("а"),
                                             QStringLiteral("б"), QString()}));
    QVERIFY(ProcedureNames(QStringList()).isEmpty());
}

void TestEditOps::newNameCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<NameCheck>("check");

    QTest::newRow("empty") << QString() << NameCheck::Empty;
    QTest::newRow("digit") << QStringLiteral("1угол") << NameCheck::StartsWithDigit;
    QTest::newRow("only 9") << QStringLiteral("9") << NameCheck::StartsWithDigit;
    QTest::newRow("digit and duplicate") << QStringLiteral("0а") << NameCheck::StartsWithDigit;
    QTest::newRow("underscore") << QStringLiteral("_а") << NameCheck::Ok;
    QTest::newRow("latin") << QStringLiteral("corner") << NameCheck::Ok;
    QTest::newRow("leading space") << QStringLiteral(" угол") << NameCheck::Ok;
    QTest::newRow("only a space") << QStringLiteral(" ") << NameCheck::Ok;
    QTest::newRow("duplicate") << QStringLiteral("угол") << NameCheck::Duplicate;
    QTest::newRow("other case") << QStringLiteral("Угол") << NameCheck::Ok;
    QTest::newRow("trailing space") << QStringLiteral("угол ") << NameCheck::Ok;
}

void TestEditOps::newNameCheck()
{
    QFETCH(QString, text);
    QFETCH(NameCheck, check);
    const QStringList names = {QStringLiteral("угол"), QStringLiteral("0а")};
    QCOMPARE(CheckNewProcedureName(names, text), check);
}

void TestEditOps::menuEnabling_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("enabled");   // line, construct, else, procedure as 0/1
    QTest::addColumn<bool>("deleteKey");

    QTest::newRow("ШАГ") << QStringLiteral("    ШАГ") << QStringLiteral("1000") << true;
    QTest::newRow("ПРЫЖОК") << QStringLiteral("ПРЫЖОК") << QStringLiteral("1000") << true;
    QTest::newRow("ПОВОРОТ") << QStringLiteral("\tПОВОРОТ") << QStringLiteral("1000") << true;
    QTest::newRow("blank") << QString() << QStringLiteral("1000") << true;
    QTest::newRow("spaces") << QStringLiteral("   ") << QStringLiteral("1000") << true;
    QTest::newRow("call") << QStringLiteral("    ДЕЛАЙ угол") << QStringLiteral("1000") << true;
    QTest::newRow("comment") << QStringLiteral("//x") << QStringLiteral("1000") << true;
    QTest::newRow("ИНАЧЕ") << QStringLiteral("       ИНАЧЕ") << QStringLiteral("0010") << false;
    QTest::newRow("ЕСЛИ") << QStringLiteral("    ЕСЛИ впереди стена") << QStringLiteral("0100") << false;
    QTest::newRow("ПОКА") << QStringLiteral("ПОКА впереди НЕ стена") << QStringLiteral("0100") << false;
    QTest::newRow("header") << QStringLiteral("ПРОЦЕДУРА угол") << QStringLiteral("0001") << false;
    QTest::newRow("НАЧ") << QStringLiteral("НАЧ") << QStringLiteral("0000") << false;
    QTest::newRow("КОН") << QStringLiteral("КОН") << QStringLiteral("0000") << false;
    QTest::newRow("КЦ") << QStringLiteral("    КЦ") << QStringLiteral("0000") << false;
    QTest::newRow("ВСЁ") << QStringLiteral("    ВСЁ") << QStringLiteral("0000") << false;
    QTest::newRow("КОНЕЦ ПРОЦЕДУРЫ") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ") << QStringLiteral("0000") << false;
    QTest::newRow("title") << kTitle << QStringLiteral("0000") << false;
    QTest::newRow("given") << QStringLiteral("    Дано: Исполнитель в т.А") << QStringLiteral("0000") << false;
    QTest::newRow("goal") << QStringLiteral("    Надо: Воспроизвести образец") << QStringLiteral("0000") << false;
    // ТО and НЦ are in no row of the menu's rule: like a foreign line.
    QTest::newRow("ТО") << QStringLiteral("       ТО") << QStringLiteral("1111") << false;
    QTest::newRow("НЦ") << QStringLiteral("    НЦ") << QStringLiteral("1111") << false;
    QTest::newRow("foreign") << QStringLiteral("привет") << QStringLiteral("1111") << false;
    QTest::newRow("ВСЕ with Е") << QStringLiteral("ВСЕ") << QStringLiteral("1111") << false;
    QTest::newRow("ШАГ trailing space") << QStringLiteral("ШАГ ") << QStringLiteral("1111") << false;
}

void TestEditOps::menuEnabling()
{
    QFETCH(QString, line);
    QFETCH(QString, enabled);
    QFETCH(bool, deleteKey);
    const MenuEnabling m = ComMenuEnabling(line);
    const QString got = QString::number(int(m.deleteLine)) + QString::number(int(m.deleteConstruct))
        + QString::number(int(m.deleteElse)) + QString::number(int(m.deleteProcedure));
    QCOMPARE(got, enabled);
    QCOMPARE(DeleteKeyAllowed(line), deleteKey);
}

void TestEditOps::deleteOnlyLineOfThenPart()
{
    Session s;
    s.apply(InsertBranch(s.lines, s.current, false));
    s.apply(InsertCommand(s.lines, s.current, kStep));   // row 6, in the ТО part
    const Edit e = s.apply(DeleteLine(s.lines, 6));
    QVERIFY(e.recount);
    QCOMPARE(s.lines.mid(4), QStringList({
        sp(4) + kIfWall, sp(7) + kThen, sp(7) + kElse, sp(4) + kBranchEnd, kEnd}));
    QCOMPARE(s.current, 6);
    QCOMPARE(s.currentKey(), kElse);
}

void TestEditOps::deleteOuterBranch()
{
    Session s;
    s.apply(InsertCommand(s.lines, s.current, kStep));           // 4 ШАГ, КОН 5
    s.apply(InsertBranch(s.lines, s.current, true));             // outer at 5, ИНАЧЕ 7 current
    s.apply(InsertBranch(s.lines, s.current, false));            // inner in ТО part
    s.apply(InsertCommand(s.lines, s.current, kTurn));           // inside the inner ТО part
    s.current = s.lines.indexOf(sp(11) + kBranchEnd);
    s.apply(InsertLoop(s.lines, s.current, false));              // loop inside the inner ИНАЧЕ part
    s.current = s.lines.indexOf(sp(7) + kElse);                  // outer ИНАЧЕ
    s.apply(InsertLoop(s.lines, s.current, false));              // loop in outer ТО part
    s.current = s.lines.lastIndexOf(sp(4) + kBranchEnd);
    s.apply(InsertCommand(s.lines, s.current, kJump));           // outer ИНАЧЕ part
    const int outer = 5;
    const int outerEnd = s.lines.lastIndexOf(sp(4) + kBranchEnd);
    QCOMPARE(FindBranchEnd(s.lines, outer), outerEnd);

    const QStringList before = s.lines;
    const Edit e = s.apply(DeleteConstruct(s.lines, outer));
    QVERIFY(e.recount);
    QCOMPARE(s.lines, QStringList(before.mid(0, outer) + before.mid(outerEnd + 1)));
    QCOMPARE(s.current, outer);
    QCOMPARE(s.currentKey(), kEnd);
    QCOMPARE(s.lines.size(), 6);
}

void TestEditOps::deleteLoop()
{
    Session s = exampleSession();
    const Edit e = s.apply(DeleteConstruct(s.lines, 5));
    QCOMPARE(s.lines.size(), 10);
    QCOMPARE(s.lines.at(4), sp(4) + kStep);
    QCOMPARE(s.current, 5);
    QCOMPARE(s.currentKey(), QStringLiteral("ДЕЛАЙ угол"));
    QVERIFY(e.recount);
}

void TestEditOps::deleteElsePart()
{
    Session s = exampleSession();
    // Put a branch with its own ИНАЧЕ into the else part.
    s.current = 13;                                              // ВСЁ
    s.apply(InsertBranch(s.lines, s.current, true));
    QCOMPARE(KeyText(s.lines.at(11)), kElse);
    const Edit e = s.apply(DeleteElse(s.lines, 11));
    QVERIFY(e.recount);
    QCOMPARE(s.current, 11);
    QCOMPARE(s.lines.at(11), sp(8) + kBranchEnd);
    QCOMPARE(s.lines.mid(8, 3), QStringList({sp(8) + kIfWall, sp(11) + kThen, sp(15) + kTurn}));
    QCOMPARE(s.lines.at(12), sp(4) + kLoopEnd);
    QCOMPARE(s.lines.size(), 18);
}

void TestEditOps::deleteSelfCallingProcedure()
{
    Session s;
    s.apply(AppendProcedure(s.lines, QStringLiteral("а")));
    s.apply(InsertCall(s.lines, s.current, QStringLiteral("а")));   // inside its own body
    s.apply(AppendProcedure(s.lines, QStringLiteral("б")));
    QCOMPARE(s.lines.size(), 10);
    QVERIFY(ProcedureHasCalls(s.lines, QStringLiteral("а")));
    QVERIFY(!ProcedureHasCalls(s.lines, QStringLiteral("б")));
    QVERIFY(!ProcedureHasCalls(s.lines, QStringLiteral("А")));

    s.apply(DeleteLine(s.lines, 6));
    QVERIFY(!ProcedureHasCalls(s.lines, QStringLiteral("а")));
    const Edit e = s.apply(DeleteProcedure(s.lines, 5));
    QVERIFY(e.recount);
    QCOMPARE(s.lines.mid(4), QStringList({kEnd, QStringLiteral("ПРОЦЕДУРА б"), kProcEnd}));
    QCOMPARE(s.current, 5);

    // A call written with the hyphen separator still counts.
    QVERIFY(ProcedureHasCalls({QStringLiteral("ДЕЛАЙ-б")}, QStringLiteral("б")));
}

void TestEditOps::deleteLastProcedureAndBlank()
{
    Session s = exampleSession();
    s.apply(DeleteLine(s.lines, 15));                            // the call
    const Edit e = s.apply(DeleteProcedure(s.lines, 16));
    QCOMPARE(s.lines.size(), 17);
    QCOMPARE(s.lines.at(15), kEnd);
    QCOMPARE(s.lines.at(16), QString());
    QCOMPARE(s.current, 16);
    QVERIFY(e.recount);

    // A command inserted now stands after КОН, unindented.
    QStringList l = s.lines;
    ApplyEdit(l, InsertCommand(l, 16, kStep));
    QCOMPARE(l.at(16), kStep);

    // Deleting the blank line puts a new one in its place.
    const Edit d = s.apply(DeleteLine(s.lines, 16));
    QCOMPARE(d.steps.size(), 2);
    QCOMPARE(s.lines.size(), 17);
    QCOMPARE(s.lines.at(16), QString());
    QCOMPARE(s.current, 16);

    // Deleting the only line of a listing leaves one blank line.
    QStringList one = {kStep};
    ApplyEdit(one, DeleteLine(one, 0));
    QCOMPARE(one, QStringList({QString()}));
}

void TestEditOps::deleteOnOtherLines()
{
    const QStringList l = exampleSession().lines;
    // Structure deletions on lines they do not act on: only a recount.
    const QList<Edit> recountOnly = {
        DeleteConstruct(l, 4), DeleteConstruct(l, 14), DeleteElse(l, 8), DeleteElse(l, 13),
        DeleteProcedure(l, 16), DeleteProcedure(l, 15),
    };
    for (const Edit &e : recountOnly) {
        QVERIFY(!e.changed());
        QVERIFY(e.recount);
        QCOMPARE(e.current, -1);
    }
    // Outside the listing: nothing at all.
    for (const Edit &e : {DeleteLine(l, -1), DeleteLine(l, 20), DeleteLine(QStringList(), 0)}) {
        QVERIFY(!e.changed());
        QVERIFY(!e.recount);
    }
}

void TestEditOps::constructsWithoutClosingLine()
{
    // A loaded file may end before the closing line: the construct is left
    // alone rather than deleting to the end of the listing.
    const QStringList l = {
        kStart,
        QStringLiteral("    ПОКА впереди стена"),
        QStringLiteral("    НЦ"),
        QStringLiteral("        ЕСЛИ впереди стена"),
        QStringLiteral("           ТО"),
        QStringLiteral("           ИНАЧЕ"),
        QStringLiteral("        ШАГ"),
        QStringLiteral("ПРОЦЕДУРА а"),
        QStringLiteral("    ШАГ"),
    };
    for (int k : {1, 3}) {
        const Edit e = DeleteConstruct(l, k);
        QVERIFY(!e.changed());
        QVERIFY(e.recount);
    }
    QVERIFY(!DeleteElse(l, 5).changed());
    QVERIFY(!DeleteProcedure(l, 7).changed());
}

void TestEditOps::anyListingIsSafe()
{
    // Random listings from every kind of line, near misses and blanks;
    // every operation at every index must stay inside the listing.
    const QStringList vocabulary = {
        kTitle, QStringLiteral("    Дано: Исполнитель в т.А"), kStart, kEnd, kStep, kJump, kTurn,
        QStringLiteral("ДЕЛАЙ а"), QStringLiteral("ДЕЛАЙ"), QStringLiteral("ПРОЦЕДУРА а"),
        QStringLiteral("ПРОЦЕДУРА"), kProcEnd, kIfWall, kIfNotWall, QStringLiteral("   ТО"),
        QStringLiteral("   ИНАЧЕ"), kBranchEnd, kWhileWall, kLoopBegin, QStringLiteral("\tКЦ"),
        QStringLiteral("//"), QString(), QStringLiteral("  "), QStringLiteral("ВСЕ"),
        QStringLiteral("ЕСЛ"), QStringLiteral("Надо"), QStringLiteral("ТО"), QStringLiteral("НЦ"),
    };
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 300; ++round) {
        QStringList lines;
        const int n = int(rng.bounded(9));
        for (int i = 0; i < n; ++i)
            lines.append(vocabulary.at(int(rng.bounded(vocabulary.size()))));
        for (int k = -1; k <= n; ++k) {
            const QList<Edit> edits = {
                InsertCommand(lines, k, kStep), InsertBranch(lines, k, true), InsertLoop(lines, k, false),
                InsertCall(lines, k, QStringLiteral("а")), InsertBlankLine(lines, k),
                InsertComment(lines, k, QStringLiteral("x")), AppendProcedure(lines, QStringLiteral("б")),
                DeleteLine(lines, k), DeleteConstruct(lines, k), DeleteElse(lines, k),
                DeleteProcedure(lines, k),
            };
            for (const Edit &e : edits) {
                QStringList l = lines;
                for (const EditStep &st : e.steps) {
                    QVERIFY(st.at >= 0 && st.at <= l.size());
                    QVERIFY(st.removeCount >= 0 && st.at + st.removeCount <= l.size());
                    Edit one;
                    one.steps.append(st);
                    ApplyEdit(l, one);
                }
                QVERIFY(e.current >= -1 && e.current < l.size());
                QVERIFY(e.middleRow >= -1 && e.middleRow < l.size());
                if (e.changed())
                    QVERIFY(e.current >= 0);
            }
            const int sel = SelectionRule(lines, k);
            if (k >= 0 && k < n)
                QVERIFY(sel >= 0 && sel < n);
            ComMenuEnabling(lines.value(k));
            ProcedureHasCalls(lines, QStringLiteral("а"));
        }
        CountStatistics(lines);
        ProcedureNames(lines);
    }
}

QTEST_GUILESS_MAIN(TestEditOps)
#include "tst_editops.moc"
