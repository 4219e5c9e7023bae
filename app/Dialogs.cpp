#include "Dialogs.h"

#include "Texts.h"
#include "editor/algfile.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace dialogs {

std::function<void(const MessageRecord &)> messageHook;
std::function<QString(const FileRequest &)> fileHook;
std::function<void()> beepHook;
std::function<Answer(const MessageRecord &)> questionHook;

namespace {

// Fits a 1024 x 600 screen.
const QSize kFileDialogSize(800, 480);

// The file dialog's "Type" column: the toolkit's translation lacks the word
// for a folder; files keep their types, named in the program's locale.
class FileTypes : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return texts::kFolderType;
        return QFileIconProvider::type(info);
    }
};

// The file dialog's sizes and dates in the program's locale (the toolkit
// writes them in the system's, which may be English).
class FileSizesAndDates : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (files && role == Qt::DisplayRole) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
            if (index.column() == kDateColumn)
                return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

// A box of fixed size with a close box only, whatever the window manager
// would add to a dialog.
void FixBorder(QMessageBox &box)
{
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

} // namespace

QString CaptionFor(Kind kind)
{
    switch (kind) {
    case Kind::Information:
        return QStringLiteral("Information");
    case Kind::Error:
        return QStringLiteral("Error");
    case Kind::Plain:
    case Kind::Stop:
        break;
    }
    return kApplicationTitle;
}

namespace {

// selectable: the text can be selected and copied (Ctrl+A, Ctrl+C).
void ShowMessage(QWidget *parent, Kind kind, const QString &text, const QString &caption, bool selectable)
{
    if (messageHook) {
        messageHook({kind, caption, text});
        return;
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case Kind::Plain: icon = QMessageBox::NoIcon; break;
    case Kind::Information: icon = QMessageBox::Information; break;
    case Kind::Error: icon = QMessageBox::Critical; break;
    case Kind::Stop: icon = QMessageBox::Critical; break;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    // "OK" as it is, whatever language the toolkit's own texts are in.
    box.button(QMessageBox::Ok)->setText(texts::kOk);
    FixBorder(box);
    if (selectable)
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace

void Message(QWidget *parent, Kind kind, const QString &text)
{
    ShowMessage(parent, kind, text, CaptionFor(kind), false);
}

void Message(QWidget *parent, Kind kind, const QString &text, const QString &caption)
{
    ShowMessage(parent, kind, text, caption, true);
}

Answer Question(QWidget *parent, const QString &text)
{
    if (questionHook)
        return questionHook({Kind::Plain, kApplicationTitle, text});
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton, parent);
    FixBorder(box);
    QPushButton *yes = box.addButton(texts::kYes, QMessageBox::YesRole);
    QPushButton *no = box.addButton(texts::kNo, QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(texts::kCancel, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

void ErrorReport(QWidget *parent, const QString &text)
{
    Message(parent, Kind::Stop, text + QLatin1Char('.'));
}

QString AskFileName(QWidget *parent, const FileRequest &request)
{
    if (fileHook)
        return fileHook(request);
    FileTypes types;  // outlives the dialog, whose threads ask it
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.presetName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // Room for the detail view's columns, each as wide as what it shows
    // (Russian dates and file types are longer than the toolkit expects);
    // the name takes the rest.
    dialog.resize(kFileDialogSize);
    dialog.setIconProvider(&types);
    dialog.setProxyModel(new FileSizesAndDates(&dialog));
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    // The dialog reads a typed name holding '"' as a list of quoted names and
    // picks one of them: the file would not be the one named. Such a name is
    // refused (it could not be typed into the load dialog either).
    if (auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        if (edit->text().contains(QLatin1Char('"'))) {
            const QString algorithm = request.save ? texts::kQuoteInSaveName : texts::kQuoteInOpenName;
            Message(parent, Kind::Information,
                    request.quoteMessage.isEmpty() ? algorithm : request.quoteMessage);
            return QString();
        }
    }
    return dialog.selectedFiles().first();
}

bool OpenAlgorithmFile(QWidget *parent, const FileRequest &request, QString *path, QStringList *lines)
{
    const QString chosen = AskFileName(parent, request);
    if (chosen.isEmpty())
        return false;
    QString error;
    if (!editor::LoadAlgorithmFile(chosen, lines, &error)) {
        ErrorReport(parent, error);
        return false;
    }
    *path = chosen;
    return true;
}

void Beep()
{
    if (beepHook) {
        beepHook();
        return;
    }
    QApplication::beep();
}

} // namespace dialogs
