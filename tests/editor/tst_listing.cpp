// Line recognition, indentation, names, NewLinePrefix and block matching.

#include <QtTest>

#include "editor/listing.h"

using namespace editor;

Q_DECLARE_METATYPE(editor::LineKind)

class TestListing : public QObject
{
    Q_OBJECT

private slots:
    void blanksAndKeyText_data();
    void blanksAndKeyText();
    void kindOfLine_data();
    void kindOfLine();
    void names_data();
    void names();
    void newLinePrefix_data();
    void newLinePrefix();
    void frameLines();
    void branchMatching();
    void loopMatching();
    void elseMatching();
    void procedureMatching();
    void missingClosingLine();
};

void TestListing::blanksAndKeyText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("indent");
    QTest::addColumn<QString>("key");

    QTest::newRow("empty") << QString() << 0 << QString();
    QTest::newRow("spaces only") << QStringLiteral("     ") << 5 << QString();
    QTest::newRow("tab") << QStringLiteral("\tКЦ") << 1 << QStringLiteral("КЦ");
    QTest::newRow("control chars") << (QString(QChar(0)) + QChar(31) + QChar(32) + QStringLiteral("ШАГ"))
                                   << 3 << QStringLiteral("ШАГ");
    QTest::newRow("code 33 is not blank") << QStringLiteral("!ШАГ") << 0 << QStringLiteral("!ШАГ");
    QTest::newRow("trailing spaces kept") << QStringLiteral("    КЦ  ") << 4 << QStringLiteral("КЦ  ");
    QTest::newRow("inner spaces kept") << QStringLiteral("  ДЕЛАЙ  а б") << 2 << QStringLiteral("ДЕЛАЙ  а б");
}

void TestListing::blanksAndKeyText()
{
    QFETCH(QString, line);
    QFETCH(int, indent);
    QFETCH(QString, key);
    QCOMPARE(Indentation(line), indent);
    QCOMPARE(KeyText(line), key);
}

void TestListing::kindOfLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<LineKind>("kind");

    const QStringList frame = FrameLines();
    QTest::newRow("title") << frame.at(0) << LineKind::Title;
    QTest::newRow("given") << frame.at(1) << LineKind::Given;
    QTest::newRow("goal") << frame.at(2) << LineKind::Goal;
    QTest::newRow("start") << frame.at(3) << LineKind::Start;
    QTest::newRow("end") << frame.at(4) << LineKind::End;
    QTest::newRow("step") << QStringLiteral("    ШАГ") << LineKind::Step;
    QTest::newRow("jump") << QStringLiteral("        ПРЫЖОК") << LineKind::Jump;
    QTest::newRow("turn") << QStringLiteral("ПОВОРОТ") << LineKind::Turn;
    QTest::newRow("call") << QStringLiteral("    ДЕЛАЙ угол") << LineKind::Call;
    QTest::newRow("call without name") << QStringLiteral("ДЕЛАЙ") << LineKind::Call;
    QTest::newRow("call with hyphen") << QStringLiteral("ДЕЛАЙ-угол") << LineKind::Call;
    QTest::newRow("header") << QStringLiteral("ПРОЦЕДУРА угол") << LineKind::ProcHeader;
    QTest::newRow("header without name") << QStringLiteral("ПРОЦЕДУРА") << LineKind::ProcHeader;
    QTest::newRow("procedure end") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ") << LineKind::ProcEnd;
    QTest::newRow("branch") << QStringLiteral("    ЕСЛИ впереди стена") << LineKind::BranchHeader;
    QTest::newRow("branch negated") << QStringLiteral("ЕСЛИ впереди НЕ стена") << LineKind::BranchHeader;
    QTest::newRow("then") << QStringLiteral("       ТО") << LineKind::Then;
    QTest::newRow("else") << QStringLiteral("       ИНАЧЕ") << LineKind::Else;
    QTest::newRow("branch end") << QStringLiteral("    ВСЁ") << LineKind::BranchEnd;
    QTest::newRow("loop") << QStringLiteral("ПОКА впереди НЕ стена") << LineKind::LoopHeader;
    QTest::newRow("loop begin") << QStringLiteral("    НЦ") << LineKind::LoopBegin;
    QTest::newRow("loop end") << QStringLiteral("    КЦ") << LineKind::LoopEnd;
    QTest::newRow("loop end after tab") << QStringLiteral("\tКЦ") << LineKind::LoopEnd;
    QTest::newRow("comment") << QStringLiteral("//что-то") << LineKind::Comment;
    QTest::newRow("empty comment") << QStringLiteral("//") << LineKind::Comment;
    QTest::newRow("indented comment") << QStringLiteral("  // x") << LineKind::Comment;
    QTest::newRow("blank") << QString() << LineKind::Blank;
    QTest::newRow("blank of spaces") << QStringLiteral("      ") << LineKind::Blank;

    // Exact, case-sensitive comparison: near misses are foreign.
    QTest::newRow("ВСЕ with Е") << QStringLiteral("ВСЕ") << LineKind::Foreign;
    QTest::newRow("lower-case кц") << QStringLiteral("кц") << LineKind::Foreign;
    QTest::newRow("КЦ trailing space") << QStringLiteral("КЦ ") << LineKind::Foreign;
    QTest::newRow("ШАГ trailing space") << QStringLiteral("    ШАГ ") << LineKind::Foreign;
    QTest::newRow("shorter than ДЕЛАЙ") << QStringLiteral("ДЕЛА") << LineKind::Foreign;
    QTest::newRow("shorter than ЕСЛИ") << QStringLiteral("ЕСЛ") << LineKind::Foreign;
    QTest::newRow("single slash") << QStringLiteral("/") << LineKind::Foreign;
    QTest::newRow("lower-case шаг") << QStringLiteral("шаг") << LineKind::Foreign;
    QTest::newRow("КОН with indentation is still end") << QStringLiteral("  КОН") << LineKind::End;
    QTest::newRow("free text") << QStringLiteral("hello") << LineKind::Foreign;
}

void TestListing::kindOfLine()
{
    QFETCH(QString, line);
    QFETCH(LineKind, kind);
    QCOMPARE(KindOfLine(line), kind);
}

void TestListing::names_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");

    QTest::newRow("call") << QStringLiteral("    ДЕЛАЙ угол") << QStringLiteral("угол");
    QTest::newRow("separator not examined") << QStringLiteral("ДЕЛАЙ-угол") << QStringLiteral("угол");
    QTest::newRow("call alone") << QStringLiteral("ДЕЛАЙ") << QString();
    QTest::newRow("call spaces kept") << QStringLiteral("ДЕЛАЙ  а б ") << QStringLiteral(" а б ");
    QTest::newRow("header") << QStringLiteral("ПРОЦЕДУРА угол") << QStringLiteral("угол");
    QTest::newRow("header alone") << QStringLiteral("ПРОЦЕДУРА") << QString();
    QTest::newRow("leading space in name") << QStringLiteral("ПРОЦЕДУРА  x") << QStringLiteral(" x");
    QTest::newRow("indented header") << QStringLiteral("\t ПРОЦЕДУРА п1") << QStringLiteral("п1");
}

void TestListing::names()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    if (KindOfLine(line) == LineKind::Call)
        QCOMPARE(CalledName(line), name);
    else
        QCOMPARE(ProcedureName(line), name);
}

void TestListing::newLinePrefix_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("spaces");

    QTest::newRow("КОН") << QStringLiteral("КОН") << 4;
    QTest::newRow("sibling") << QStringLiteral("        ШАГ") << 8;
    QTest::newRow("КЦ") << QStringLiteral("    КЦ") << 8;
    QTest::newRow("tab КЦ") << QStringLiteral("\tКЦ") << 5;
    QTest::newRow("ИНАЧЕ") << QStringLiteral("           ИНАЧЕ") << 15;
    QTest::newRow("ВСЁ") << QStringLiteral("        ВСЁ") << 15;
    QTest::newRow("КОНЕЦ ПРОЦЕДУРЫ") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ") << 4;
    QTest::newRow("header") << QStringLiteral("ПРОЦЕДУРА угол") << 0;
    QTest::newRow("blank") << QString() << 0;
    QTest::newRow("blank of spaces") << QStringLiteral("        ") << 8;
    QTest::newRow("comment") << QStringLiteral("//x") << 0;
    QTest::newRow("КЦ with trailing space") << QStringLiteral("    КЦ ") << 4;
    QTest::newRow("ВСЕ with Е") << QStringLiteral("ВСЕ") << 0;
}

void TestListing::newLinePrefix()
{
    QFETCH(QString, current);
    QFETCH(int, spaces);
    QCOMPARE(NewLinePrefix(current), QString(spaces, QLatin1Char(' ')));
}

void TestListing::frameLines()
{
    const QStringList expected = {
        QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
        QStringLiteral("    Дано: Исполнитель в т.А"),
        QStringLiteral("    Надо: Воспроизвести образец"),
        QStringLiteral("НАЧ"),
        QStringLiteral("КОН"),
    };
    QCOMPARE(FrameLines(), expected);
}

// Indentation is deliberately scrambled: matching must count, not look at columns.
static QStringList nestedListing()
{
    return {
        QStringLiteral("ЕСЛИ впереди стена"),      // 0
        QStringLiteral("ТО"),                      // 1
        QStringLiteral("ПОКА впереди НЕ стена"),   // 2
        QStringLiteral("НЦ"),                      // 3
        QStringLiteral("  ЕСЛИ впереди НЕ стена"), // 4
        QStringLiteral("ТО"),                      // 5
        QStringLiteral("ИНАЧЕ"),                   // 6
        QStringLiteral("    ПОКА впереди стена"),  // 7
        QStringLiteral("НЦ"),                      // 8
        QStringLiteral("КЦ"),                      // 9
        QStringLiteral("ВСЁ"),                     // 10
        QStringLiteral("КЦ"),                      // 11
        QStringLiteral("ИНАЧЕ"),                   // 12
        QStringLiteral("ЕСЛИ впереди стена"),      // 13
        QStringLiteral("ТО"),                      // 14
        QStringLiteral("ВСЁ"),                     // 15
        QStringLiteral("ВСЁ"),                     // 16
        QStringLiteral("КОН"),                     // 17
    };
}

void TestListing::branchMatching()
{
    const QStringList l = nestedListing();
    QCOMPARE(FindBranchEnd(l, 0), 16);
    QCOMPARE(FindBranchEnd(l, 4), 10);
    QCOMPARE(FindBranchEnd(l, 13), 15);
    // Lookalikes do not count.
    const QStringList near = {
        QStringLiteral("ЕСЛИ впереди стена"), QStringLiteral("ТО"), QStringLiteral("ВСЕ"),
        QStringLiteral("ВСЁ "), QStringLiteral("ЕСЛ"), QStringLiteral("ВСЁ"),
    };
    QCOMPARE(FindBranchEnd(near, 0), 5);
}

void TestListing::loopMatching()
{
    const QStringList l = nestedListing();
    QCOMPARE(FindLoopEnd(l, 2), 11);
    QCOMPARE(FindLoopEnd(l, 7), 9);
}

void TestListing::elseMatching()
{
    const QStringList l = nestedListing();
    // From an ИНАЧЕ line the branch count reaches the branch's ВСЁ.
    QCOMPARE(FindBranchEnd(l, 12), 16);
    QCOMPARE(FindBranchEnd(l, 6), 10);
}

void TestListing::procedureMatching()
{
    const QStringList l = {
        QStringLiteral("КОН"),
        QStringLiteral("ПРОЦЕДУРА а"),
        QStringLiteral("    ШАГ"),
        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ "),
        QStringLiteral("  КОНЕЦ ПРОЦЕДУРЫ"),
        QStringLiteral("ПРОЦЕДУРА б"),
        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
    };
    QCOMPARE(FindProcedureEnd(l, 1), 4);
    QCOMPARE(FindProcedureEnd(l, 5), 6);
}

void TestListing::missingClosingLine()
{
    const QStringList l = {
        QStringLiteral("ЕСЛИ впереди стена"),
        QStringLiteral("ТО"),
        QStringLiteral("ПОКА впереди стена"),
        QStringLiteral("НЦ"),
        QStringLiteral("ИНАЧЕ"),
        QStringLiteral("ЕСЛИ впереди стена"),
        QStringLiteral("ВСЁ"),
        QStringLiteral("ПРОЦЕДУРА а"),
    };
    QCOMPARE(FindBranchEnd(l, 0), -1);
    QCOMPARE(FindLoopEnd(l, 2), -1);
    QCOMPARE(FindBranchEnd(l, 4), -1);
    QCOMPARE(FindProcedureEnd(l, 7), -1);
    // A header on the last line, and indices outside the listing.
    QCOMPARE(FindBranchEnd({QStringLiteral("ЕСЛИ впереди стена")}, 0), -1);
    QCOMPARE(FindBranchEnd(l, -1), -1);
    QCOMPARE(FindLoopEnd(l, int(l.size())), -1);
    QCOMPARE(FindProcedureEnd(QStringList(), 0), -1);
}

QTEST_GUILESS_MAIN(TestListing)
#include "tst_listing.moc"
