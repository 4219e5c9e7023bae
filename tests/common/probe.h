#pragma once
// WorkWindowProbe: the tests' one way into the work window's controls and
// state (the window names it its friend).

#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

// The window's controls and state, by the names the window uses.
class WorkWindowProbe
{
public:
    explicit WorkWindowProbe(TfrmPvPupil &w)
        : ui(w.ui.get()), u(w.u), halfPage(w.halfPage), stage(w.stage), running(w.running),
          closePending(w.closePending), modified(w.modified), runLine(w.runLine), geometry(w.geometry),
          fieldPicture(w.fieldPicture), underPicture(w.underPicture), fieldDirty(w.fieldDirty), points(w.points), executor(w.executor),
          labelsX(w.labelsX), labelsY(w.labelsY), LinePause(w.LinePause), TurnFramePause(w.TurnFramePause),
          WallBlinkPause(w.WallBlinkPause), StopRequested(w.StopRequested), listing(w.listing),
          ComMenu(w.ComMenu), N1(w.N1), N3(w.N3), N2(w.N2), N6(w.N6), N4(w.N4), N8(w.N8), N5(w.N5), N7(w.N7),
          N10(w.N10), N11(w.N11), m_w(w)
    {
    }

    Ui::TfrmPvPupil *ui;
    int &u;
    int &halfPage;
    TfrmPvPupil::Stage &stage;
    bool &running;
    bool &closePending;
    bool &modified;
    int &runLine;
    field::Geometry &geometry;
    QImage &fieldPicture;
    QImage &underPicture;
    QRect &fieldDirty;
    field::Points &points;
    field::Executor &executor;
    QVector<QLabel *> &labelsX;
    QVector<QLabel *> &labelsY;
    int &LinePause;
    int &TurnFramePause;
    int &WallBlinkPause;
    bool &StopRequested;
    QStringListModel *&listing;
    QMenu *&ComMenu;
    QAction *&N1, *&N3, *&N2, *&N6, *&N4, *&N8, *&N5, *&N7, *&N10, *&N11;

    void SetStage(TfrmPvPupil::Stage s) { m_w.SetStage(s); }
    void ShowField() { m_w.ShowField(); }
    void RecountStatistics() { m_w.RecountStatistics(); }
    void ResetStatistics() { m_w.ResetStatistics(); }
    bool ApplyPoints() { return m_w.ApplyPoints(); }
    void FormClick() { m_w.FormClick(); }
    void StartRun(int turnFramePause, int wallBlinkPause, int linePause)
    {
        m_w.StartRun(turnFramePause, wallBlinkPause, linePause);
    }
    int MenuHeight() const { return m_w.MenuHeight(); }
    static bool IsWayland() { return TfrmPvPupil::IsWayland(); }

private:
    TfrmPvPupil &m_w;
};

inline WorkWindowProbe In(TfrmPvPupil &w)
{
    return WorkWindowProbe(w);
}
