// Context menu of the listing, blank lines, comments and algorithm files.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

void TfrmPvPupil::SetupContextMenu() {}
void TfrmPvPupil::ComMenuPopup() {}
void TfrmPvPupil::N1Click() {}
void TfrmPvPupil::N3Click() {}
void TfrmPvPupil::N2Click() {}
void TfrmPvPupil::N6Click() {}
void TfrmPvPupil::N4Click() {}
void TfrmPvPupil::N5Click() {}
void TfrmPvPupil::N7Click() {}
void TfrmPvPupil::N10Click() {}
void TfrmPvPupil::N11Click() {}
void TfrmPvPupil::EditCommentExit() {}
bool TfrmPvPupil::lstComKeyDown(QKeyEvent *) { return false; }
bool TfrmPvPupil::EditCommentKeyPress(QKeyEvent *) { return false; }
