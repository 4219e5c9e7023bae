// Saving and loading algorithms from the listing's context menu.
#include "Dialogs.h"
#include "common/lists.h"
#include "common/example.h"
#include "PvPupilUnit.h"
#include "common/workwindow.h"
#include "ui_PvPupilUnit.h"

#include "editor/algfile.h"
#include "editor/listing.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QFile>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestFiles : public WorkWindowTest
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir;
    QVector<dialogs::FileRequest> requests;
    QString answer;  // what the file dialog returns
    QVector<dialogs::MessageRecord> questions;
    dialogs::Answer reply = dialogs::Answer::No;  // what the question box returns

    QStringList Statistics() const
    {
        return ItemTexts(ui()->ListStatist);
    }
    QString Path(const char *name) const { return dir->filePath(QString::fromUtf8(name)); }
    // Loads a file of these bytes through the menu.
    void Load(const QByteArray &bytes)
    {
        answer = Path("in.txt");
        QVERIFY(WriteAll(answer, bytes));
        w->N11Click();
    }

private slots:
    void init();
    void cleanup();

    void saveAndLoadExample();
    void dialogRequests();
    void cancelledDialogs();
    void loadFailureChangesNothing_data();
    void loadFailureChangesNothing();
    void saveFailureReported();
    void saveNameWithQuote();
    void sameNameTwice();
    void shortFiles_data();
    void shortFiles();
    void foreignLinesKept();
    void longLineShownShortKeptWhole();
    void whatCountsAsAChange();
    void questionBeforeLoading_data();
    void questionBeforeLoading();
    void questionOnClosing_data();
    void questionOnClosing();
};

void TestFiles::init()
{
    requests.clear();
    answer.clear();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    dialogs::fileHook = [this](const dialogs::FileRequest &r) {
        requests << r;
        return answer;
    };
    questions.clear();
    reply = dialogs::Answer::No;
    dialogs::questionHook = [this](const dialogs::MessageRecord &m) {
        questions << m;
        return reply;
    };
    OpenWindow();
    w->NMainBeginClick();
    w->NMainWorkClick();
}

void TestFiles::cleanup()
{
    CloseWindow();
    dir.reset();
    dialogs::fileHook = nullptr;
    dialogs::questionHook = nullptr;
}

void TestFiles::saveAndLoadExample()
{
    In(*w).listing->setStringList(ExampleListing());
    w->SetCurrentLine(10);
    In(*w).ui->ListBoxProc->addItem(QStringLiteral("угол"));
    In(*w).RecountStatistics();
    const QStringList statistics = Statistics();

    answer = Path("alg.txt");
    w->N10Click();
    QVERIFY(messages.isEmpty());
    const QByteArray bytes = ReadAll(answer);
    QCOMPARE(bytes.count("\r\n"), 20);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> rows = bytes.split('\n');
    QVERIFY(rows.at(1).startsWith("    \xC4"));         // "    Дано"
    QVERIFY(rows.at(2).startsWith("    \xCD"));         // "    Надо"
    QVERIFY(rows.at(10).startsWith(QByteArray(15, ' ') + "\xCF"));  // ПОВОРОТ
    // Saving leaves the window alone.
    QCOMPARE(w->Lines(), ExampleListing());
    QCOMPARE(w->CurrentLine(), 10);

    w->N4Click();
    QCOMPARE(w->Lines(), editor::FrameLines());
    QCOMPARE(Procedures(), QStringList());

    w->N11Click();
    QVERIFY(messages.isEmpty());
    QCOMPARE(w->Lines(), ExampleListing());
    QCOMPARE(w->CurrentLine(), 4);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол")});
    QCOMPARE(Statistics(), statistics);
    QCOMPARE(Statistics().value(2), QStringLiteral("команд     ..............5"));
    QCOMPARE(Statistics().value(8), QStringLiteral("Итого:  строк   ......20"));

    // Lines ending in LF only, the last without a break: the same listing.
    QByteArray lf = bytes;
    lf.replace("\r\n", "\n");
    lf.chop(1);
    w->N4Click();
    Load(lf);
    QCOMPARE(w->Lines(), ExampleListing());
    QCOMPARE(w->CurrentLine(), 4);
}

void TestFiles::dialogRequests()
{
    answer = Path("a.txt");
    w->N10Click();
    w->N10Click();
    w->N11Click();
    QCOMPARE(requests.size(), 3);
    for (int i = 0; i < 2; ++i) {
        const dialogs::FileRequest &save = requests.at(i);
        QVERIFY(save.save);
        QCOMPARE(save.title, QStringLiteral("Сохранить алгоритм в файле"));
        QCOMPARE(save.filter, QStringLiteral("текстовый (*.txt)"));
        QCOMPARE(save.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(save.presetName, QStringLiteral("NoName"));
    }
    const dialogs::FileRequest &open = requests.at(2);
    QVERIFY(!open.save);
    QCOMPARE(open.title, QStringLiteral("Укажите имя открываемого файла"));
    QCOMPARE(open.filter, QStringLiteral("текстовые (*.txt)"));
    QCOMPARE(open.defaultSuffix, QStringLiteral("txt"));
    QVERIFY(open.presetName.isEmpty());
}

void TestFiles::cancelledDialogs()
{
    const QStringList lines = ExampleListing();
    In(*w).listing->setStringList(lines);
    w->SetCurrentLine(7);
    In(*w).ui->ListBoxProc->addItem(QStringLiteral("угол"));
    const QStringList statistics = Statistics();

    answer.clear();
    w->N10Click();
    w->N11Click();
    QCOMPARE(requests.size(), 2);
    QVERIFY(messages.isEmpty());
    QCOMPARE(w->Lines(), lines);
    QCOMPARE(w->CurrentLine(), 7);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол")});
    QCOMPARE(Statistics(), statistics);
    QVERIFY(QDir(dir->path()).isEmpty());
}

void TestFiles::loadFailureChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing.txt" << "Cannot open file %1.";
    QTest::newRow("too large") << "big.txt" << "Файл %1 слишком велик для алгоритма (больше 1 МБ).";
}

void TestFiles::loadFailureChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QVERIFY(WriteAll(Path("big.txt"), QByteArray(editor::kMaxAlgorithmFileSize + 1, 'x')));

    const QStringList lines = ExampleListing();
    In(*w).listing->setStringList(lines);
    w->SetCurrentLine(12);
    In(*w).ui->ListBoxProc->addItem(QStringLiteral("угол"));
    const QStringList statistics = Statistics();

    answer = dir->filePath(name);
    w->N11Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).kind, dialogs::Kind::Stop);
    QCOMPARE(messages.at(0).text, message.arg(answer));
    QCOMPARE(w->Lines(), lines);
    QCOMPARE(w->CurrentLine(), 12);
    QCOMPARE(Procedures(), QStringList{QStringLiteral("угол")});
    QCOMPARE(Statistics(), statistics);
}

void TestFiles::saveFailureReported()
{
    In(*w).listing->setStringList(ExampleListing());
    w->SetCurrentLine(4);
    answer = Path("no/such/folder/alg.txt");
    w->N10Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).kind, dialogs::Kind::Stop);
    QCOMPARE(messages.at(0).text, QStringLiteral("Cannot create file %1.").arg(answer));
    QCOMPARE(w->Lines(), ExampleListing());

    // A folder in the way of the file: reported, never as a success.
    messages.clear();
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("taken.txt")));
    answer = Path("taken.txt");
    w->N10Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("Cannot create file %1.").arg(answer));
}

// The real save dialog takes a name holding '"' for a list of quoted names.
void TestFiles::saveNameWithQuote()
{
    dialogs::fileHook = nullptr;
    In(*w).listing->setStringList(ExampleListing());
    w->SetCurrentLine(4);
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));  // a stray file would land here too
    bool typed = false;
    QTimer::singleShot(0, this, [&]() {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!edit) {  // not the toolkit's own dialog: nothing to type into
            if (dialog)
                dialog->reject();
            return;
        }
        dialog->setDirectory(dir->path());
        edit->setText(QStringLiteral("my\"alg"));
        typed = true;
        QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible())
            dialog->reject();
    });
    w->N10Click();
    QDir::setCurrent(oldCurrent);
    QVERIFY(typed);
    // Nothing written anywhere, and the pupil is told why.
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).kind, dialogs::Kind::Information);
    QVERIFY(messages.at(0).text.contains(QLatin1Char('"')));
}

void TestFiles::sameNameTwice()
{
    QStringList lines = editor::FrameLines();
    lines << QStringLiteral("ПРОЦЕДУРА угол") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")
          << QStringLiteral("ПРОЦЕДУРА край") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ")
          << QStringLiteral("ПРОЦЕДУРА угол") << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ");
    In(*w).ui->ListBoxProc->addItem(QStringLiteral("прежняя"));
    Load(editor::FormatAlgorithm(lines));
    QCOMPARE(Procedures(), (QStringList{QStringLiteral("угол"), QStringLiteral("край"), QStringLiteral("угол")}));
    QCOMPARE(Statistics().value(3), QStringLiteral("процедур   ..............3"));
}

void TestFiles::shortFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("current");
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("one line") << QByteArray("\xCA\xCE\xCD\r\n") << 0;
    QTest::newRow("four lines") << QByteArray("a\r\nb\r\nc\r\nd") << 3;
    QTest::newRow("five lines") << QByteArray("a\nb\nc\nd\ne\n") << 4;
}

void TestFiles::shortFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, current);
    Load(bytes);
    QVERIFY(messages.isEmpty());
    QCOMPARE(w->Lines(), editor::ParseAlgorithm(bytes));
    QCOMPARE(w->CurrentLine(), current);
    // With no line current nothing can be deleted or inserted; the menu's
    // whole-listing items still work.
    w->ComMenuPopup();
    QCOMPARE(In(*w).N5->isEnabled(), current >= 0);
    QVERIFY(In(*w).N4->isEnabled());
    QVERIFY(In(*w).N11->isEnabled());
    if (current < 0) {
        for (void (TfrmPvPupil::*handler)() : {&TfrmPvPupil::N1Click, &TfrmPvPupil::N3Click,
                                               &TfrmPvPupil::N2Click, &TfrmPvPupil::N6Click,
                                               &TfrmPvPupil::N5Click})
            (w.get()->*handler)();
        QVERIFY(w->Lines().isEmpty());
    }
}

void TestFiles::foreignLinesKept()
{
    const QByteArray bytes("\xC0\xCB\xC3\xCE\xD0\xC8\xD2\xCC \xCF\xD3\xD2\xDC_0\r\n"  // АЛГОРИТМ ПУТЬ_0
                           "\tabc\r\n"
                           "  //x\r\n"
                           "\x98\xFF\r\n");
    Load(bytes);
    QCOMPARE(w->Lines(), (QStringList{QStringLiteral("АЛГОРИТМ ПУТЬ_0"), QStringLiteral("\tabc"),
                                      QStringLiteral("  //x"), QString(QChar(0x98)) + QStringLiteral("я")}));
    QCOMPARE(w->CurrentLine(), 3);
    // Saved again, the file is the same byte for byte.
    answer = Path("out.txt");
    w->N10Click();
    QCOMPARE(ReadAll(answer), bytes);
}

// A line of any length loads, shows and saves back; the view lays out only
// what a row can show, never the whole line.
void TestFiles::longLineShownShortKeptWhole()
{
    QByteArray bytes = editor::FormatAlgorithm(editor::FrameLines());
    const QByteArray line = QByteArray("\xEF\xF3\xF2\xE5\xE2\xEE\xE4\xEA\xE0 ").repeated(20000);  // "путеводка "
    bytes.insert(bytes.indexOf("\r\n\xCA\xCE\xCD") + 2, line + "\r\n");  // after НАЧ
    Load(bytes);
    QCOMPARE(w->Lines().at(4).size(), line.size());
    QListView *view = ui()->lstCom;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QSize row = view->sizeHintForIndex(In(*w).listing->index(4));
    QVERIFY2(row.width() < 20000, qPrintable(QString::number(row.width())));
    QVERIFY(row.width() > view->viewport()->width());  // still longer than the row: elided
    QCOMPARE(view->model()->data(In(*w).listing->index(4)).toString().size(), line.size());
    answer = Path("out.txt");
    w->N10Click();
    QCOMPARE(ReadAll(answer), bytes);
}


// Insertions, deletions, blank lines and comments change the listing;
// selecting lines, points, the field size and runs do not. Начать, a save
// and a load start afresh.
void TestFiles::whatCountsAsAChange()
{
    QVERIFY(!In(*w).modified);
    w->SetCurrentLine(3);
    w->N1212Click();
    w->NMainPointsClick();
    w->NMainPointsClick();
    QVERIFY(!In(*w).modified);
    w->SetCurrentLine(4);
    w->PPButtonStepClick();
    QVERIFY(In(*w).modified);

    answer = Path("saved.txt");
    w->N10Click();
    QVERIFY(!In(*w).modified);
    w->NMainDebugClick();
    w->FixToolButtonResultClick();
    w->NMainWorkClick();
    QVERIFY(!In(*w).modified);

    w->SetCurrentLine(5);
    w->N5Click();  // a blank line
    QVERIFY(In(*w).modified);
    w->N11Click();  // loads saved.txt after the question
    QCOMPARE(questions.size(), 1);
    QVERIFY(!In(*w).modified);

    w->SetCurrentLine(4);
    w->N1Click();  // deletes the ШАГ
    QVERIFY(In(*w).modified);
    w->N11Click();
    w->N4Click();  // deletes the body
    QVERIFY(In(*w).modified);
}

void TestFiles::questionBeforeLoading_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("saveTo");  // what the save dialog returns
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Да, saved") << int(dialogs::Answer::Yes) << "saved.txt" << true << true;
    QTest::newRow("Да, save cancelled") << int(dialogs::Answer::Yes) << "" << false << false;
    QTest::newRow("Да, save failed") << int(dialogs::Answer::Yes) << "no/such/folder/x.txt" << false << false;
    QTest::newRow("Нет") << int(dialogs::Answer::No) << "" << true << false;
    QTest::newRow("Отмена") << int(dialogs::Answer::Cancel) << "" << false << false;
}

void TestFiles::questionBeforeLoading()
{
    QFETCH(int, reply);
    QFETCH(QString, saveTo);
    QFETCH(bool, loaded);
    QFETCH(bool, saved);

    const QString in = Path("in.txt");
    QVERIFY(WriteAll(in, editor::FormatAlgorithm(ExampleListing())));
    w->SetCurrentLine(4);
    w->PPButtonTurnClick();
    const QStringList edited = w->Lines();

    // The save dialog is asked first (when Да), then the open dialog.
    this->reply = dialogs::Answer(reply);
    dialogs::fileHook = [&](const dialogs::FileRequest &r) {
        requests << r;
        return r.save ? (saveTo.isEmpty() ? QString() : Path(saveTo.toUtf8().constData())) : in;
    };
    w->N11Click();
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.at(0).caption, QStringLiteral("PUTEVOD_FREE"));
    QCOMPARE(questions.at(0).text, QStringLiteral("Сохранить изменения в алгоритме?"));
    QCOMPARE(w->Lines(), loaded ? ExampleListing() : edited);
    QCOMPARE(In(*w).modified, !loaded);
    if (reply == int(dialogs::Answer::Yes))
        QCOMPARE(requests.at(0).presetName, QStringLiteral("NoName"));
    QCOMPARE(QFile::exists(Path("saved.txt")), saved);
    if (saved)
        QCOMPARE(ReadAll(Path("saved.txt")), editor::FormatAlgorithm(edited));

    // Nothing changed since: nothing is asked.
    questions.clear();
    if (loaded) {
        w->N11Click();
        QVERIFY(questions.isEmpty());
    }
}

void TestFiles::questionOnClosing_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("saveTo");
    QTest::addColumn<bool>("closed");
    QTest::newRow("unchanged") << false << int(dialogs::Answer::Cancel) << "" << true;
    QTest::newRow("Да, saved") << true << int(dialogs::Answer::Yes) << "saved.txt" << true;
    QTest::newRow("Да, save cancelled") << true << int(dialogs::Answer::Yes) << "" << false;
    QTest::newRow("Нет") << true << int(dialogs::Answer::No) << "" << true;
    QTest::newRow("Отмена") << true << int(dialogs::Answer::Cancel) << "" << false;
}

void TestFiles::questionOnClosing()
{
    QFETCH(bool, edit);
    QFETCH(int, reply);
    QFETCH(QString, saveTo);
    QFETCH(bool, closed);

    w->show();
    if (edit) {
        w->SetCurrentLine(4);
        w->PPButtonStepClick();
    }
    const QStringList before = w->Lines();
    this->reply = dialogs::Answer(reply);
    answer = saveTo.isEmpty() ? QString() : Path(saveTo.toUtf8().constData());
    QCOMPARE(w->close(), closed);
    QCOMPARE(questions.size(), edit ? 1 : 0);
    QCOMPARE(w->isVisible(), !closed);
    QCOMPARE(w->Lines(), before);
    if (!saveTo.isEmpty())
        QCOMPARE(ReadAll(answer), editor::FormatAlgorithm(before));
}

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
