#pragma once
// The sign-in dialog: surname and first name, or a team name.

#include <QDialog>

namespace Ui {
class TfrmRegistrPupil;
}
class QKeyEvent;
class QLineEdit;

class TfrmRegistrPupil : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRegistrPupil(QWidget *parent = nullptr);
    ~TfrmRegistrPupil() override;

    Ui::TfrmRegistrPupil *ui = nullptr;

    void FormActivate();

public slots:
    void ReadyBitBClick();
};

// The dialog of the current sign-in (the hidden one made at start-up first).
extern TfrmRegistrPupil *frmRegistrPupil;
