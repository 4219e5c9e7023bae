// Task files: what is written reads back unchanged, what a teacher's editor
// may make of a file still reads, and every fault is refused with its reason.
#include "editor/taskfile.h"

#include <QtTest>

using editor::TaskFile;

Q_DECLARE_METATYPE(TaskFile)

namespace {

QByteArray Utf8(const char *text)
{
    return QByteArray(text);
}

// A valid file whose line starting with `name` is replaced by `by`.
QByteArray Replacing(const char *name, const char *by)
{
    QList<QByteArray> lines = QByteArray("ПУТЕВОДКА ЗАДАНИЕ 1\n"
                                         "Название: Отрезок\n"
                                         "Размер поля: 12\n"
                                         "Точка А: 0 0 вправо\n"
                                         "Точка Б: 3 0\n"
                                         "Условие:\n"
                                         "| Нарисуй отрезок.\n"
                                         "Образец:\n"
                                         "| ШАГ\n")
                                  .split('\n');
    for (QByteArray &l : lines) {
        if (l.startsWith(name))
            l = by;
    }
    return lines.join('\n');
}

} // namespace

class TestTaskFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void tolerantReading_data();
    void tolerantReading();
    void refusals_data();
    void refusals();
};

void TestTaskFile::roundTrip_data()
{
    QTest::addColumn<TaskFile>("task");

    TaskFile plain;
    plain.title = QStringLiteral("Отрезок");
    plain.statement = QStringLiteral("Нарисуй отрезок в три клетки.");
    plain.reference = QStringList{QStringLiteral("НАЧ"), QStringLiteral("ШАГ"), QStringLiteral("КОН")};
    QTest::newRow("plain, no Б") << plain;

    TaskFile full = plain;
    full.title = QStringLiteral("Ёлка: «рамка» | 2");
    full.fieldSize = 15;
    full.ax = 14;
    full.ay = 7;
    full.aDirection = 270;
    full.hasB = true;
    full.bx = 0;
    full.by = 14;
    // Blank lines at both ends and inside, indents, bars and hashes are text.
    full.statement = QStringLiteral("\nПервая строка.\n\n    с отступом\n| не поле\n# не комментарий\n");
    full.reference = QStringList{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QString(), QStringLiteral("НАЧ"),
                                 QStringLiteral("    ПОКА впереди НЕ стена"), QStringLiteral("    НЦ"),
                                 QStringLiteral("        ШАГ"), QStringLiteral("    КЦ"),
                                 QStringLiteral("Точка А: 1 1 вниз"), QStringLiteral("КОН  ")};
    QTest::newRow("every field, awkward text") << full;

    for (const int dir : {0, 90, 180}) {
        TaskFile d = plain;
        d.aDirection = dir;
        QTest::newRow(qPrintable(QStringLiteral("direction %1").arg(dir))) << d;
    }
}

void TestTaskFile::roundTrip()
{
    QFETCH(TaskFile, task);
    const QByteArray bytes = editor::FormatTask(task);
    TaskFile back;
    QString error;
    QVERIFY2(editor::ParseTask(bytes, &back, &error), qPrintable(error));
    QCOMPARE(back.title, task.title);
    QCOMPARE(back.statement, task.statement);
    QCOMPARE(back.reference, task.reference);
    QVERIFY(back == task);
    QCOMPARE(editor::FormatTask(back), bytes);
}

void TestTaskFile::tolerantReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TaskFile>("expected");

    TaskFile t;
    t.title = QStringLiteral("Отрезок");
    t.fieldSize = 13;
    t.ax = 2;
    t.ay = 3;
    t.aDirection = 90;
    t.statement = QStringLiteral("Нарисуй.\n  Два.");
    t.reference = QStringList{QStringLiteral("НАЧ"), QStringLiteral("  ШАГ"), QStringLiteral("КОН")};

    QTest::newRow("as written") << Utf8("ПУТЕВОДКА ЗАДАНИЕ 1\nНазвание: Отрезок\nРазмер поля: 13\n"
                                        "Точка А: 2 3 вверх\nУсловие:\n| Нарисуй.\n|   Два.\n"
                                        "Образец:\n| НАЧ\n|   ШАГ\n| КОН\n")
                                << t;
    // A Windows editor: byte-order mark, CR LF; fields in another order,
    // comments and blank lines between them, a Latin A, lower case, the
    // point in brackets with commas and the direction in degrees.
    QTest::newRow("hand-edited") << Utf8("\xEF\xBB\xBF# задание к уроку 5\r\n\r\n"
                                         "Путеводка   задание 1\r\n"
                                         "образец:\r\n| НАЧ\r\n\r\n|   ШАГ\r\n# конец\r\n|КОН\r\n"
                                         "ТОЧКА A :(2, 3), 90\r\n"
                                         "  Название:   Отрезок  \r\n"
                                         "размер  поля: 13\r\n"
                                         "Условие: Нарисуй.\r\n  |   Два.")
                                 << t;
    QTest::newRow("old Mac line ends") << Utf8("ПУТЕВОДКА ЗАДАНИЕ 1\rНазвание: Отрезок\rРазмер поля: 13\r"
                                               "Точка А: 2 3 ВВЕРХ\rУсловие:\r| Нарисуй.\r|   Два.\r"
                                               "Образец:\r| НАЧ\r|   ШАГ\r| КОН")
                                       << t;
    TaskFile withB = t;
    withB.hasB = true;
    withB.bx = 12;
    withB.by = 0;
    QTest::newRow("point Б") << Utf8("ПУТЕВОДКА ЗАДАНИЕ 1\nНазвание: Отрезок\nРазмер поля: 13\n"
                                     "Точка А: 2 3 вверх\nТочка Б: 12, 0\nУсловие:\n| Нарисуй.\n|   Два.\n"
                                     "Образец:\n| НАЧ\n|   ШАГ\n| КОН\n")
                             << withB;
}

void TestTaskFile::tolerantReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TaskFile, expected);
    TaskFile task;
    QString error;
    QVERIFY2(editor::ParseTask(bytes, &task, &error), qPrintable(error));
    QCOMPARE(task.title, expected.title);
    QCOMPARE(task.statement, expected.statement);
    QCOMPARE(task.reference, expected.reference);
    QCOMPARE(task.fieldSize, expected.fieldSize);
    QCOMPARE(QPoint(task.ax, task.ay), QPoint(expected.ax, expected.ay));
    QCOMPARE(task.aDirection, expected.aDirection);
    QCOMPARE(task.hasB, expected.hasB);
    QVERIFY(task == expected);
}

void TestTaskFile::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // a part of the message

    QTest::newRow("empty") << QByteArray() << QStringLiteral("файл пуст");
    QTest::newRow("an algorithm file") << QByteArray("\xC0\xCB\xC3\xCE\xD0\xC8\xD2\xCC\r\n")
                                       << QStringLiteral("UTF-8");
    QTest::newRow("other text") << Utf8("АЛГОРИТМ ПУТЬ_0\n") << QStringLiteral("это не файл задания");
    QTest::newRow("newer version") << Replacing("ПУТЕВОДКА", "ПУТЕВОДКА ЗАДАНИЕ 2")
                                   << QStringLiteral("в версии 2 формата");
    QTest::newRow("no version") << Replacing("ПУТЕВОДКА", "ПУТЕВОДКА ЗАДАНИЕ")
                                << QStringLiteral("строка 1: после «ПУТЕВОДКА ЗАДАНИЕ» должен стоять номер");
    QTest::newRow("NUL byte") << Replacing("Название", "Название: Отрезок") + QByteArray("\0x", 2)
                              << QStringLiteral("UTF-8");
    QTest::newRow("cut UTF-8") << Utf8("ПУТЕВОДКА ЗАДАНИЕ 1\nНазвание: \xD0") << QStringLiteral("UTF-8");
    QTest::newRow("no title") << Replacing("Название", "") << QStringLiteral("нет поля «Название»");
    QTest::newRow("empty title") << Replacing("Название", "Название:   ")
                                 << QStringLiteral("строка 2: название задания пусто");
    QTest::newRow("no field size") << Replacing("Размер", "# 12") << QStringLiteral("нет поля «Размер поля»");
    QTest::newRow("no point А") << Replacing("Точка А", "") << QStringLiteral("нет поля «Точка А»");
    QTest::newRow("no statement") << Replacing("Условие", "") << QStringLiteral("строка 7: строка с «|» стоит вне");
    QTest::newRow("no reference") << Replacing("Образец", "# Образец:")
                                  << QStringLiteral("нет поля «Образец»");
    QTest::newRow("field size 11") << Replacing("Размер", "Размер поля: 11")
                                   << QStringLiteral("строка 3: размер поля должен быть числом от 12 до 15");
    QTest::newRow("field size 16") << Replacing("Размер", "Размер поля: 16") << QStringLiteral("«16»");
    QTest::newRow("field size in words") << Replacing("Размер", "Размер поля: двенадцать")
                                         << QStringLiteral("«двенадцать»");
    QTest::newRow("А outside") << Replacing("Точка А", "Точка А: 12 0 вправо")
                               << QStringLiteral("строка 4: точка А задаётся двумя координатами от 0 до 11");
    QTest::newRow("А negative") << Replacing("Точка А", "Точка А: 0 -1 вправо") << QStringLiteral("от 0 до 11");
    QTest::newRow("А without direction") << Replacing("Точка А", "Точка А: 0 0")
                                         << QStringLiteral("строка 4: точка А");
    QTest::newRow("А unknown direction") << Replacing("Точка А", "Точка А: 0 0 45")
                                         << QStringLiteral("направление «45» не годится");
    QTest::newRow("Б outside") << Replacing("Точка Б", "Точка Б: 3 12")
                               << QStringLiteral("строка 5: точка Б задаётся двумя координатами от 0 до 11");
    QTest::newRow("Б with a direction") << Replacing("Точка Б", "Точка Б: 3 1 вниз") << QStringLiteral("точка Б");
    QTest::newRow("unknown field") << Replacing("Точка Б", "Цвет: красный")
                                   << QStringLiteral("строка 5: неизвестное поле «Цвет»");
    QTest::newRow("field twice") << Replacing("Точка Б", "Название: Ещё")
                                 << QStringLiteral("строка 5: поле «Название» встречается второй раз");
    QTest::newRow("statement without bars") << Replacing("| Нарисуй", "Нарисуй отрезок")
                                            << QStringLiteral("строка 7: непонятная строка «Нарисуй отрезок»");
    QTest::newRow("empty statement") << Replacing("| Нарисуй", "|   ")
                                     << QStringLiteral("строка 6: условие задания пусто");
    QTest::newRow("empty reference") << Replacing("| ШАГ", "")
                                     << QStringLiteral("строка 8: образец пуст");
    QTest::newRow("too large") << Replacing("Образец", "Образец:") + QByteArray(editor::kMaxTaskFileSize, ' ')
                               << QStringLiteral("больше 1 МБ");
}

void TestTaskFile::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TaskFile task;
    task.title = QStringLiteral("нетронутое");
    QString error;
    QVERIFY(!editor::ParseTask(bytes, &task, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(task.title, QStringLiteral("нетронутое"));
}

QTEST_APPLESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
