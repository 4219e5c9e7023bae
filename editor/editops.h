#pragma once
// Editing operations on the listing, as plain routines. Each reads the listing
// and returns an Edit: the steps that change it, the new current line and the
// row to scroll to the middle. The window applies the steps to lstCom;
// ApplyEdit applies them to a plain list (tests, benchmarks).

#include <QString>
#include <QStringList>
#include <QVector>

namespace editor {

struct EditStep {
    int at = 0;            // index where the step acts
    int removeCount = 0;   // lines removed at `at` first
    QStringList insert;    // then these lines inserted at `at`
};

struct Edit {
    QVector<EditStep> steps;  // applied in order
    int current = -1;         // current line afterwards; -1 leaves it as it was
    int middleRow = -1;       // row to bring to the middle of the listing; -1 none
    bool recount = true;      // statistics are recounted afterwards (also when nothing changed)
    bool changed() const { return !steps.isEmpty(); }
};

void ApplyEdit(QStringList &lines, const Edit &edit);

// --- Insertions -----------------------------------------------------------
// All insert before the current line k. A k outside the listing gives an
// empty Edit with recount false (nothing happens).

// word: kStep, kJump or kTurn.
Edit InsertCommand(const QStringList &lines, int k, const QString &word);
Edit InsertBranch(const QStringList &lines, int k, bool negated);
Edit InsertLoop(const QStringList &lines, int k, bool negated);
// Describe mode: appends "ПРОЦЕДУРА name" and "КОНЕЦ ПРОЦЕДУРЫ" at the end.
// The caller checks IsProcedureDescribed first.
Edit AppendProcedure(const QStringList &lines, const QString &name);
// Call mode: "ДЕЛАЙ name" at k, and an empty description at the end when
// no header carries the name yet.
Edit InsertCall(const QStringList &lines, int k, const QString &name);
Edit InsertBlankLine(const QStringList &lines, int k);
// "//" + text at k, no indentation; recount false.
Edit InsertComment(const QStringList &lines, int k, const QString &text);

bool IsProcedureDescribed(const QStringList &lines, const QString &name);

// The selection rule: where the current line goes when the pupil puts it on
// row. Returns the row that becomes current (row itself when no rule applies).
int SelectionRule(const QStringList &lines, int row);

// --- Procedure names --------------------------------------------------------
enum class NameCheck { Ok, Empty, StartsWithDigit, Duplicate };
NameCheck CheckNewProcedureName(const QStringList &names, const QString &text);
// The names of the procedure headers in listing order (a name twice if
// described twice).
QStringList ProcedureNames(const QStringList &lines);

// --- Deletions ------------------------------------------------------------
// Each deletion ends alike: when the removed lines ended the listing, an empty
// line takes their place; the line at k becomes current; recount. A k outside
// the listing gives an empty Edit with recount false (nothing happens).
struct MenuEnabling {
    bool deleteLine = true;
    bool deleteConstruct = true;
    bool deleteElse = true;
    bool deleteProcedure = true;
};
MenuEnabling ComMenuEnabling(QStringView line);
// The Delete key acts only on simple lines, blanks, calls and comments.
bool DeleteKeyAllowed(QStringView line);

Edit DeleteLine(const QStringList &lines, int k);
// Branch or loop headed by line k; on any other line only a recount.
// A construct whose closing line is missing is left alone (only a recount).
Edit DeleteConstruct(const QStringList &lines, int k);
Edit DeleteElse(const QStringList &lines, int k);
// True when some call line names the procedure (its own body included).
bool ProcedureHasCalls(const QStringList &lines, const QString &name);
// The caller refuses first when ProcedureHasCalls; this removes the header,
// the body and КОНЕЦ ПРОЦЕДУРЫ.
Edit DeleteProcedure(const QStringList &lines, int k);

} // namespace editor
