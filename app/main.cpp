// Program entry: title, start window, main work window (hidden), sign-in
// dialog (hidden), message loop.
#include "Dialogs.h"
#include "MainPupilUnit.h"
#include "PvPupilUnit.h"
#include "RegistrPupilUnit.h"
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

    frmMainPupil = new TfrmMainPupil;  // it also makes the pictures known
    // Every window, message box and file dialog carries the program's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    frmPvPupil = new TfrmPvPupil;
    frmRegistrPupil = new TfrmRegistrPupil(frmMainPupil);

    frmMainPupil->show();
    const int result = app.exec();
    delete frmPvPupil;
    delete frmMainPupil;
    return result;
}
