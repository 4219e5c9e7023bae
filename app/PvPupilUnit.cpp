// The main work window: creation, layout, work stages, the stage menu,
// window keys and hints.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Hints.h"
#include "ListingDelegate.h"
#include "Resources.h"
#include "StageMenuStyle.h"
#include "editor/listing.h"
#include "field/layout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStringListModel>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWindow>

TfrmPvPupil *frmPvPupil = nullptr;

namespace {

const int kListRowHeight = 16;

// Stage menu hints.
const char *const kHintBegin =
    "\"Начать\" - первый этап решения задачи | На  этапе \"Начать\" откроется постановка задачи и, "
    "если необходимо, образец рисунка для воспроизведения";
const char *const kHintWork =
    "\"Разработка\" - этап редактирования алгоритма | Этап \"Разработка\" чередуется с этапом "
    "\"Отладка\", пока не будет составлен верный алгоритм";
const char *const kHintDebug =
    "\"Отладка\" - этап проверки правильности исполнения алгоритма | На этапе \"Отладка\" "
    "запустите алгоритм на исполнение с выбранной скоростью";
const char *const kHintPoints = "Установить точки А и Б | Установить точки А и Б";
const char *const kHintHelp = "Справка | Кнопка \"Справка\"";
const char *const kHintField = "Рабочее поле для Путеводки | Рабочее поле для Путеводки";

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
    delete ui;
}

// ---------------------------------------------------------------------------
// Creation and layout

void TfrmPvPupil::FormCreate(int screenWidth)
{
    if (screenWidth <= 0) {
        QScreen *screen = QGuiApplication::primaryScreen();
        screenWidth = screen ? screen->geometry().width() : 1024;
    }

    setupStageMenu();

    // The window's own font: the stand-in for MS Sans Serif at 11 px.
    QFont windowFont(QStringLiteral("Liberation Sans"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    listing = new QStringListModel(this);
    ui->lstCom->setModel(listing);
    ui->lstCom->setItemDelegate(new ListingDelegate(ui->lstCom));
    ui->lstCom->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->lstCom->setUniformItemSizes(true);
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPixelSize(13);
    ui->lstCom->setFont(listFont);
    ui->lstCom->setStyleSheet(QStringLiteral("QListView::item { height: %1px; padding: 0px; }")
                                  .arg(kListRowHeight));

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

    SetupInsertPanel();
    SetupContextMenu();
    SetupFieldControls();
    SetupToolBar();
    setupHints();

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

    connect(ui->lstCom->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (m_settingCurrent || !current.isValid())
                    return;
                lstComClick(current.row());
            });
    // While the pupil edits, the listing always keeps one current line: whatever
    // deselects it (Ctrl+Space, a Ctrl+click, any other selection command of the
    // view) selects it again. Runs move the highlight themselves.
    connect(ui->lstCom->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this]() {
        QItemSelectionModel *selection = ui->lstCom->selectionModel();
        const QModelIndex current = selection->currentIndex();
        if (m_settingCurrent || running || !current.isValid() || selection->isSelected(current))
            return;
        selection->select(current, QItemSelectionModel::ClearAndSelect);
    });

    qApp->installEventFilter(this);
    ResetWorkWindow();
}

int TfrmPvPupil::MenuHeight() const
{
    return ui->MainMenu->sizeHint().height();
}

bool TfrmPvPupil::IsWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TfrmPvPupil::LayOut(const field::WindowLayout &layout)
{
    m_layout = layout;
    u = qint16(layout.u);
    ui->ToolBarAlg->setGeometry(169, 1, qMax(0, layout.clientWidth - 519 - 169), 25);
    ui->PPPanelSystCom->move(u, ui->ToolBarAlg->y() + ui->ToolBarAlg->height() + u);
    ui->lstCom->setGeometry(ui->PPPanelSystCom->x() + ui->PPPanelSystCom->width() + u,
                            ui->PPPanelSystCom->y(), 30 * u, ui->lstCom->height());
    ui->pnl1->setGeometry(ui->lstCom->x() + ui->lstCom->width() + u, ui->lstCom->y(), 56 * u, 56 * u);
    ui->pnlMain->setGeometry(u, u, 54 * u, 54 * u);
    ui->lstCom->resize(ui->lstCom->width(), ui->pnl1->height());
    halfPage = (ui->lstCom->height() / kListRowHeight) / 2;
    ui->PaintImage->resize(ui->pnlMain->width(), ui->PaintImage->height());

    CreateCoordinateLabels();
    ResizeField(geometry.n);

    ui->ListStatist->setGeometry(ui->PPPanelSystCom->x(),
                                 ui->lstCom->y() + ui->lstCom->height() - ui->ListStatist->height(),
                                 ui->PPPanelSystCom->width(), ui->ListStatist->height());

    const QSize size(layout.clientWidth, MenuHeight() + layout.clientHeight);
    if (IsWayland()) {
        // Only a wish before the window is shown: from then on the
        // compositor gives the size and the layout follows it.
        if (!isVisible())
            resize(size);
    } else
        setFixedSize(size);
    // The empty field, or the executor back on point А: a new layout
    // redraws the field and so erases a trace.
    if (stage != Stage::Initial && points.ax >= 0)
        PlaceExecutorAtStart();
}

void TfrmPvPupil::Dock()
{
    QWindow *handle = windowHandle();
    if (m_docked || !handle || !isVisible())
        return;
    const QMargins frame = handle->frameMargins();
    if (frame.isNull())
        return;  // not framed (yet)
    m_docked = true;
    const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, m_screenWidth, 768);
    const QSize available(area.width() - frame.left() - frame.right(),
                          area.height() - frame.top() - frame.bottom() - MenuHeight());
    const field::WindowLayout layout = field::ComputeWindowLayout(m_screenWidth, available);
    if (layout != m_layout) {
        if (running)
            m_layoutPending = true;
        else
            LayOut(layout);
    }
    // The frame, title bar included, at the work area's top-left.
    move(area.topLeft());
}

void TfrmPvPupil::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (IsWayland() || m_docked || m_dockTimer)
        return;
    // A window manager frames the window some time after it is shown; the
    // frame's extents are known only then.
    m_dockTimer = new QTimer(this);
    m_dockTimer->setInterval(25);
    connect(m_dockTimer, &QTimer::timeout, this, [this] {
        Dock();
        if (m_docked || ++m_dockTries >= 120)
            m_dockTimer->stop();
    });
    m_dockTimer->start();
}

void TfrmPvPupil::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!IsWayland())
        return;
    // The layout follows the client size the compositor gives, but never
    // while an algorithm runs: then it follows when the run has ended.
    const QSize available(width(), height() - MenuHeight());
    const field::WindowLayout layout = field::ComputeWindowLayout(m_screenWidth, available);
    if (layout == m_layout)
        return;
    if (running) {
        m_layoutPending = true;
        return;
    }
    LayOut(layout);
}

void TfrmPvPupil::LayOutPending()
{
    if (!m_layoutPending)
        return;
    m_layoutPending = false;
    if (IsWayland()) {
        const QSize available(width(), height() - MenuHeight());
        const field::WindowLayout layout = field::ComputeWindowLayout(m_screenWidth, available);
        if (layout != m_layout)
            LayOut(layout);
    } else {
        m_docked = false;
        Dock();
    }
}

// ---------------------------------------------------------------------------
// Listing access

QStringList TfrmPvPupil::Lines() const
{
    return listing->stringList();
}

int TfrmPvPupil::CurrentLine() const
{
    if (runLine >= 0)
        return runLine;
    const QModelIndex index = ui->lstCom->currentIndex();
    if (!index.isValid() || !ui->lstCom->selectionModel()->isSelected(index))
        return -1;
    return index.row();
}

void TfrmPvPupil::SetCurrentLine(int row)
{
    m_settingCurrent = true;
    if (row < 0 || row >= listing->rowCount()) {
        ui->lstCom->selectionModel()->clearSelection();
        ui->lstCom->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const QModelIndex index = listing->index(row);
        ui->lstCom->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        ui->lstCom->scrollTo(index);
    }
    m_settingCurrent = false;
}

void TfrmPvPupil::ScrollToMiddle(int row)
{
    QScrollBar *bar = ui->lstCom->verticalScrollBar();
    const int top = qBound(0, row - halfPage, listing->rowCount());
    // The list scrolls by whole rows (ScrollPerItem), so the value is a row index.
    if (ui->lstCom->verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        bar->setValue(qMin(top, bar->maximum()));
    else
        bar->setValue(qMin(top * kListRowHeight, bar->maximum()));
}

void TfrmPvPupil::ApplyEdit(const editor::Edit &edit)
{
    m_settingCurrent = true;
    for (const editor::EditStep &step : edit.steps) {
        if (step.removeCount > 0)
            listing->removeRows(step.at, step.removeCount);
        if (!step.insert.isEmpty()) {
            listing->insertRows(step.at, int(step.insert.size()));
            for (int i = 0; i < step.insert.size(); ++i)
                listing->setData(listing->index(step.at + i), step.insert.at(i));
        }
    }
    m_settingCurrent = false;
    if (edit.changed())
        modified = true;
    if (edit.current >= 0)
        SetCurrentLine(edit.current);
    if (edit.middleRow >= 0)
        ScrollToMiddle(edit.middleRow);
    if (edit.recount)
        RecountStatistics();
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
    for (QWidget *w : {ui->PPButtonStep, ui->PPButtonJump, ui->PPButtonTurn, ui->PPButtonProc,
                       ui->PPButtonDoProc, ui->PPButtonIf, ui->PPButtonWhile})
        w->setEnabled(work);
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
}

void TfrmPvPupil::StartNewTask()
{
    points = field::Points();
    points.ax = 0;
    points.ay = 0;
    points.adir = 0;
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

void TfrmPvPupil::setupStageMenu()
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

    connect(ui->NMainBegin, &QAction::triggered, this, &TfrmPvPupil::NMainBeginClick);
    connect(ui->NMainWork, &QAction::triggered, this, &TfrmPvPupil::NMainWorkClick);
    connect(ui->NMainDebug, &QAction::triggered, this, &TfrmPvPupil::NMainDebugClick);
    connect(ui->NMainPoints, &QAction::triggered, this, &TfrmPvPupil::NMainPointsClick);
    for (QAction *size : {ui->N1212, ui->N1313, ui->N1414, ui->N1515})
        connect(size, &QAction::triggered, this, &TfrmPvPupil::N1212Click);

    SetHint(ui->NMainBegin, QString::fromUtf8(kHintBegin));
    SetHint(ui->NMainWork, QString::fromUtf8(kHintWork));
    SetHint(ui->NMainDebug, QString::fromUtf8(kHintDebug));
    SetHint(ui->NMainPoints, QString::fromUtf8(kHintPoints));
    SetHint(ui->NMainHelp->menuAction(), QString::fromUtf8(kHintHelp));
}

void TfrmPvPupil::setupHints()
{
    const QString fieldHint = QString::fromUtf8(kHintField);
    for (QWidget *w : {static_cast<QWidget *>(ui->pnl1), static_cast<QWidget *>(ui->pnlMain),
                       static_cast<QWidget *>(ui->PaintImage), static_cast<QWidget *>(ui->PanelX),
                       static_cast<QWidget *>(ui->PanelY)})
        SetHint(w, fieldHint);
}

// ---------------------------------------------------------------------------
// Window events

bool TfrmPvPupil::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *widget = qobject_cast<QWidget *>(watched);
    const bool ours = widget && widget->window() == this;

    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!ours)
            break;
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
        if (watched == ui->ButtonIf || watched == ui->ButtonIfNot || watched == ui->ButtonWhile
            || watched == ui->ButtonWhileNot)
            return ButtonIfKeyDown(key);
        if (watched == ui->ListBoxProc)
            return ListBoxProcKeyDown(key);
        if (watched == ui->EditNewProc)
            return EditNewProcKeyPress(key);
        if (watched == ui->lstCom)
            return lstComKeyDown(key);
        if (watched == ui->EditComment)
            return EditCommentKeyPress(key);
        break;
    }
    case QEvent::ShortcutOverride: {
        if (!ours)
            break;
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsMenuShortcut(key)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Enter:
        if (ours && widget != this)
            ui->StatusBar1->showMessage(HintUnder(widget));
        break;
    case QEvent::Leave:
        // Back onto the enclosing control: its hint (an Enter of a sibling
        // comes after this and wins).
        if (ours && widget != this)
            ui->StatusBar1->showMessage(HintUnder(widget->parentWidget()));
        break;
    case QEvent::StatusTip:
        // Menu items report their long hint this way; widgets are handled on Enter.
        if (watched == this || qobject_cast<QMenuBar *>(watched) || qobject_cast<QMenu *>(watched)) {
            if (watched == this) {
                ui->StatusBar1->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
                return true;
            }
            break;
        }
        if (ours)
            return true;
        break;
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonPress: {
        // The listing always keeps one current line: a click below the last
        // line, or a Ctrl+click on the current one, would leave none.
        if (watched == ui->lstCom->viewport()) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QModelIndex at = ui->lstCom->indexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton
                && (!at.isValid() || (mouse->modifiers() & Qt::ControlModifier)))
                return true;
        }
        if (event->type() != QEvent::MouseButtonPress)
            break;
        // Clicks on the own surfaces of the points panel and of the window;
        // a click on a control (a label, the field) is that control's.
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (watched == ui->PanelPoints && !ui->PanelPoints->childAt(at)) {
            PanelPointsClick();
            return true;
        }
        if (watched == ui->centralwidget && !ui->centralwidget->childAt(at))
            FormClick();
        break;
    }
    case QEvent::FocusOut:
        if (watched == ui->EditComment && ui->EditComment->isVisible())
            EditCommentExit();
        break;
    default:
        break;
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

    auto press = [](QWidget *button, void (TfrmPvPupil::*action)(), TfrmPvPupil *self) {
        if (button->isEnabled())
            (self->*action)();
    };
    switch (key) {
    case Qt::Key_F2: press(ui->PPButtonStep, &TfrmPvPupil::PPButtonStepClick, this); break;
    case Qt::Key_F3: press(ui->PPButtonJump, &TfrmPvPupil::PPButtonJumpClick, this); break;
    case Qt::Key_F4: press(ui->PPButtonTurn, &TfrmPvPupil::PPButtonTurnClick, this); break;
    case Qt::Key_F5: press(ui->PPButtonProc, &TfrmPvPupil::PPButtonProcClick, this); break;
    case Qt::Key_F6: press(ui->PPButtonDoProc, &TfrmPvPupil::PPButtonDoProcClick, this); break;
    case Qt::Key_F7: press(ui->PPButtonIf, &TfrmPvPupil::PPButtonIfClick, this); break;
    case Qt::Key_F8: press(ui->PPButtonWhile, &TfrmPvPupil::PPButtonWhileClick, this); break;
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
