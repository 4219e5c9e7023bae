// The listing lstCom: its look, its current line, the mouse and keys it
// takes, and how the window applies an edit to it.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "EventHooks.h"
#include "ListingDelegate.h"
#include "editor/editops.h"
#include "editor/listing.h"
#include "qtcompat.h"

#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStringListModel>

// ---------------------------------------------------------------------------
// Set-up

void TfrmPvPupil::SetupListing()
{
    listing = new QStringListModel(this);
    ui->lstCom->setModel(listing);
    ui->lstCom->setItemDelegate(new ListingDelegate(ui->lstCom));
    ui->lstCom->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->lstCom->setUniformItemSizes(true);
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPixelSize(13);
    ui->lstCom->setFont(listFont);
    ui->lstCom->setStyleSheet(QStringLiteral("QListView::item { height: %1px; padding: 0px; }")
                                  .arg(ListingDelegate::kRowHeight));

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


    QWidget *viewport = ui->lstCom->viewport();
    // RightButtonKeepsCurrent: the right button opens the menu on the line
    // that is already current; its presses never reach the list's own
    // selection handling.
    OnMouseButton(viewport, [](QMouseEvent *mouse) { return mouse->button() == Qt::RightButton; });
    // The listing always keeps one current line: a click below the last
    // line, or a Ctrl+click on the current one, would leave none.
    OnMouseButton(viewport, [this](QMouseEvent *mouse) {
        const QModelIndex at = ui->lstCom->indexAt(compat::MousePos(mouse));
        return mouse->button() == Qt::LeftButton && (!at.isValid() || (mouse->modifiers() & Qt::ControlModifier));
    });
    OnKeyPress(ui->lstCom, [this](QKeyEvent *e) { return lstComKeyDown(e); });
}

// ---------------------------------------------------------------------------
// The current line and edits

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
        bar->setValue(qMin(top * ListingDelegate::kRowHeight, bar->maximum()));
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
// The pupil's keys and clicks

bool TfrmPvPupil::lstComKeyDown(QKeyEvent *e)
{
    if (e->key() != Qt::Key_Delete)
        return false;
    const int k = CurrentLine();
    if (k >= 0 && editor::DeleteKeyAllowed(Lines().at(k)))
        N1Click();
    return true;
}

// Selection rule: the pupil put the current line on row.
void TfrmPvPupil::lstComClick(int row)
{
    const int target = editor::SelectionRule(Lines(), row);
    if (target == row || target < 0 || target >= listing->rowCount())
        return;
    SetCurrentLine(target);
    // A mouse press selects the pressed row after it has made it current;
    // once the press is handled, select the rule's line again.
    QPointer<TfrmPvPupil> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, target]() {
            if (!self)
                return;
            const QModelIndex current = self->ui->lstCom->currentIndex();
            if (current.isValid() && current.row() == target && self->CurrentLine() != target)
                self->SetCurrentLine(target);
        },
        Qt::QueuedConnection);
}
