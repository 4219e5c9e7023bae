#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace dialogs {

namespace {

const char *const kQuoteInSaveName =
    "Имя файла не может содержать кавычки (\"). Алгоритм не сохранен: выберите другое имя.";
const char *const kQuoteInOpenName =
    "Имя файла не может содержать кавычки (\"). Алгоритм не загружен.";

} // namespace

std::function<void(const MessageRecord &)> messageHook;
std::function<QString(const FileRequest &)> fileHook;
std::function<void()> beepHook;

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

void Message(QWidget *parent, Kind kind, const QString &text)
{
    const QString caption = CaptionFor(kind);
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
    box.exec();
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
            Message(parent, Kind::Information,
                    request.save ? QString::fromUtf8(kQuoteInSaveName) : QString::fromUtf8(kQuoteInOpenName));
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
