// Command panel, condition panels, procedure panel and statistics.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "EventHooks.h"
#include "ListingDelegate.h"
#include "Texts.h"
#include "editor/algfile.h"
#include "editor/editops.h"
#include "editor/listing.h"
#include "editor/statistics.h"
#include "field/fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QSignalBlocker>
#include <QStringListModel>

namespace {

const int kStatistRowHeight = 13;

bool IsEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// The characters of a typed text that would be inserted: control characters
// (Backspace, Delete, Tab...) only drive the edit box and are not looked at.
bool HasUnstorableText(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            continue;
        if (!editor::IsStorableChar(c))
            return true;
    }
    return false;
}

// The selected procedure name, or nullptr when none is selected.
QListWidgetItem *SelectedName(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

} // namespace

// ---------------------------------------------------------------------------
// Set-up

QVector<TfrmPvPupil::CommandButton> TfrmPvPupil::CommandButtons() const
{
    return {
        {ui->PPButtonStep, Qt::Key_F2, &TfrmPvPupil::PPButtonStepClick},
        {ui->PPButtonJump, Qt::Key_F3, &TfrmPvPupil::PPButtonJumpClick},
        {ui->PPButtonTurn, Qt::Key_F4, &TfrmPvPupil::PPButtonTurnClick},
        {ui->PPButtonProc, Qt::Key_F5, &TfrmPvPupil::PPButtonProcClick},
        {ui->PPButtonDoProc, Qt::Key_F6, &TfrmPvPupil::PPButtonDoProcClick},
        {ui->PPButtonIf, Qt::Key_F7, &TfrmPvPupil::PPButtonIfClick},
        {ui->PPButtonWhile, Qt::Key_F8, &TfrmPvPupil::PPButtonWhileClick},
    };
}

void TfrmPvPupil::SetupCommandPanel()
{
    for (const CommandButton &command : CommandButtons())
        connect(command.button, &QPushButton::clicked, this, command.click);

    // The panels open over other controls: they paint their own background.
    for (QWidget *panel : {static_cast<QWidget *>(ui->PanelIf), static_cast<QWidget *>(ui->PanelWhile),
                           static_cast<QWidget *>(ui->PanelProc)})
        panel->setAutoFillBackground(true);

    connect(ui->ButtonIf, &QPushButton::clicked, this, &TfrmPvPupil::ButtonIfClick);
    connect(ui->ButtonIfNot, &QPushButton::clicked, this, &TfrmPvPupil::ButtonIfNotClick);
    connect(ui->ButtonWhile, &QPushButton::clicked, this, &TfrmPvPupil::ButtonWhileClick);
    connect(ui->ButtonWhileNot, &QPushButton::clicked, this, &TfrmPvPupil::ButtonWhileNotClick);
    for (QPushButton *button : {ui->ButtonIf, ui->ButtonIfNot, ui->ButtonWhile, ui->ButtonWhileNot})
        OnKeyPress(button, [this](QKeyEvent *e) { return ButtonIfKeyDown(e); });
    OnKeyPress(ui->ListBoxProc, [this](QKeyEvent *e) { return ListBoxProcKeyDown(e); });
    OnKeyPress(ui->EditNewProc, [this](QKeyEvent *e) { return EditNewProcKeyPress(e); });

    // A name is chosen when the pupil changes the selected name of the open
    // panel. The selection, not the current row, is watched: the list makes
    // its first row current (unselected) when it gets the focus, and a mouse
    // press moves the current row before it selects. Up and Down move the
    // selection with the list's signals blocked, so they choose nothing; so
    // does a change made while the panel is closed (a name removed or the
    // list rebuilt).
    ui->ListBoxProc->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ui->ListBoxProc, &QListWidget::itemSelectionChanged, this, [this]() {
        if (ui->PanelProc->isHidden() || !SelectedName(ui->ListBoxProc))
            return;
        ListBoxProcClick();
    });

    // Typed characters are checked in EditNewProcKeyPress; text that arrives
    // otherwise (pasted, from an input method) is cleaned here, so that every
    // name can be written to an algorithm file and read back.
    connect(ui->EditNewProc, &QLineEdit::textEdited, this, [this](const QString &text) {
        QString kept;
        kept.reserve(text.size());
        int cursor = ui->EditNewProc->cursorPosition();
        for (int i = 0; i < text.size(); ++i) {
            if (editor::IsStorableChar(text.at(i)))
                kept += text.at(i);
            else if (i < ui->EditNewProc->cursorPosition())
                --cursor;
        }
        if (kept != text) {
            ui->EditNewProc->setText(kept);
            ui->EditNewProc->setCursorPosition(qMax(0, cursor));
        }
    });
}

// ---------------------------------------------------------------------------
// Statistics

void TfrmPvPupil::SetupStatistics()
{
    // The window's small font in 13-pixel rows, flat border.
    QFont statistFont(field::FontFamily(field::Face::MsSansSerif));
    statistFont.setPixelSize(11);
    ui->ListStatist->setFont(statistFont);
    ui->ListStatist->setUniformItemSizes(true);
    ui->ListStatist->setFrameShape(QFrame::Box);
    ui->ListStatist->setFrameShadow(QFrame::Plain);
    ui->ListStatist->setLineWidth(1);
    ui->ListStatist->setSelectionMode(QAbstractItemView::NoSelection);
    ui->ListStatist->setFocusPolicy(Qt::NoFocus);
    // A long count takes the place of dots, so that the row keeps the panel's
    // width; a row still too long loses characters from its middle, so that
    // its whole count stays readable.
    ui->ListStatist->setItemDelegate(new StatisticsDelegate(ui->ListStatist));
    ui->ListStatist->setTextElideMode(Qt::ElideMiddle);
    ui->ListStatist->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; padding: 0px; }")
                                       .arg(kStatistRowHeight));
}

void TfrmPvPupil::ResetStatistics()
{
    ui->ListStatist->clear();
    ui->ListStatist->addItems(editor::StartingRows());
}

void TfrmPvPupil::RecountStatistics()
{
    ui->ListStatist->clear();
    ui->ListStatist->addItems(editor::RecountRows(editor::CountStatistics(Lines())));
}

// ---------------------------------------------------------------------------
// Simple commands: inserted before the current line, which stays current.

void TfrmPvPupil::PPButtonStepClick() { InsertCommandLine(editor::kStep); }
void TfrmPvPupil::PPButtonJumpClick() { InsertCommandLine(editor::kJump); }
void TfrmPvPupil::PPButtonTurnClick() { InsertCommandLine(editor::kTurn); }

void TfrmPvPupil::InsertCommandLine(const QString &word)
{
    // The copy of the lines is let go before the edit is applied, so the
    // listing is not copied whole on every insertion.
    const editor::Edit edit = editor::InsertCommand(Lines(), CurrentLine(), word);
    ApplyEdit(edit);
}

// ---------------------------------------------------------------------------
// Branches and loops: the condition panel opens level with its button, at
// the right edge of the command panel.

void TfrmPvPupil::PPButtonIfClick() { OpenConditionPanel(ui->PanelIf, ui->PPButtonIf, ui->ButtonIf); }
void TfrmPvPupil::PPButtonWhileClick() { OpenConditionPanel(ui->PanelWhile, ui->PPButtonWhile, ui->ButtonWhile); }
void TfrmPvPupil::ButtonIfClick() { InsertConstruct(ui->PanelIf, ui->PPButtonIf, editor::InsertBranch, false); }
void TfrmPvPupil::ButtonIfNotClick() { InsertConstruct(ui->PanelIf, ui->PPButtonIf, editor::InsertBranch, true); }
void TfrmPvPupil::ButtonWhileClick() { InsertConstruct(ui->PanelWhile, ui->PPButtonWhile, editor::InsertLoop, false); }
void TfrmPvPupil::ButtonWhileNotClick() { InsertConstruct(ui->PanelWhile, ui->PPButtonWhile, editor::InsertLoop, true); }

void TfrmPvPupil::OpenConditionPanel(QWidget *panel, QPushButton *opener, QPushButton *first)
{
    panel->move(ui->PPPanelSystCom->x() + ui->PPPanelSystCom->width(), ui->PPPanelSystCom->y() + opener->y());
    panel->show();
    panel->raise();
    first->setFocus(Qt::OtherFocusReason);
}

void TfrmPvPupil::InsertConstruct(QWidget *panel, QPushButton *opener, ConstructEdit insert, bool negated)
{
    panel->hide();
    const editor::Edit edit = insert(Lines(), CurrentLine(), negated);
    ApplyEdit(edit);
    opener->setFocus(Qt::OtherFocusReason);
}

// Keys on the four condition buttons: Esc closes the panel without inserting.
bool TfrmPvPupil::ButtonIfKeyDown(QKeyEvent *e)
{
    if (e->key() != Qt::Key_Escape)
        return false;
    // The window's own Esc handling may already have closed the panels.
    QWidget *focus = QApplication::focusWidget();
    if (focus == ui->ButtonIf || focus == ui->ButtonIfNot) {
        ui->PanelIf->hide();
        ui->PPButtonIf->setFocus(Qt::OtherFocusReason);
    } else if (focus == ui->ButtonWhile || focus == ui->ButtonWhileNot) {
        ui->PanelWhile->hide();
        ui->PPButtonWhile->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Procedure panel. Describe mode while PPButtonProc is enabled, call mode
// while only PPButtonDoProc is.

namespace {

void OpenProcedurePanel(Ui::TfrmPvPupil *ui)
{
    // The panel stays where the layout puts it; the list keeps its selection.
    ui->PanelProc->show();
    ui->PanelProc->raise();
    ui->EditNewProc->clear();
    if (ui->ListBoxProc->count() == 0)
        ui->EditNewProc->setFocus(Qt::OtherFocusReason);
    else
        ui->ListBoxProc->setFocus(Qt::OtherFocusReason);
}

void CloseProcedurePanel(Ui::TfrmPvPupil *ui)
{
    ui->PanelProc->hide();
    ui->PPButtonProc->setEnabled(true);
    ui->PPButtonDoProc->setEnabled(true);
    ui->PPButtonDoProc->setFocus(Qt::OtherFocusReason);
}

} // namespace

void TfrmPvPupil::PPButtonProcClick()
{
    ui->PPButtonDoProc->setEnabled(false);
    OpenProcedurePanel(ui.get());
}

void TfrmPvPupil::PPButtonDoProcClick()
{
    ui->PPButtonProc->setEnabled(false);
    OpenProcedurePanel(ui.get());
}

void TfrmPvPupil::ListBoxProcClick()
{
    const QListWidgetItem *item = SelectedName(ui->ListBoxProc);
    if (!item)
        return;
    const QString name = item->text();
    const QStringList lines = Lines();

    if (ui->PPButtonProc->isEnabled()) {
        // Describe mode: an empty description at the end of the listing.
        if (editor::IsProcedureDescribed(lines, name)) {
            dialogs::Message(this, dialogs::Kind::Information, texts::AlreadyDescribed(name));
            return;
        }
        ApplyEdit(editor::AppendProcedure(lines, name));
        ui->PPButtonDoProc->setEnabled(true);
        ui->PanelProc->hide();
        ui->PPButtonProc->setFocus(Qt::OtherFocusReason);
        return;
    }

    // Call mode: the call before the current line (with its description
    // when there is none yet). Without a current line nothing is inserted
    // and the panel stays open.
    const int k = CurrentLine();
    if (k < 0 || k >= lines.size())
        return;
    ApplyEdit(editor::InsertCall(lines, k, name));
    ui->PPButtonProc->setEnabled(true);
    ui->PanelProc->hide();
    ui->PPButtonDoProc->setFocus(Qt::OtherFocusReason);
}

bool TfrmPvPupil::ListBoxProcKeyDown(QKeyEvent *e)
{
    QListWidget *list = ui->ListBoxProc;
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // One name up or down, round the ends; a move does not choose.
        const int count = list->count();
        if (count == 0)
            return true;
        const QListWidgetItem *item = SelectedName(list);
        const int row = item ? list->row(item) : -1;
        int next;
        if (e->key() == Qt::Key_Down)
            next = (row < 0 || row >= count - 1) ? 0 : row + 1;
        else
            next = (row <= 0) ? count - 1 : row - 1;
        const QSignalBlocker blocker(list);
        list->setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
        list->viewport()->update();
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter chooses the selected name (if any) and closes the panel
        // whatever the outcome.
        ListBoxProcClick();
        CloseProcedurePanel(ui.get());
        return true;
    case Qt::Key_Escape:
        CloseProcedurePanel(ui.get());
        return true;
    default:
        return false;
    }
}

bool TfrmPvPupil::EditNewProcKeyPress(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        CloseProcedurePanel(ui.get());
        return true;
    }
    if (!IsEnter(e)) {
        // A character that an algorithm file cannot hold never enters a name.
        return HasUnstorableText(e->text());
    }

    // The name is taken exactly as typed.
    const QString text = ui->EditNewProc->text();
    QStringList names;
    names.reserve(ui->ListBoxProc->count());
    for (int i = 0; i < ui->ListBoxProc->count(); ++i)
        names << ui->ListBoxProc->item(i)->text();

    switch (editor::CheckNewProcedureName(names, text)) {
    case editor::NameCheck::Empty:
        dialogs::Message(this, dialogs::Kind::Information, texts::kEnterNewName);
        return true;
    case editor::NameCheck::StartsWithDigit:
        dialogs::Message(this, dialogs::Kind::Information, texts::kNameStartsWithLetter);
        return true;
    case editor::NameCheck::Duplicate:
        dialogs::Message(this, dialogs::Kind::Information, texts::AlreadyDescribed(text));
        return true;
    case editor::NameCheck::Ok:
        break;
    }

    // In call mode the name needs a current line to insert its call before;
    // without one the name is not taken (the list only holds described names).
    const bool callMode = !ui->PPButtonProc->isEnabled();
    if (callMode && CurrentLine() < 0)
        return true;

    ui->ListBoxProc->addItem(text);
    {
        const QSignalBlocker blocker(ui->ListBoxProc);
        ui->ListBoxProc->setCurrentRow(ui->ListBoxProc->count() - 1, QItemSelectionModel::ClearAndSelect);
    }
    ui->ListBoxProc->viewport()->update();
    ListBoxProcClick();
    return true;
}

