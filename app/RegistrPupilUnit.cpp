#include "RegistrPupilUnit.h"
#include "ui_RegistrPupilUnit.h"

TfrmRegistrPupil *frmRegistrPupil = nullptr;

TfrmRegistrPupil::TfrmRegistrPupil(QWidget *parent) : QDialog(parent), ui(new Ui::TfrmRegistrPupil)
{
    ui->setupUi(this);
}

TfrmRegistrPupil::~TfrmRegistrPupil()
{
    if (frmRegistrPupil == this)
        frmRegistrPupil = nullptr;
    delete ui;
}

void TfrmRegistrPupil::FormActivate() {}
void TfrmRegistrPupil::ReadyBitBClick() {}
