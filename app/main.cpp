// Program entry: title, start window, main work window (hidden), sign-in
// dialog (hidden), message loop. `putevod FILE` takes a teacher's task file:
// the work window sets it at Начать.
#include "Dialogs.h"
#include "MainPupilUnit.h"
#include "PvPupilUnit.h"
#include "RegistrPupilUnit.h"
#include "Translation.h"
#include "TaskMaker.h"
#include "Texts.h"
#include "exec/task.h"
#include "qtcompat.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    compat::PrepareApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(dialogs::kApplicationTitle);
    // The installed desktop entry's name: docks and task bars take the
    // program's icon and name from it.
    QGuiApplication::setDesktopFileName(QStringLiteral(PUTEVOD_APP_ID));
    // The whole program speaks Russian, whatever the system's locale: the
    // file dialogs' dates and file types too.
    translation::UseRussianLocale();
    translation::InstallToolkitTranslation(app);

    // The teacher's window alone: making task files, or mending the one named.
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--teacher")) > 0) {
        TaskMakerWindow maker;
        maker.show();
        if (!arguments.isEmpty())
            maker.OpenTask(arguments.first());
        return app.exec();
    }

    frmMainPupil = new TfrmMainPupil;  // it also makes the pictures known
    // Every window, message box and file dialog carries the program's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    frmPvPupil = new TfrmPvPupil;
    frmRegistrPupil = new TfrmRegistrPupil(frmMainPupil);

    // A task file given (the first argument that is no option): read now, so
    // that a damaged one is told at once; the program then starts without a
    // task.
    QString taskPath;
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            taskPath = argument;
            break;
        }
    }
    if (!taskPath.isEmpty()) {
        exec::Task task;
        QString error;
        if (exec::LoadTask(taskPath, &task, &error))
            frmPvPupil->SetTask(task);
        else
            dialogs::Message(nullptr, dialogs::Kind::Error, texts::TaskNotOpened(error), texts::kTaskNotOpened);
    }

    frmMainPupil->show();
    const int result = app.exec();
    delete frmPvPupil;
    delete frmMainPupil;
    return result;
}
