// The work window's layout: placing the controls from the layout unit,
// docking under a window manager and following the size it is given.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "ListingDelegate.h"
#include "X11Desktop.h"
#include "field/layout.h"

#include <QGuiApplication>
#include <QListView>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QtMath>

int TfrmPvPupil::MenuHeight() const
{
    return ui->MainMenu->sizeHint().height();
}

bool TfrmPvPupil::IsWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool TfrmPvPupil::FollowsSize() const
{
    return IsWayland() || m_followSize;
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
    halfPage = (ui->lstCom->height() / ListingDelegate::kRowHeight) / 2;
    ui->PaintImage->resize(ui->pnlMain->width(), ui->PaintImage->height());

    CreateCoordinateLabels();
    ResizeField(geometry.n);

    ui->ListStatist->setGeometry(ui->PPPanelSystCom->x(),
                                 ui->lstCom->y() + ui->lstCom->height() - ui->ListStatist->height(),
                                 ui->PPPanelSystCom->width(), ui->ListStatist->height());

    const QSize size(layout.clientWidth, MenuHeight() + layout.clientHeight);
    if (FollowsSize()) {
        // Only a wish before the window is shown: from then on the
        // compositor or the window manager gives the size and the layout
        // follows it.
        if (!isVisible())
            resize(size);
    } else
        setFixedSize(size);
    // The empty field, or the executor back on point А: a new layout
    // redraws the field and so erases a trace.
    if (stage != Stage::Initial && points.ax >= 0)
        PlaceExecutorAtStart();
}

QRect TfrmPvPupil::DockArea(qreal scale) const
{
    if (x11desktop::IsX11()) {
        const QSize root = x11desktop::RootSize();
        QRect work = x11desktop::WorkArea();
        if (work.isEmpty())
            work = QRect(QPoint(0, 0), root);
        if (!work.isEmpty())
            return field::FreeArea(work, root, x11desktop::Struts());
    }
    const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, m_screenWidth, 768);
    return QRect(area.topLeft() * scale, area.size() * scale);
}

void TfrmPvPupil::Dock()
{
    QWindow *handle = windowHandle();
    if (m_docked || !handle || !isVisible())
        return;
    // Everything in the screen's device pixels, so that the frame covers
    // the area's whole width at any scale factor.
    const qreal scale = handle->devicePixelRatio();
    QMargins frame = x11desktop::FrameExtents(winId());
    if (frame.isNull())
        frame = handle->frameMargins() * scale;
    if (frame.isNull())
        return;  // not framed (yet)
    m_docked = true;
    const QRect area = DockArea(scale);
    const field::WindowLayout layout =
        field::ComputeWindowLayout(m_screenWidth, field::ClientRoom(area, frame, MenuHeight(), scale));
    if (layout != m_layout) {
        if (running)
            m_layoutPending = true;
        else
            LayOut(layout);
    }
    // The frame, title bar included, at the area's top-left; CheckDocked
    // sees that it stays there.
    m_dockedAt = area.topLeft();
    m_dockChecks = 0;
    m_dockStable = 0;
    move(QPoint(qFloor(area.x() / scale), qFloor(area.y() / scale)));
}

bool TfrmPvPupil::CheckDocked()
{
    if (!x11desktop::IsX11())
        return true;
    const QMargins frame = x11desktop::FrameExtents(winId());
    const QPoint client = x11desktop::ClientPosition(winId());
    ++m_dockChecks;
    if (!frame.isNull() && client - QPoint(frame.left(), frame.top()) == m_dockedAt) {
        // Where it should be for half a second: a window manager may still
        // be carrying out an earlier request.
        return ++m_dockStable >= 20;
    }
    // Moved there again once the last request has been carried out, then
    // checked again; given up on after ten seconds. At a scale factor other
    // than 1 the window's own position may not name the device pixel: the
    // window manager is asked for that pixel.
    if (m_dockStable > 0 || m_dockChecks % 8 == 0) {
        const qreal scale = devicePixelRatioF();
        if (scale == 1.0)
            move(m_dockedAt);
        else
            x11desktop::MoveFrame(winId(), m_dockedAt);
    }
    m_dockStable = 0;
    return m_dockChecks >= 400;
}

void TfrmPvPupil::FollowGivenSize()
{
    // The window manager frames the window but says nothing of the frame or
    // of the work area (weston's XWayland): as under Wayland, the window asks
    // to be maximised and lays itself out in the size it is given.
    m_followSize = true;
    m_docked = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmPvPupil::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (IsWayland() || m_docked || m_dockTimer)
        return;
    if (x11desktop::IsX11() && !x11desktop::WindowManagerRunning())
        return;  // nothing frames the window: it keeps the work area from its top-left
    // Docking needs both the frame's extents and the work area. A window
    // manager that tells no work area may still keep a panel on the screen
    // (weston's XWayland: its own panel at the top, and frame extents that
    // count the shadow around the frame): the window is maximised there and
    // the window manager fits it between its panels.
    if (x11desktop::IsX11() && !(x11desktop::SendsFrameExtents() && x11desktop::NamesWorkArea())) {
        FollowGivenSize();
        return;
    }
    if (x11desktop::IsX11()) {
        // Mapped a little smaller than the room it will take, frame
        // included: some window managers maximise a new window that is as
        // large as the area they let it use.
        const qreal scale = devicePixelRatioF();
        const QRect area = DockArea(scale);
        const QMargins unframed(0, 0, kUnframedMargin, kUnframedMargin);
        const QSize room = field::ClientRoom(area, unframed, MenuHeight(), scale);
        const field::WindowLayout layout = field::ComputeWindowLayout(m_screenWidth, room);
        if (layout != m_layout)
            LayOut(layout);
        move(QPoint(qFloor(area.x() / scale), qFloor(area.y() / scale)));
    }
    // A window manager frames the window some time after it is shown; the
    // frame's extents are known only then.
    m_dockTimer = new QTimer(this);
    m_dockTimer->setInterval(25);
    connect(m_dockTimer, &QTimer::timeout, this, [this] {
        ++m_dockTries;
        if (!m_docked) {
            Dock();
            // Framed, but the extents never come: the size is given instead.
            if (!m_docked && m_dockTries >= kDockTries && x11desktop::IsX11())
                FollowGivenSize();
        }
        if (m_docked ? (m_followSize || CheckDocked()) : m_dockTries >= 3 * kDockTries)
            m_dockTimer->stop();
    });
    m_dockTimer->start();
}

void TfrmPvPupil::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!FollowsSize())
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
    if (FollowsSize()) {
        const QSize available(width(), height() - MenuHeight());
        const field::WindowLayout layout = field::ComputeWindowLayout(m_screenWidth, available);
        if (layout != m_layout)
            LayOut(layout);
    } else {
        m_docked = false;
        Dock();
    }
}
