// The toolkit's own texts in Russian: the file dialogs and the edit boxes'
// context menu say nothing in English once the translation is installed,
// while the texts the program fixes (the message box's "OK", the caption
// "Error", the question's buttons) stay as they are.
#include "Dialogs.h"
#include "Translation.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Every text a pupil can read on the widget and its children: captions,
// column headers and tool tips.
QStringList ShownTexts(QWidget *top)
{
    QStringList texts;
    for (auto *label : top->findChildren<QLabel *>())
        texts << Plain(label->text());
    for (auto *button : top->findChildren<QAbstractButton *>())
        texts << Plain(button->text()) << button->toolTip();
    for (auto *view : top->findChildren<QTreeView *>()) {
        QAbstractItemModel *model = view->model();
        for (int c = 0; model && c < model->columnCount(); ++c)
            texts << model->headerData(c, Qt::Horizontal).toString();
    }
    texts.removeAll(QString());
    return texts;
}

// The toolkit's English texts a pupil met in the file dialogs.
const QStringList kEnglishDialogTexts = {
    QStringLiteral("Look in:"), QStringLiteral("File name:"), QStringLiteral("Files of type:"),
    QStringLiteral("Save"), QStringLiteral("Open"), QStringLiteral("Cancel"), QStringLiteral("Name"),
    QStringLiteral("Size"), QStringLiteral("Type"), QStringLiteral("Date Modified"), QStringLiteral("Back"),
    QStringLiteral("Forward"), QStringLiteral("Parent Directory"), QStringLiteral("Create New Folder"),
    QStringLiteral("List View"), QStringLiteral("Detail View")};

// Runs `inspect` on the modal box or dialog once it is open, then closes it.
void WhenOpen(std::function<void(QWidget *)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            WhenOpen(inspect);
            return;
        }
        inspect(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        translation::UseRussianLocale();
        // The same call as at start-up; the package is installed by
        // tools/setup.sh.
        QVERIFY2(translation::InstallToolkitTranslation(*qApp),
                 qPrintable(translation::ToolkitTranslationsDir()));
    }

    // The save and the load dialog: every label, button, column header and
    // tool tip is translated.
    void fileDialogs_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("save") << true;
        QTest::newRow("load") << false;
    }
    void fileDialogs()
    {
        QFETCH(bool, save);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList shown;
        WhenOpen([&](QWidget *dialog) { shown = ShownTexts(dialog); });
        dialogs::FileRequest request;
        request.save = save;
        request.title = QStringLiteral("Сохранить алгоритм в файле");
        request.filter = QStringLiteral("Алгоритмы (*.txt)");
        request.presetName = dir.filePath(QStringLiteral("NoName.txt"));
        request.defaultSuffix = QStringLiteral("txt");
        QVERIFY(dialogs::AskFileName(nullptr, request).isEmpty());

        QVERIFY(shown.size() > 10);
        for (const QString &english : kEnglishDialogTexts)
            QVERIFY2(!shown.contains(english), qPrintable(english));
        QVERIFY(shown.contains(QStringLiteral("Отмена")));
    }

    // The detail view's cells: a folder's type, a file's size and date are
    // Russian whatever the system's locale.
    void fileDialogCells()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile file(dir.filePath(QStringLiteral("a.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x\r\n");
        file.close();
        const QDateTime modified = QFileInfo(file).lastModified();

        QMap<QString, QStringList> rows;  // name -> cells
        QElapsedTimer waited;
        waited.start();
        std::function<void()> poll = [&] {
            auto *view = QApplication::activeModalWidget()
                             ? QApplication::activeModalWidget()->findChild<QTreeView *>(QStringLiteral("treeView"))
                             : nullptr;
            QAbstractItemModel *model = view ? view->model() : nullptr;
            // The cells fill in as the dialog's file system thread reports.
            rows.clear();
            if (model && model->rowCount(view->rootIndex()) >= 2) {
                for (int r = 0; r < 2; ++r) {
                    QStringList cells;
                    for (int c = 0; c < 4; ++c)
                        cells << model->index(r, c, view->rootIndex()).data().toString();
                    rows[cells.first()] = cells;
                }
            }
            const bool filled = rows.size() == 2 && !rows.first().value(2).isEmpty()
                                && !rows.last().value(2).isEmpty();
            if (filled || waited.elapsed() > 5000) {
                qobject_cast<QDialog *>(QApplication::activeModalWidget())->reject();
                return;
            }
            QTimer::singleShot(20, poll);
        };
        QTimer::singleShot(0, poll);
        dialogs::FileRequest request;
        request.save = true;  // opens in the folder of the name it offers
        request.title = QStringLiteral("Сохранить алгоритм в файле");
        request.filter = QStringLiteral("Алгоритмы (*.txt)");
        request.presetName = dir.filePath(QStringLiteral("NoName.txt"));
        dialogs::AskFileName(nullptr, request);

        QCOMPARE(rows.value(QStringLiteral("folder")).value(2), QStringLiteral("Папка"));
        const QStringList a = rows.value(QStringLiteral("a.txt"));
        QCOMPARE(a.value(1), QLocale(QLocale::Russian).formattedDataSize(3));
        QVERIFY2(!a.value(1).contains(QLatin1String("byte")), qPrintable(a.value(1)));
        QCOMPARE(a.value(3), QLocale(QLocale::Russian, QLocale::Russia).toString(modified, QLocale::ShortFormat));
    }

    // The point panel's edit boxes: their context menu.
    void editContextMenu()
    {
        QLineEdit edit(QStringLiteral("7"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList items;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                items << Plain(a->text()).section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(items.size(), 7);
        for (const char *english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
            QVERIFY2(!items.contains(QLatin1String(english)), english);
    }

    // The program's own texts are not the toolkit's to translate.
    void fixedTextsStay()
    {
        QString caption, okText, text;
        WhenOpen([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            caption = box->windowTitle();
            okText = box->button(QMessageBox::Ok)->text();
            text = box->text();
        });
        dialogs::Message(nullptr, dialogs::Kind::Error, QStringLiteral("'x' is not a valid integer value"));
        QCOMPARE(caption, QStringLiteral("Error"));
        QCOMPARE(okText, QStringLiteral("OK"));
        QCOMPARE(text, QStringLiteral("'x' is not a valid integer value"));

        QStringList buttons;
        WhenOpen([&](QWidget *modal) {
            for (auto *b : modal->findChildren<QAbstractButton *>())
                buttons << b->text();
        });
        dialogs::Question(nullptr, QStringLiteral("Сохранить изменения в алгоритме?"));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")}));
    }

    // Without the translation the program goes on in the toolkit's English.
    void missingTranslation()
    {
        QTemporaryDir empty;
        QVERIFY(!translation::InstallToolkitTranslation(*qApp, empty.path()));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
