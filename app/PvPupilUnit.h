#pragma once
// The main work window: listing, command panel, statistics, field and run.
// The window owns the state and the event handlers; the rules they follow
// live in editor/, exec/ and field/.
//
// The handlers are split over several files by subsystem:
//   PvPupilUnit.cpp    creation, layout, stages, stage menu, keys, hints
//   PvPupilInsert.cpp  command panel, condition and procedure panels, statistics
//   PvPupilDelete.cpp  context menu, comments, algorithm files
//   PvPupilField.cpp   field, field size, points panel
//   PvPupilRun.cpp     tool bar and runs

#include "editor/editops.h"
#include "field/geometry.h"
#include "field/glyph.h"
#include "field/layout.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVector>

namespace Ui {
class TfrmPvPupil;
}
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QStringListModel;
class QTimer;

class TfrmPvPupil : public QMainWindow
{
    Q_OBJECT

public:
    enum class Stage { Initial, Begin, Work, Debug };

    // screenWidth 0 takes the primary screen's width.
    explicit TfrmPvPupil(int screenWidth = 0, QWidget *parent = nullptr);
    ~TfrmPvPupil() override;

    Ui::TfrmPvPupil *ui = nullptr;

    // ---- State -----------------------------------------------------------
    int u = 0;            // layout unit
    int halfPage = 0;     // half the rows that fit in lstCom
    Stage stage = Stage::Initial;
    bool running = false;       // a run is in progress
    bool closePending = false;  // the pupil asked to close during a run
    // The listing changed (insertions, deletions, blank lines, comments)
    // since Начать, the last save or the last load.
    bool modified = false;
    // The line a run with no line pause is on while lstCom still shows an
    // earlier one (lstCom catches up once a display frame); -1 otherwise.
    int runLine = -1;

    field::Geometry geometry;
    QImage fieldPicture;   // the field picture, W x W
    QImage underPicture;   // the save-under picture, S x S
    QRect fieldDirty;      // what was drawn into fieldPicture since the last ShowField
    field::Points points;
    field::Executor executor;
    QVector<QLabel *> labelsX, labelsY;  // coordinate labels

    int LinePause = 500;
    int TurnFramePause = 100;
    int WallBlinkPause = 100;
    bool StopRequested = false;

    QStringListModel *listing = nullptr;  // the items of lstCom

    // Context menu of lstCom.
    QMenu *ComMenu = nullptr;
    QAction *N1 = nullptr, *N3 = nullptr, *N2 = nullptr, *N6 = nullptr, *N4 = nullptr;
    QAction *N8 = nullptr, *N5 = nullptr, *N7 = nullptr, *N10 = nullptr, *N11 = nullptr;

    // ---- Listing access (PvPupilUnit.cpp) ---------------------------------
    QStringList Lines() const;
    int CurrentLine() const;              // -1 when no line is current; during a run, the run's line
    void SetCurrentLine(int row);         // an operation sets it: no selection rule
    void ApplyEdit(const editor::Edit &edit);  // steps, current line, scroll, recount
    void ScrollToMiddle(int row);         // row k - halfPage becomes the top row

    // ---- Creation and stages (PvPupilUnit.cpp) ----------------------------
    void FormCreate(int screenWidth);
    // Places every control from the layout unit and sizes the window.
    void LayOut(const field::WindowLayout &layout);
    // Under a window manager: the frame to the work area's top-left, the
    // client over the rest of its width, the layout to the height left.
    void Dock();
    void LayOutPending();                 // a layout held back during a run
    int MenuHeight() const;
    static bool IsWayland();
    void ResetWorkWindow();
    void EnterInitialState();
    void SetStage(Stage s);               // one routine puts every control of the stage table
    void StartNewTask();
    void WriteFrameLines();

    // ---- Statistics (PvPupilInsert.cpp) -----------------------------------
    void ResetStatistics();
    void RecountStatistics();

    // ---- Field and points (PvPupilField.cpp) ------------------------------
    void CreateCoordinateLabels();
    void PlaceCoordinateLabels();
    void ResizeField(int n);
    void RedrawEmptyField();
    void ShowField();
    bool ApplyPoints();                   // false when an entry was refused
    void PlaceExecutorAtStart();
    void SetSpinnerMaxima();
    void FormClick();
    void BindSpinners();

    // ---- Runs (PvPupilRun.cpp) --------------------------------------------
    void Pause(int ms);
    void RunAlgorithm();
    void StartRun(int turnFramePause, int wallBlinkPause, int linePause);
    bool CheckPoint();                    // process pending events; true when stopped

public slots:
    // Stage menu (PvPupilUnit.cpp)
    void NMainBeginClick();
    void NMainWorkClick();
    void NMainDebugClick();
    // Field and points (PvPupilField.cpp)
    void N1212Click();
    void NMainPointsClick();
    void PanelPointsClick();
    // Command panel (PvPupilInsert.cpp)
    void PPButtonStepClick();
    void PPButtonJumpClick();
    void PPButtonTurnClick();
    void PPButtonIfClick();
    void PPButtonWhileClick();
    void ButtonIfClick();
    void ButtonIfNotClick();
    void ButtonWhileClick();
    void ButtonWhileNotClick();
    void PPButtonProcClick();
    void PPButtonDoProcClick();
    void ListBoxProcClick();              // choose the selected name
    void lstComClick(int row);            // the pupil put the current line on row
    // Context menu and files (PvPupilDelete.cpp)
    void ComMenuPopup();
    void N1Click();
    void N3Click();
    void N2Click();
    void N6Click();
    void N4Click();
    void N5Click();
    void N7Click();
    void N10Click();
    void N11Click();
public:
    bool SaveAlgorithm();                 // true when the file was written
    // Asks whether to save a changed listing: true to go on (saved or not),
    // false to keep everything as it is.
    bool AskSaveChanges();
public slots:
    void EditCommentExit();
    // Tool bar (PvPupilRun.cpp)
    void FixToolButtonDoClick();
    void FixToolButtonQuickClick();
    void FixToolButtonResultClick();
    void FixToolButtonStopClick();

public:
    // Key handlers called from eventFilter; true when the key is consumed.
    bool FormKeyDown(QKeyEvent *e);                 // PvPupilUnit.cpp
    bool ButtonIfKeyDown(QKeyEvent *e);             // PvPupilInsert.cpp (all four condition buttons)
    bool ListBoxProcKeyDown(QKeyEvent *e);          // PvPupilInsert.cpp
    bool EditNewProcKeyPress(QKeyEvent *e);         // PvPupilInsert.cpp
    bool lstComKeyDown(QKeyEvent *e);               // PvPupilDelete.cpp
    bool EditCommentKeyPress(QKeyEvent *e);         // PvPupilDelete.cpp
    void SetupInsertPanel();                        // PvPupilInsert.cpp: hints, connections
    void SetupContextMenu();                        // PvPupilDelete.cpp: ComMenu, PanelComment
    void SetupFieldControls();                      // PvPupilField.cpp: points panel, size submenu
    void SetupToolBar();                            // PvPupilRun.cpp: images, hints, connections

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupStageMenu();
    void setupHints();
    int m_screenWidth = 0;
    field::WindowLayout m_layout;
    bool m_docked = false;         // framed and docked by Dock
    bool m_layoutPending = false;  // a new layout waits for the run's end
    QTimer *m_dockTimer = nullptr;
    int m_dockTries = 0;
    bool m_settingCurrent = false;  // an operation is setting the current line
    const QEvent *m_previewEvent = nullptr;  // the key event last previewed
    QPointer<QWidget> m_previewTarget;       // and the widget it was delivered to
};

// The main work window of the program run (created hidden at start-up).
extern TfrmPvPupil *frmPvPupil;
