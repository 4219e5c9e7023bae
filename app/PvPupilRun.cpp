// The run tool bar and the runs.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

void TfrmPvPupil::SetupToolBar() {}
void TfrmPvPupil::Pause(int) {}
void TfrmPvPupil::RunAlgorithm() {}
void TfrmPvPupil::StartRun(int, int, int) {}
bool TfrmPvPupil::CheckPoint() { return StopRequested; }
void TfrmPvPupil::FixToolButtonDoClick() {}
void TfrmPvPupil::FixToolButtonQuickClick() {}
void TfrmPvPupil::FixToolButtonResultClick() {}
void TfrmPvPupil::FixToolButtonStopClick() { StopRequested = true; }
