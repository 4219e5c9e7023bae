// The field, its size submenu and the points panel.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

void TfrmPvPupil::SetupFieldControls() {}
void TfrmPvPupil::CreateCoordinateLabels() {}
void TfrmPvPupil::PlaceCoordinateLabels() {}
void TfrmPvPupil::ResizeField(int) {}
void TfrmPvPupil::RedrawEmptyField() {}
void TfrmPvPupil::ShowField() {}
bool TfrmPvPupil::ApplyPoints() { return true; }
void TfrmPvPupil::PlaceExecutorAtStart() {}
void TfrmPvPupil::SetSpinnerMaxima() {}
void TfrmPvPupil::FormClick() {}
void TfrmPvPupil::BindSpinners() {}
void TfrmPvPupil::N1212Click() {}
void TfrmPvPupil::NMainPointsClick() {}
void TfrmPvPupil::PanelPointsClick() {}
