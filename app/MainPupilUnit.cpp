#include "MainPupilUnit.h"
#include "ui_MainPupilUnit.h"

TfrmMainPupil *frmMainPupil = nullptr;

TfrmMainPupil::TfrmMainPupil(QWidget *parent) : QMainWindow(parent), ui(new Ui::TfrmMainPupil)
{
    ui->setupUi(this);
}

TfrmMainPupil::~TfrmMainPupil()
{
    if (frmMainPupil == this)
        frmMainPupil = nullptr;
    delete ui;
}

void TfrmMainPupil::StartBitBClick() {}
