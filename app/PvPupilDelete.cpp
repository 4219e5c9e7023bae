// The listing's context menu: deletions, blank lines, comments and algorithm files.
#include "PvPupilUnit.h"
#include "ui_PvPupilUnit.h"

#include "Dialogs.h"
#include "EventHooks.h"
#include "Texts.h"
#include "editor/algfile.h"
#include "editor/listing.h"

#include <QSignalBlocker>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QStringListModel>

namespace {

// Accepts any text made only of characters that an algorithm file can hold,
// so that a pasted comment cannot smuggle in a line break.
QValidator *MakeStorableTextValidator(QObject *parent)
{
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        bytes.append(char(b));
    QString set;
    for (const QChar c : editor::DecodeCp1251(bytes)) {
        if (editor::IsStorableChar(c))
            set += QStringLiteral("\\x{%1}").arg(c.unicode(), 0, 16);
    }
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[") + set + QStringLiteral("]*")), parent);
}

// Text typed as characters, as opposed to editing keys (Backspace, Ctrl+A...),
// which carry control characters.
bool IsCharacterInput(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace

void TfrmPvPupil::SetupContextMenu()
{
    ComMenu = new QMenu(this);
    ComMenu->setObjectName(QStringLiteral("ComMenu"));

    auto item = [this](const char *name, const QString &caption, void (TfrmPvPupil::*handler)()) {
        QAction *action = ComMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    N1 = item("N1", texts::kDeleteLine, &TfrmPvPupil::N1Click);
    N3 = item("N3", texts::kDeleteConstruct, &TfrmPvPupil::N3Click);
    N2 = item("N2", texts::kDeleteElse, &TfrmPvPupil::N2Click);
    N6 = item("N6", texts::kDeleteProcedure, &TfrmPvPupil::N6Click);
    N4 = item("N4", texts::kDeleteBody, &TfrmPvPupil::N4Click);
    N8 = ComMenu->addSeparator();
    N8->setObjectName(QStringLiteral("N8"));
    N5 = item("N5", texts::kInsertBlank, &TfrmPvPupil::N5Click);
    N7 = item("N7", texts::kInsertComment, &TfrmPvPupil::N7Click);
    N10 = item("N10", texts::kSaveToFile, &TfrmPvPupil::N10Click);
    N11 = item("N11", texts::kLoadFromFile, &TfrmPvPupil::N11Click);

    // The right button, or the keyboard's menu key, opens the menu (on the
    // line already current: see SetupListing).
    ui->lstCom->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lstCom, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        ComMenuPopup();
        ComMenu->popup(ui->lstCom->viewport()->mapToGlobal(pos));
    });

    OnKeyPress(ui->EditComment, [this](QKeyEvent *e) { return EditCommentKeyPress(e); });
    OnFocusOut(ui->EditComment, [this] {
        if (ui->EditComment->isVisible())
            EditCommentExit();
    });
    ui->EditComment->setValidator(MakeStorableTextValidator(ui->EditComment));
    ui->PanelComment->hide();
    ui->Label1->hide();
    ui->EditComment->hide();
}

void TfrmPvPupil::ComMenuPopup()
{
    for (QAction *action : ComMenu->actions())
        action->setEnabled(true);

    const int k = CurrentLine();
    if (k < 0) {
        // Nothing to act on (an empty file was loaded): only the whole-listing
        // items remain.
        for (QAction *action : {N1, N3, N2, N6, N5, N7})
            action->setEnabled(false);
        return;
    }
    const editor::MenuEnabling enabling = editor::ComMenuEnabling(Lines().at(k));
    N1->setEnabled(enabling.deleteLine);
    N3->setEnabled(enabling.deleteConstruct);
    N2->setEnabled(enabling.deleteElse);
    N6->setEnabled(enabling.deleteProcedure);
}

// ---------------------------------------------------------------------------
// Deletions

void TfrmPvPupil::N1Click()
{
    const int k = CurrentLine();
    if (k < 0)
        return;
    ApplyEdit(editor::DeleteLine(Lines(), k));
}

void TfrmPvPupil::N3Click()
{
    const int k = CurrentLine();
    if (k < 0)
        return;
    ApplyEdit(editor::DeleteConstruct(Lines(), k));
}

void TfrmPvPupil::N2Click()
{
    const int k = CurrentLine();
    if (k < 0)
        return;
    ApplyEdit(editor::DeleteElse(Lines(), k));
}

void TfrmPvPupil::N6Click()
{
    const int k = CurrentLine();
    if (k < 0)
        return;
    const QStringList lines = Lines();
    const QString &line = lines.at(k);
    if (editor::KindOfLine(line) == editor::LineKind::ProcHeader) {
        const QString name = editor::ProcedureName(line);
        if (editor::ProcedureHasCalls(lines, name)) {
            dialogs::Message(this, dialogs::Kind::Information, texts::kProcedureHasCalls);
            return;
        }
        const editor::Edit edit = editor::DeleteProcedure(lines, k);
        ApplyEdit(edit);
        if (edit.changed()) {
            // Removing the selected name moves the list's selection: with the
            // procedure panel open that must not count as choosing a name.
            const QSignalBlocker quiet(ui->ListBoxProc);
            for (int i = 0; i < ui->ListBoxProc->count(); ++i) {
                if (ui->ListBoxProc->item(i)->text() == name) {
                    delete ui->ListBoxProc->takeItem(i);
                    break;
                }
            }
        }
        return;
    }
    ApplyEdit(editor::DeleteProcedure(lines, k));
}

void TfrmPvPupil::N4Click()
{
    WriteFrameLines();
    ui->ListBoxProc->clear();
    modified = true;
}

// ---------------------------------------------------------------------------
// Blank lines and comments

void TfrmPvPupil::N5Click()
{
    const int k = CurrentLine();
    if (k < 0)
        return;
    ApplyEdit(editor::InsertBlankLine(Lines(), k));
}

void TfrmPvPupil::N7Click()
{
    ui->PanelComment->show();
    ui->Label1->show();
    ui->EditComment->show();
    ui->PanelComment->raise();
    ui->EditComment->clear();
    ui->EditComment->setFocus(Qt::OtherFocusReason);
}

bool TfrmPvPupil::EditCommentKeyPress(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The validator keeps the text storable; anything that slipped past
        // it (an input method) is dropped rather than written as '?'.
        QString text;
        for (const QChar c : ui->EditComment->text()) {
            if (editor::IsStorableChar(c))
                text += c;
        }
        const int k = CurrentLine();
        if (k >= 0)
            ApplyEdit(editor::InsertComment(Lines(), k, text));
        EditCommentExit();
        ui->lstCom->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const QString text = e->text();
    if (IsCharacterInput(text)) {
        for (const QChar c : text) {
            if (!editor::IsStorableChar(c))
                return true;
        }
    }
    return false;
}

void TfrmPvPupil::EditCommentExit()
{
    ui->PanelComment->hide();
    ui->Label1->hide();
    ui->EditComment->hide();
}

// ---------------------------------------------------------------------------
// Algorithm files

void TfrmPvPupil::N10Click()
{
    SaveAlgorithm();
}

bool TfrmPvPupil::SaveAlgorithm()
{
    dialogs::FileRequest request;
    request.save = true;
    request.title = texts::kSaveToFile;
    request.filter = texts::kSaveFilter;
    request.defaultSuffix = QStringLiteral("txt");
    request.presetName = QStringLiteral("NoName");
    const QString path = dialogs::AskFileName(this, request);
    if (path.isEmpty())
        return false;
    QString error;
    if (!editor::SaveAlgorithmFile(path, Lines(), &error)) {
        dialogs::ErrorReport(this, error);
        return false;
    }
    modified = false;
    return true;
}

bool TfrmPvPupil::AskSaveChanges()
{
    if (!modified)
        return true;
    switch (dialogs::Question(this, texts::kSaveChanges)) {
    case dialogs::Answer::Yes:
        return SaveAlgorithm();
    case dialogs::Answer::No:
        return true;
    case dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmPvPupil::N11Click()
{
    if (!AskSaveChanges())
        return;
    dialogs::FileRequest request;
    request.save = false;
    request.title = texts::kOpenTitle;
    request.filter = texts::kOpenFilter;
    request.defaultSuffix = QStringLiteral("txt");
    QString path;
    QStringList lines;
    if (!dialogs::OpenAlgorithmFile(this, request, &path, &lines))
        return;

    listing->setStringList(lines);
    // Row 4 is the first line after НАЧ in a file saved here; a shorter file
    // gets its last line current.
    SetCurrentLine(lines.size() > 4 ? 4 : int(lines.size()) - 1);
    ui->ListBoxProc->clear();
    ui->ListBoxProc->addItems(editor::ProcedureNames(lines));
    RecountStatistics();
    modified = false;
}
