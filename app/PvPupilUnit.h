#pragma once
// The main work window: listing, command panel, statistics, field and run.
// The window owns the state and the event handlers; the rules they follow
// live in editor/, exec/ and field/.
//
// What the window offers is public: its handlers, under the names the
// pupil's actions have, and access to the listing. Its controls and state are
// private; the tests reach them through WorkWindowProbe (tests/common/).
//
// The handlers are split over several files by subsystem:
//   PvPupilUnit.cpp    creation, stages, stage menu, window keys
//   PvPupilLayout.cpp  layout, docking and resizing
//   PvPupilInsert.cpp  command panel, condition and procedure panels, statistics
//   PvPupilDelete.cpp  listing, context menu, comments, algorithm files
//   PvPupilField.cpp   field, field size, points panel
//   PvPupilRun.cpp     tool bar and runs

#include "editor/editops.h"
#include "exec/task.h"
#include "field/geometry.h"
#include "field/glyph.h"
#include "field/layout.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include <memory>

namespace Ui {
class TfrmPvPupil;
}
class CloseRequestWatch;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class QStringListModel;
class QTimer;
class TaskWindow;

class TfrmPvPupil : public QMainWindow
{
    Q_OBJECT

public:
    enum class Stage { Initial, Begin, Work, Debug };

    // screenWidth 0 takes the primary screen's width.
    explicit TfrmPvPupil(int screenWidth = 0, QWidget *parent = nullptr);
    ~TfrmPvPupil() override;

    // ---- The listing ------------------------------------------------------
    QStringList Lines() const;
    int CurrentLine() const;              // -1 when no line is current; during a run, the run's line
    void SetCurrentLine(int row);         // an operation sets it: no selection rule

    // ---- A teacher's task (PvPupilTask.cpp) --------------------------------
    // Taken at Начать: the field's size and points, the task window, the
    // check after each run that reaches КОН. Without one the window is the
    // free task.
    void SetTask(const exec::Task &task);
    bool HasTask() const;

    // ---- Algorithm files (PvPupilDelete.cpp) ------------------------------
    bool SaveAlgorithm();                 // true when the file was written
    // Asks whether to save a changed listing: true to go on (saved or not),
    // false to keep everything as it is.
    bool AskSaveChanges();

public slots:
    // Stage menu (PvPupilUnit.cpp)
    void NMainBeginClick();
    void NMainWorkClick();
    void NMainDebugClick();
    // Field and points (PvPupilField.cpp)
    void N1212Click();                    // any size item: the size is its data
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
    // Context menu and comments (PvPupilDelete.cpp)
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
    void EditCommentExit();
    // Tool bar (PvPupilRun.cpp)
    void FixToolButtonDoClick();
    void FixToolButtonQuickClick();
    void FixToolButtonResultClick();
    void FixToolButtonStopClick();

protected:
    // Installed on the application: the window's key preview.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class WorkWindowProbe;  // the tests' one way in

    // One button of the command panel: its F-key and its click handler. The
    // panel's buttons are enabled in Разработка only.
    struct CommandButton {
        QPushButton *button;
        Qt::Key key;
        void (TfrmPvPupil::*click)();
    };
    QVector<CommandButton> CommandButtons() const;  // PvPupilInsert.cpp
    void InsertCommandLine(const QString &word);    // ШАГ, ПРЫЖОК or ПОВОРОТ before the current line
    // A condition panel opens level with its opener button; choosing a
    // condition closes it and inserts the construct.
    using ConstructEdit = editor::Edit (*)(const QStringList &lines, int k, bool negated);
    void OpenConditionPanel(QWidget *panel, QPushButton *opener, QPushButton *first);
    void InsertConstruct(QWidget *panel, QPushButton *opener, ConstructEdit insert, bool negated);

    // ---- Set-up: one routine per part of the window -----------------------
    void SetupStageMenu();                // PvPupilUnit.cpp
    void SetupCommandPanel();             // PvPupilInsert.cpp: buttons, condition and procedure panels
    void SetupStatistics();               // PvPupilInsert.cpp
    void SetupListing();                  // PvPupilDelete.cpp: the list, its mouse and keys
    void SetupContextMenu();              // PvPupilDelete.cpp: ComMenu, PanelComment
    void SetupFieldControls();            // PvPupilField.cpp: points panel, size submenu
    void SetupToolBar();                  // PvPupilRun.cpp: images, connections

    // ---- Listing ------------------------------------------------------------
    void ApplyEdit(const editor::Edit &edit);  // steps, current line, scroll, recount
    void ScrollToMiddle(int row);         // row k - halfPage becomes the top row

    // ---- Layout (PvPupilLayout.cpp) ----------------------------------------
    // Places every control from the layout unit and sizes the window.
    void LayOut(const field::WindowLayout &layout);
    // Under a window manager: the frame to the work area's top-left, the
    // client over the rest of its width, the layout to the height left.
    void Dock();
    // The area the frame is docked in, in device pixels: the work area
    // clear of every dock's and panel's strip.
    QRect DockArea(qreal scale) const;
    // Docked at the exact device pixel (true), or given up on it.
    bool CheckDocked();
    // Maximised and laid out in the size given, as under Wayland.
    void FollowGivenSize();
    bool FollowsSize() const;
    void LayOutPending();                 // a layout held back during a run
    int MenuHeight() const;
    static bool IsWayland();

    // ---- Stages ------------------------------------------------------------
    void FormCreate(int screenWidth);
    void ResetWorkWindow();
    void EnterInitialState();
    void SetStage(Stage s);               // one routine puts every control of the stage table
    void StartNewTask();
    void WriteFrameLines();

    // ---- Keys --------------------------------------------------------------
    // Each returns true when the key is consumed.
    bool FormKeyDown(QKeyEvent *e);                 // PvPupilUnit.cpp
    bool ButtonIfKeyDown(QKeyEvent *e);             // PvPupilInsert.cpp (all four condition buttons)
    bool ListBoxProcKeyDown(QKeyEvent *e);          // PvPupilInsert.cpp
    bool EditNewProcKeyPress(QKeyEvent *e);         // PvPupilInsert.cpp
    bool lstComKeyDown(QKeyEvent *e);               // PvPupilDelete.cpp
    bool EditCommentKeyPress(QKeyEvent *e);         // PvPupilDelete.cpp

    // ---- Statistics (PvPupilInsert.cpp) ------------------------------------
    void ResetStatistics();
    void RecountStatistics();

    // ---- Field and points (PvPupilField.cpp) -------------------------------
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

    // ---- Runs (PvPupilRun.cpp) ---------------------------------------------
    void Pause(int ms);
    void RunAlgorithm();
    void StartRun(int turnFramePause, int wallBlinkPause, int linePause);
    bool CheckPoint();                    // process pending events; true when stopped

    // ---- A teacher's task (PvPupilTask.cpp) --------------------------------
    void ApplyTaskField();                // at Начать: the task's size and points
    void ShowTaskWindow();                // at Начать and on F9: open or bring back
    void PlaceTaskWindow();               // beside the field, never over it
    void RecordStep(QPoint from);         // after a ШАГ from this cell: the pupil's trace
    void CheckTaskResult();               // after a run: the verdict, the missing segments

    // ---- State -------------------------------------------------------------
    std::unique_ptr<Ui::TfrmPvPupil> ui;
    int u = 0;            // layout unit
    int halfPage = 0;     // half the rows that fit in lstCom
    Stage stage = Stage::Initial;
    bool running = false;       // a run is in progress
    bool closePending = false;  // the pupil asked to close during a run
    // Notes the window manager's close requests during a run, also those a
    // run's message box would make the toolkit drop.
    std::unique_ptr<CloseRequestWatch> closeWatch;
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

    int m_screenWidth = 0;
    field::WindowLayout m_layout;
    bool m_docked = false;         // framed and docked by Dock
    bool m_layoutPending = false;  // a new layout waits for the run's end
    QTimer *m_dockTimer = nullptr;
    int m_dockTries = 0;
    int m_dockChecks = 0;
    int m_dockStable = 0;          // checks in a row that found the frame docked
    QPoint m_dockedAt;             // the frame's top-left, in device pixels
    bool m_followSize = false;     // maximised, laid out in the size given
    // Tries, 25 ms apart, before a framed window without frame extents
    // follows the size it is given instead.
    static const int kDockTries = 120;
    // Before it is framed, the window leaves this much of the area free
    // right and below (device pixels): more than any frame's border.
    static const int kUnframedMargin = 64;
    bool m_settingCurrent = false;  // an operation is setting the current line
    const QEvent *m_previewEvent = nullptr;  // the key event last previewed
    QPointer<QWidget> m_previewTarget;       // and the widget it was delivered to

    std::unique_ptr<exec::Task> m_task;      // none in the free task
    QPointer<TaskWindow> m_taskWindow;       // opened at Начать
    exec::Drawing m_trace;                   // the pupil's trace of the last run
    bool m_runReachedEnd = false;            // the last run reached КОН: to be checked
};

// The main work window of the program run (created hidden at start-up).
extern TfrmPvPupil *frmPvPupil;
