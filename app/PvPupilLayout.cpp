// The work window's layout: placing the controls from the layout unit,
// docking under a window manager and following the size it is given.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "ListingDelegate.h"
#include "field/layout.h"

#include <QGuiApplication>
#include <QListView>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

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
    halfPage = (ui->lstCom->height() / ListingDelegate::kRowHeight) / 2;
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
