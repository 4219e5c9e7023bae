#include "editor/editops.h"

#include "editor/listing.h"

namespace editor {

namespace {

bool InRange(const QStringList &lines, int k)
{
    return k >= 0 && k < lines.size();
}

// Nothing happens at all: no step, no new current line, no recount.
Edit NoEdit()
{
    Edit e;
    e.recount = false;
    return e;
}

// The line is not one the operation acts on: only the statistics are recounted.
Edit RecountOnly()
{
    return Edit();
}

EditStep InsertStep(int at, const QStringList &insert)
{
    EditStep s;
    s.at = at;
    s.insert = insert;
    return s;
}

EditStep RemoveStep(int at, int count)
{
    EditStep s;
    s.at = at;
    s.removeCount = count;
    return s;
}

// Removes lines first..last (inclusive) and finishes the way every deletion
// does: when the removed lines ended the listing, an empty line takes their
// place; the line at `first` becomes current.
Edit RemoveRange(const QStringList &lines, int first, int last)
{
    Edit e;
    const int count = last - first + 1;
    e.steps.append(RemoveStep(first, count));
    if (first >= lines.size() - count)
        e.steps.append(InsertStep(first, {QString()}));
    e.current = first;
    return e;
}

} // namespace

void ApplyEdit(QStringList &lines, const Edit &edit)
{
    for (const EditStep &step : edit.steps) {
        const int at = qBound(0, step.at, int(lines.size()));
        const int remove = qBound(0, step.removeCount, int(lines.size()) - at);
        lines.remove(at, remove);
        for (int i = 0; i < step.insert.size(); ++i)
            lines.insert(at + i, step.insert.at(i));
    }
}

// --- Insertions -----------------------------------------------------------

Edit InsertCommand(const QStringList &lines, int k, const QString &word)
{
    if (!InRange(lines, k))
        return NoEdit();
    Edit e;
    e.steps.append(InsertStep(k, {NewLinePrefix(lines.at(k)) + word}));
    e.current = k + 1;
    e.middleRow = k;
    return e;
}

Edit InsertBranch(const QStringList &lines, int k, bool negated)
{
    if (!InRange(lines, k))
        return NoEdit();
    const QString p = NewLinePrefix(lines.at(k));
    Edit e;
    e.steps.append(InsertStep(k, {
        p + (negated ? kIfNotWall : kIfWall),
        p + QStringLiteral("   ") + kThen,
        p + QStringLiteral("   ") + kElse,
        p + kBranchEnd,
    }));
    e.current = k + 2;
    e.middleRow = k + 3;
    return e;
}

Edit InsertLoop(const QStringList &lines, int k, bool negated)
{
    if (!InRange(lines, k))
        return NoEdit();
    const QString p = NewLinePrefix(lines.at(k));
    Edit e;
    e.steps.append(InsertStep(k, {
        p + (negated ? kWhileNotWall : kWhileWall),
        p + kLoopBegin,
        p + kLoopEnd,
    }));
    e.current = k + 2;
    e.middleRow = k + 2;
    return e;
}

Edit AppendProcedure(const QStringList &lines, const QString &name)
{
    const int end = lines.size();
    Edit e;
    e.steps.append(InsertStep(end, {kProcWord + QLatin1Char(' ') + name, kProcEnd}));
    e.current = end + 1;
    e.middleRow = end + 1;
    return e;
}

Edit InsertCall(const QStringList &lines, int k, const QString &name)
{
    if (!InRange(lines, k))
        return NoEdit();
    Edit e;
    e.steps.append(InsertStep(k, {NewLinePrefix(lines.at(k)) + kCallWord + QLatin1Char(' ') + name}));
    if (!IsProcedureDescribed(lines, name)) {
        // After the call line went in, the listing is one line longer.
        e.steps.append(InsertStep(lines.size() + 1, {kProcWord + QLatin1Char(' ') + name, kProcEnd}));
    }
    e.current = k + 1;
    e.middleRow = k + 1;
    return e;
}

Edit InsertBlankLine(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    Edit e;
    e.steps.append(InsertStep(k, {QString()}));
    e.current = k + 1;
    e.middleRow = -1;
    e.recount = false;
    return e;
}

Edit InsertComment(const QStringList &lines, int k, const QString &text)
{
    if (!InRange(lines, k))
        return NoEdit();
    Edit e;
    e.steps.append(InsertStep(k, {kCommentWord + text}));
    e.current = k + 1;
    e.middleRow = k;
    e.recount = false;
    return e;
}

bool IsProcedureDescribed(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        if (HasPrefix(KeyText(line), kProcWord) && ProcedureName(line) == name)
            return true;
    }
    return false;
}

int SelectionRule(const QStringList &lines, int row)
{
    if (!InRange(lines, row))
        return row;
    const int last = lines.size() - 1;
    const QString t = KeyText(lines.at(row));
    if (t == kLoopBegin || t == kThen)
        return qMin(row + 1, last);
    if (HasPrefix(t, QStringLiteral("АЛГОРИТМ П")) || HasPrefix(t, QStringLiteral("Дано: Испо"))
        || HasPrefix(t, kGoalWord) || t == kStart)
        return qMin(4, last);
    return row;
}

// --- Procedure names --------------------------------------------------------

NameCheck CheckNewProcedureName(const QStringList &names, const QString &text)
{
    if (text.isEmpty())
        return NameCheck::Empty;
    const QChar first = text.at(0);
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        return NameCheck::StartsWithDigit;
    if (names.contains(text, Qt::CaseSensitive))
        return NameCheck::Duplicate;
    return NameCheck::Ok;
}

QStringList ProcedureNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        if (HasPrefix(KeyText(line), kProcWord))
            names.append(ProcedureName(line));
    }
    return names;
}

// --- Deletions ------------------------------------------------------------

namespace {

bool IsSimpleLineKey(const QString &t)
{
    return t == kStep || t == kJump || t == kTurn || t.isEmpty()
        || HasPrefix(t, kCallWord) || HasPrefix(t, kCommentWord);
}

} // namespace

MenuEnabling ComMenuEnabling(const QString &line)
{
    const QString t = KeyText(line);
    MenuEnabling m;
    if (IsSimpleLineKey(t)) {
        m.deleteLine = true; m.deleteConstruct = false; m.deleteElse = false; m.deleteProcedure = false;
    } else if (t == kElse) {
        m.deleteLine = false; m.deleteConstruct = false; m.deleteElse = true; m.deleteProcedure = false;
    } else if (HasPrefix(t, kIfWord) || HasPrefix(t, kWhileWord)) {
        m.deleteLine = false; m.deleteConstruct = true; m.deleteElse = false; m.deleteProcedure = false;
    } else if (HasPrefix(t, kProcWord)) {
        m.deleteLine = false; m.deleteConstruct = false; m.deleteElse = false; m.deleteProcedure = true;
    } else if (t == kStart || t == kEnd || t == kLoopEnd || t == kBranchEnd || t == kProcEnd
               || HasPrefix(t, kGivenWord) || HasPrefix(t, kGoalWord) || HasPrefix(t, kTitleWord)) {
        m.deleteLine = false; m.deleteConstruct = false; m.deleteElse = false; m.deleteProcedure = false;
    }
    // Any other line (a foreign line of a loaded file): everything stays enabled.
    return m;
}

bool DeleteKeyAllowed(const QString &line)
{
    return IsSimpleLineKey(KeyText(line));
}

Edit DeleteLine(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    return RemoveRange(lines, k, k);
}

Edit DeleteConstruct(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    const QString t = KeyText(lines.at(k));
    int end = -1;
    if (HasPrefix(t, kIfWord))
        end = FindBranchEnd(lines, k);
    else if (HasPrefix(t, kWhileWord))
        end = FindLoopEnd(lines, k);
    if (end < 0)
        return RecountOnly();
    return RemoveRange(lines, k, end);
}

Edit DeleteElse(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    if (KeyText(lines.at(k)) != kElse)
        return RecountOnly();
    // The same count as for the branch, started at ИНАЧЕ, finds its ВСЁ,
    // which stays.
    const int end = FindBranchEnd(lines, k);
    if (end < 0)
        return RecountOnly();
    return RemoveRange(lines, k, end - 1);
}

bool ProcedureHasCalls(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        if (HasPrefix(KeyText(line), kCallWord) && CalledName(line) == name)
            return true;
    }
    return false;
}

Edit DeleteProcedure(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    if (!HasPrefix(KeyText(lines.at(k)), kProcWord))
        return RecountOnly();
    const int end = FindProcedureEnd(lines, k);
    if (end < 0)
        return RecountOnly();
    return RemoveRange(lines, k, end);
}

} // namespace editor
