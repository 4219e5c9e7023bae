// The main work window: creation, work stages, the stage menu, the window's
// keys and the listing's current line.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "CloseRequests.h"
#include "Hints.h"
#include "ListingDelegate.h"
#include "Resources.h"
#include "StageMenuStyle.h"
#include "editor/listing.h"
#include "field/fonts.h"
#include "field/layout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStringListModel>

TfrmPvPupil *frmPvPupil = nullptr;

namespace {

// Exactly Shift with F1 to F5: the stage menu's shortcuts.
bool IsMenuShortcut(const QKeyEvent *key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier && key->key() >= Qt::Key_F1
           && key->key() <= Qt::Key_F5;
}

} // namespace

TfrmPvPupil::TfrmPvPupil(int screenWidth, QWidget *parent)
    : QMainWindow(parent), ui(new Ui::TfrmPvPupil)
{
    InitImageResources();
    ui->setupUi(this);
    FormCreate(screenWidth);
}

TfrmPvPupil::~TfrmPvPupil()
{
    // FormDestroy: the pictures go with the window.
    qApp->removeEventFilter(this);
    fieldPicture = QImage();
    underPicture = QImage();
    if (frmPvPupil == this)
        frmPvPupil = nullptr;
}

// ---------------------------------------------------------------------------
// Creation

void TfrmPvPupil::FormCreate(int screenWidth)
{
    if (screenWidth <= 0) {
        QScreen *screen = QGuiApplication::primaryScreen();
        screenWidth = screen ? screen->geometry().width() : 1024;
    }

    SetupStageMenu();

    // The window's own font: MS Sans Serif at 11 px.
    QFont windowFont(field::FontFamily(field::Face::MsSansSerif));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    // The pictures start empty; the layout gives them their sizes.
    fieldPicture = QImage();
    underPicture = QImage();
    geometry.n = 12;

    TurnFramePause = 100;
    WallBlinkPause = 100;
    LinePause = 500;

    // Window frame: docked to the top of the work area over its full width.
    ui->StatusBar1->setFixedHeight(22);
    ui->StatusBar1->setSizeGripEnabled(false);
    ui->StatusBar1->setAutoFillBackground(true);
    QPalette statusPalette = ui->StatusBar1->palette();
    statusPalette.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::HighlightedText));
    ui->StatusBar1->setPalette(statusPalette);

    // Panels that open over other controls hide what lies beneath them.
    for (QWidget *panel : {ui->PanelPoints, ui->PanelComment})
        panel->setAutoFillBackground(true);

    SetupCommandPanel();
    SetupStatistics();
    SetupListing();
    SetupContextMenu();
    SetupFieldControls();
    SetupToolBar();
    RouteHints(this, ui->StatusBar1);

    // The window is docked to the top-left of the work area over its full
    // width. Before a window manager has framed it, the client takes the
    // work area; once the frame is known the window is docked again (Dock).
    m_screenWidth = screenWidth;
    QRect area(0, 0, screenWidth, 768);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    const QSize available(screenWidth, area.height() - MenuHeight());
    LayOut(field::ComputeWindowLayout(screenWidth, available));
    if (IsWayland()) {
        // A Wayland client can neither place its windows nor learn the work
        // area: the window asks to be maximised and lays itself out in the
        // size it is given (resizeEvent).
        setWindowState(Qt::WindowMaximized);
    } else {
        // Under X11 the window offers no maximise box and cannot be resized.
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        move(area.topLeft());
    }

    qApp->installEventFilter(this);
    closeWatch = std::make_unique<CloseRequestWatch>(this, [this] {
        if (running)
            closePending = true;
    });
    ResetWorkWindow();
}

// ---------------------------------------------------------------------------
// Stages

void TfrmPvPupil::ResetWorkWindow()
{
    listing->setStringList(QStringList{QString()});
    SetCurrentLine(0);
    RedrawEmptyField();
    ShowField();
    EnterInitialState();
}

void TfrmPvPupil::EnterInitialState()
{
    SetStage(Stage::Initial);
}

void TfrmPvPupil::SetStage(Stage s)
{
    stage = s;
    const bool initial = s == Stage::Initial;
    const bool begin = s == Stage::Begin;
    const bool work = s == Stage::Work;
    const bool debug = s == Stage::Debug;

    ui->NMainBegin->setEnabled(initial);
    ui->NMainWork->setEnabled(begin || (debug && !running));
    ui->NMainDebug->setEnabled(work);
    ui->NMainPoints->setEnabled(work);
    ui->NMainHelp->menuAction()->setEnabled(!initial);

    ui->FixToolButtonDo->setEnabled(debug && !running);
    ui->FixToolButtonQuick->setEnabled(debug && !running);
    ui->FixToolButtonResult->setEnabled(debug && !running);
    ui->FixToolButtonStop->setEnabled(debug);

    for (QWidget *w : {static_cast<QWidget *>(ui->LabelPP1), static_cast<QWidget *>(ui->LabelPP2),
                       static_cast<QWidget *>(ui->LabelPP3), static_cast<QWidget *>(ui->LabelPP4),
                       static_cast<QWidget *>(ui->LabelPP5)})
        w->setEnabled(work);
    for (const CommandButton &command : CommandButtons())
        command.button->setEnabled(work);
    ui->lstCom->setEnabled(work);
    // A run ignores the field size: its items say so by being greyed.
    for (QAction *size : {ui->N1212, ui->N1313, ui->N1414, ui->N1515})
        size->setEnabled(!running);
    // Panels left open keep their place across stages, but they edit the
    // listing only in Разработка (never under a run).
    for (QWidget *panel : {ui->PanelIf, ui->PanelWhile, ui->PanelProc, ui->PanelComment})
        panel->setEnabled(work);
    ui->ListStatist->setVisible(work || debug);
    ui->ListStatist->setEnabled(work);
    ui->MainMenu->update();
}

void TfrmPvPupil::NMainBeginClick()
{
    if (!ui->NMainBegin->isEnabled())
        return;
    ResetWorkWindow();
    SetStage(Stage::Begin);
    StartNewTask();
    modified = false;
    ShowTaskWindow();
}

void TfrmPvPupil::StartNewTask()
{
    points = field::Points();
    points.ax = 0;
    points.ay = 0;
    points.adir = 0;
    if (m_task)
        ApplyTaskField();
    RedrawEmptyField();
    PlaceExecutorAtStart();
    WriteFrameLines();
    ui->ListBoxProc->clear();
    QCoreApplication::processEvents();
}

void TfrmPvPupil::NMainWorkClick()
{
    if (!ui->NMainWork->isEnabled())
        return;
    SetStage(Stage::Work);
    RedrawEmptyField();
    PlaceExecutorAtStart();
    ShowField();
    // A run may have left a frame line, ТО or НЦ current: the next insertion
    // must still land where the selection rule allows.
    const int row = CurrentLine();
    if (row >= 0) {
        const int target = editor::SelectionRule(Lines(), row);
        if (target != row)
            SetCurrentLine(target);
    }
}

void TfrmPvPupil::NMainDebugClick()
{
    if (!ui->NMainDebug->isEnabled())
        return;
    SetStage(Stage::Debug);
}

void TfrmPvPupil::WriteFrameLines()
{
    listing->setStringList(editor::FrameLines());
    SetCurrentLine(4);
    ResetStatistics();
}

// ---------------------------------------------------------------------------
// Stage menu

void TfrmPvPupil::SetupStageMenu()
{
    QMenuBar *bar = ui->MainMenu;
    bar->setNativeMenuBar(false);
    auto *style = new StageMenuStyle;  // over the application's style
    style->setParent(bar);
    bar->setStyle(style);
    // Images of ImageList3: enabled picture at 2i, grey one at 2i + 1.
    const QList<QAction *> items = {ui->NMainBegin, ui->NMainWork, ui->NMainDebug, ui->NMainPoints,
                                    ui->NMainHelp->menuAction()};
    for (int i = 0; i < items.size(); ++i)
        items[i]->setProperty("stageImage", 2 * i);
    // The submenu's long hint is stored with the menu: its item reports it,
    // the open menu does not.
    ui->NMainHelp->menuAction()->setStatusTip(ui->NMainHelp->statusTip());
    ui->NMainHelp->setStatusTip(QString());

    connect(ui->NMainBegin, &QAction::triggered, this, &TfrmPvPupil::NMainBeginClick);
    connect(ui->NMainWork, &QAction::triggered, this, &TfrmPvPupil::NMainWorkClick);
    connect(ui->NMainDebug, &QAction::triggered, this, &TfrmPvPupil::NMainDebugClick);
    connect(ui->NMainPoints, &QAction::triggered, this, &TfrmPvPupil::NMainPointsClick);
}

// ---------------------------------------------------------------------------
// Window events

bool TfrmPvPupil::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);

    if (event->type() == QEvent::ShortcutOverride && IsMenuShortcut(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);

    auto *key = static_cast<QKeyEvent *>(event);
    // Key preview: the window sees the key first; only the focused
    // control's own handler may consume it afterwards. A key the control
    // ignores travels on to its parents: preview it once only.
    const bool propagated = event == m_previewEvent && m_previewTarget
                            && widget == m_previewTarget->parentWidget();
    m_previewEvent = event;
    m_previewTarget = widget;
    if (!propagated && FormKeyDown(key))
        return true;
    // Enter on a focused push button presses it.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmPvPupil::FormKeyDown(QKeyEvent *e)
{
    const int key = e->key();
    // Shift+F1 to Shift+F5 belong to the stage menu, enabled or not.
    if (IsMenuShortcut(e)) {
        switch (key) {
        case Qt::Key_F1: if (ui->NMainBegin->isEnabled()) ui->NMainBegin->trigger(); break;
        case Qt::Key_F2: if (ui->NMainWork->isEnabled()) ui->NMainWork->trigger(); break;
        case Qt::Key_F3: if (ui->NMainDebug->isEnabled()) ui->NMainDebug->trigger(); break;
        case Qt::Key_F4: if (ui->NMainPoints->isEnabled()) ui->NMainPoints->trigger(); break;
        default: break;
        }
        return true;
    }

    // The command panel's F-keys press their buttons, when enabled.
    for (const CommandButton &command : CommandButtons()) {
        if (key == command.key) {
            if (command.button->isEnabled())
                (this->*command.click)();
            return false;
        }
    }
    switch (key) {
    case Qt::Key_F9:
        ShowTaskWindow();  // a teacher's task only
        break;
    case Qt::Key_Escape:
        if (ui->PanelProc->isVisible()) {
            ui->PanelProc->hide();
            // The buttons come back on only where the stage has them on.
            ui->PPButtonProc->setEnabled(stage == Stage::Work);
            ui->PPButtonDoProc->setEnabled(stage == Stage::Work);
        }
        if (ui->PanelIf->isVisible())
            ui->PanelIf->hide();
        if (ui->PanelWhile->isVisible())
            ui->PanelWhile->hide();
        break;
    default:
        break;
    }
    // The key still goes on to the focused control.
    return false;
}

void TfrmPvPupil::paintEvent(QPaintEvent *event)
{
    // FormPaint: the field picture is shown again whenever the window repaints.
    QMainWindow::paintEvent(event);
    ShowField();
}

void TfrmPvPupil::closeEvent(QCloseEvent *event)
{
    if (running) {
        // The run holds this click handler; the window closes when it ends.
        closePending = true;
        event->ignore();
        return;
    }
    if (!AskSaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}
