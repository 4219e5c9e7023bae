// Command panel, condition panels, procedure panel and statistics.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

void TfrmPvPupil::SetupInsertPanel() {}
void TfrmPvPupil::ResetStatistics() {}
void TfrmPvPupil::RecountStatistics() {}
void TfrmPvPupil::PPButtonStepClick() {}
void TfrmPvPupil::PPButtonJumpClick() {}
void TfrmPvPupil::PPButtonTurnClick() {}
void TfrmPvPupil::PPButtonIfClick() {}
void TfrmPvPupil::PPButtonWhileClick() {}
void TfrmPvPupil::ButtonIfClick() {}
void TfrmPvPupil::ButtonIfNotClick() {}
void TfrmPvPupil::ButtonWhileClick() {}
void TfrmPvPupil::ButtonWhileNotClick() {}
void TfrmPvPupil::PPButtonProcClick() {}
void TfrmPvPupil::PPButtonDoProcClick() {}
void TfrmPvPupil::ListBoxProcClick() {}
void TfrmPvPupil::lstComClick(int) {}
bool TfrmPvPupil::ButtonIfKeyDown(QKeyEvent *) { return false; }
bool TfrmPvPupil::ListBoxProcKeyDown(QKeyEvent *) { return false; }
bool TfrmPvPupil::EditNewProcKeyPress(QKeyEvent *) { return false; }
