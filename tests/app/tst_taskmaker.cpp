// The task maker window: it validates as the points panel does, refuses a
// reference that does not end on its own, and saves a task that loads back
// with the sample its reference draws.
#include "Dialogs.h"
#include "TaskMaker.h"
#include "editor/algfile.h"
#include "exec/task.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

QStringList Listing(const QString &body)
{
    QStringList lines{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("НАЧ")};
    for (const QString &l : body.split(QLatin1Char('/')))
        lines << QStringLiteral("    ") + l;
    return lines << QStringLiteral("КОН");
}

} // namespace

class TestTaskMaker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pointsAreCheckedBeforeSaving_data();
    void pointsAreCheckedBeforeSaving();
    void referenceThatDoesNotEndIsRefused_data();
    void referenceThatDoesNotEndIsRefused();
    void savedTaskLoadsBack();
    void openedTaskClosesWithoutQuestionUntilChanged();

private:
    template <typename T> T *Find(const char *name)
    {
        T *w = maker->findChild<T *>(QLatin1String(name));
        Q_ASSERT(w);
        return w;
    }
    // A complete task but for the reference, which is chosen from a file.
    void FillIn(const QStringList &reference);
    QString AlgorithmFile(const QStringList &lines);

    std::unique_ptr<TaskMakerWindow> maker;
    std::unique_ptr<QTemporaryDir> dir;
    QList<dialogs::MessageRecord> messages;
    QList<dialogs::FileRequest> requests;
    QStringList fileAnswers;  // the file dialogs' answers, in order
    QList<dialogs::Answer> questionAnswers;
    QStringList questions;
};

void TestTaskMaker::init()
{
    dir = std::make_unique<QTemporaryDir>();
    messages.clear();
    requests.clear();
    fileAnswers.clear();
    questions.clear();
    questionAnswers.clear();
    dialogs::messageHook = [this](const dialogs::MessageRecord &m) { messages << m; };
    dialogs::fileHook = [this](const dialogs::FileRequest &r) {
        requests << r;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    };
    dialogs::questionHook = [this](const dialogs::MessageRecord &m) {
        questions << m.text;
        return questionAnswers.isEmpty() ? dialogs::Answer::Cancel : questionAnswers.takeFirst();
    };
    maker = std::make_unique<TaskMakerWindow>();
    maker->show();
}

void TestTaskMaker::cleanup()
{
    maker.reset();
    dialogs::messageHook = nullptr;
    dialogs::fileHook = nullptr;
    dialogs::questionHook = nullptr;
}

QString TestTaskMaker::AlgorithmFile(const QStringList &lines)
{
    const QString path = dir->filePath(QStringLiteral("образец.txt"));
    QString error;
    if (!editor::SaveAlgorithmFile(path, lines, &error))
        qFatal("%s", qPrintable(error));
    return path;
}

void TestTaskMaker::FillIn(const QStringList &reference)
{
    Find<QLineEdit>("title")->setText(QStringLiteral("  Уголок  "));
    Find<QPlainTextEdit>("statement")->setPlainText(QStringLiteral("Нарисуй уголок."));
    Find<QComboBox>("size")->setCurrentIndex(1);  // 13
    Find<QLineEdit>("ax")->setText(QStringLiteral("12"));
    Find<QLineEdit>("ay")->setText(QStringLiteral("12"));
    Find<QComboBox>("direction")->setCurrentIndex(1);  // вверх
    fileAnswers << AlgorithmFile(reference);
    maker->ChooseReferenceClick();
}

void TestTaskMaker::pointsAreCheckedBeforeSaving_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("useB");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("Координата должна быть от 0 до 12");
    QTest::newRow("А x not a number") << "ax" << "x" << false << "'x' is not a valid integer value";
    QTest::newRow("А y outside") << "ay" << "13" << false << range;
    QTest::newRow("А y negative") << "ay" << "-1" << false << range;
    QTest::newRow("Б outside") << "bx" << "13" << true << range;
    QTest::newRow("Б empty") << "by" << "" << true << "'' is not a valid integer value";
}

void TestTaskMaker::pointsAreCheckedBeforeSaving()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(bool, useB);
    QFETCH(QString, message);
    FillIn(Listing(QStringLiteral("ШАГ")));
    Find<QCheckBox>("useB")->setChecked(useB);
    Find<QLineEdit>("bx")->setText(QStringLiteral("12"));
    Find<QLineEdit>("by")->setText(QStringLiteral("11"));
    maker->findChild<QLineEdit *>(edit)->setText(text);
    requests.clear();

    QVERIFY(!maker->SaveTaskClick());
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().text, message);
    QVERIFY(requests.isEmpty());  // no save dialog
    QCOMPARE(Find<QLabel>("info")->text(), message);  // the preview says so too
}

void TestTaskMaker::referenceThatDoesNotEndIsRefused_data()
{
    QTest::addColumn<QStringList>("reference");
    QTest::addColumn<QString>("reason");

    QTest::newRow("wall") << Listing(QStringLiteral("ПОКА впереди НЕ стена/НЦ/ШАГ/КЦ/ШАГ"))
                          << QStringLiteral("Задание нельзя сохранить: алгоритм-образец упирается в стену в клетке (12, 0)");
    QTest::newRow("endless") << Listing(QStringLiteral("ПОКА впереди НЕ стена/НЦ/ШАГ/ПОВОРОТ/ПОВОРОТ/КЦ"))
                             << QStringLiteral("Задание нельзя сохранить: алгоритм-образец не заканчивается");
}

void TestTaskMaker::referenceThatDoesNotEndIsRefused()
{
    QFETCH(QStringList, reference);
    QFETCH(QString, reason);
    FillIn(reference);
    QVERIFY2(Find<QLabel>("info")->text().startsWith(reason), qPrintable(Find<QLabel>("info")->text()));
    requests.clear();
    QVERIFY(!maker->SaveTaskClick());
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().text.startsWith(reason), qPrintable(messages.first().text));
    QVERIFY(requests.isEmpty());
}

void TestTaskMaker::savedTaskLoadsBack()
{
    // Nothing filled in: the teacher is told what is missing, in order.
    QVERIFY(!maker->SaveTaskClick());
    QVERIFY(!maker->SaveTaskClick());
    messages.clear();

    FillIn(Listing(QStringLiteral("ШАГ/ШАГ/ПОВОРОТ/ШАГ")));
    Find<QCheckBox>("useB")->setChecked(true);
    Find<QLineEdit>("bx")->setText(QStringLiteral("11"));
    Find<QLineEdit>("by")->setText(QStringLiteral("10"));
    QCOMPARE(Find<QLabel>("info")->text(), QStringLiteral("Образец рисует отрезков: 3."));
    // The preview shows the trace between the start and the next cell up.
    const QImage preview = Find<QLabel>("preview")->pixmap(Qt::ReturnByValue).toImage();
    const field::Geometry g = field::ComputeGeometry(8, 13);
    const QPoint middle = (field::CellCentre(g, 12, 11) + field::CellCentre(g, 12, 10)) / 2 + QPoint(1, 1);
    QCOMPARE(preview.pixel(middle) & 0xFFFFFF, field::TraceColour().rgb() & 0xFFFFFF);

    const QString path = dir->filePath(QStringLiteral("уголок.pvtask"));
    fileAnswers << path;
    QVERIFY(maker->SaveTaskClick());
    QVERIFY(messages.isEmpty());
    QCOMPARE(requests.last().presetName, QStringLiteral("Уголок"));
    QCOMPARE(requests.last().defaultSuffix, QStringLiteral("pvtask"));

    exec::Task task;
    QString error;
    QVERIFY2(exec::LoadTask(path, &task, &error), qPrintable(error));
    QCOMPARE(task.file.title, QStringLiteral("Уголок"));
    QCOMPARE(task.file.statement, QStringLiteral("Нарисуй уголок."));
    QCOMPARE(task.file.fieldSize, 13);
    QCOMPARE(QPoint(task.file.ax, task.file.ay), QPoint(12, 12));
    QCOMPARE(task.file.aDirection, 90);
    QVERIFY(task.file.hasB);
    QCOMPARE(QPoint(task.file.bx, task.file.by), QPoint(11, 10));
    QCOMPARE(int(task.sample.size()), 3);

    // Saved: closing asks nothing.
    QVERIFY(maker->close());
    QVERIFY(questions.isEmpty());
}

void TestTaskMaker::openedTaskClosesWithoutQuestionUntilChanged()
{
    const QString path = QStringLiteral(PUTEVOD_TASKS_DIR "/04-kvadrat.pvtask");
    QVERIFY(maker->OpenTask(path));
    QCOMPARE(Find<QLineEdit>("title")->text(), QStringLiteral("Квадрат"));
    QCOMPARE(Find<QLineEdit>("ax")->text(), QStringLiteral("4"));
    QVERIFY(Find<QCheckBox>("useB")->isChecked());
    QCOMPARE(Find<QLabel>("info")->text(), QStringLiteral("Образец рисует отрезков: 12."));

    Find<QPlainTextEdit>("statement")->appendPlainText(QStringLiteral("Не спеши."));
    questionAnswers << dialogs::Answer::Cancel;
    QVERIFY(!maker->close());
    QCOMPARE(questions, QStringList{QStringLiteral("Сохранить изменения в задании?")});
    QVERIFY(maker->isVisible());
    questionAnswers << dialogs::Answer::No;
    QVERIFY(maker->close());

    // A file that is not a task is refused with its name and reason.
    const QString other = AlgorithmFile(Listing(QStringLiteral("ШАГ")));
    QVERIFY(!maker->OpenTask(other));
    QCOMPARE(messages.last().text, QStringLiteral("Задание из файла «образец.txt» не открыто:\n"
                                                  "файл не является текстом в кодировке UTF-8."));
    QCOMPARE(Find<QLineEdit>("title")->text(), QStringLiteral("Квадрат"));
}

QTEST_MAIN(TestTaskMaker)
#include "tst_taskmaker.moc"
