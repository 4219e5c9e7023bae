#include "Dialogs.h"

#include "Texts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace dialogs {

std::function<void(const MessageRecord &)> messageHook;
std::function<QString(const FileRequest &)> fileHook;
std::function<void()> beepHook;
std::function<Answer(const MessageRecord &)> questionHook;

namespace {

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

void Beep()
{
    if (beepHook) {
        beepHook();
        return;
    }
    QApplication::beep();
}

} // namespace dialogs
