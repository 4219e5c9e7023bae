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
        lines.erase(lines.begin() + at, lines.begin() + at + remove);
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
        if (KindOfLine(line) == LineKind::ProcHeader && ProcedureName(line) == name)
            return true;
    }
    return false;
}

int SelectionRule(const QStringList &lines, int row)
{
    if (!InRange(lines, row))
        return row;
    const int last = lines.size() - 1;
    const QStringView t = KeyView(lines.at(row));
    switch (KindOfLine(t)) {
    case LineKind::LoopBegin:
    case LineKind::Then:
        return qMin(row + 1, last);
    // The title and the given line are recognised by more of their text here
    // than by their kind.
    case LineKind::Title:
        return HasPrefix(t, u"АЛГОРИТМ П") ? qMin(4, last) : row;
    case LineKind::Given:
        return HasPrefix(t, u"Дано: Испо") ? qMin(4, last) : row;
    case LineKind::Goal:
    case LineKind::Start:
        return qMin(4, last);
    default:
        return row;
    }
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
        if (KindOfLine(line) == LineKind::ProcHeader)
            names.append(ProcedureName(line));
    }
    return names;
}

// --- Deletions ------------------------------------------------------------

namespace {

// Lines that go one by one: by the menu's "Удалить строку" and by the Delete key.
bool IsSimpleLine(LineKind kind)
{
    switch (kind) {
    case LineKind::Step:
    case LineKind::Jump:
    case LineKind::Turn:
    case LineKind::Blank:
    case LineKind::Call:
    case LineKind::Comment:
        return true;
    default:
        return false;
    }
}

} // namespace

MenuEnabling ComMenuEnabling(QStringView line)
{
    // In the order line, construct, else part, procedure.
    const LineKind kind = KindOfLine(line);
    if (IsSimpleLine(kind))
        return {true, false, false, false};
    switch (kind) {
    case LineKind::Else:
        return {false, false, true, false};
    case LineKind::BranchHeader:
    case LineKind::LoopHeader:
        return {false, true, false, false};
    case LineKind::ProcHeader:
        return {false, false, false, true};
    case LineKind::Title:
    case LineKind::Given:
    case LineKind::Goal:
    case LineKind::Start:
    case LineKind::End:
    case LineKind::LoopEnd:
    case LineKind::BranchEnd:
    case LineKind::ProcEnd:
        return {false, false, false, false};
    default:
        // Any other line (ТО, НЦ, a foreign line of a loaded file): everything
        // stays enabled.
        return MenuEnabling();
    }
}

bool DeleteKeyAllowed(QStringView line)
{
    return IsSimpleLine(KindOfLine(line));
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
    int end = -1;
    switch (KindOfLine(lines.at(k))) {
    case LineKind::BranchHeader:
        end = FindBranchEnd(lines, k);
        break;
    case LineKind::LoopHeader:
        end = FindLoopEnd(lines, k);
        break;
    default:
        break;
    }
    if (end < 0)
        return RecountOnly();
    return RemoveRange(lines, k, end);
}

Edit DeleteElse(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    if (KindOfLine(lines.at(k)) != LineKind::Else)
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
        if (KindOfLine(line) == LineKind::Call && CalledName(line) == name)
            return true;
    }
    return false;
}

Edit DeleteProcedure(const QStringList &lines, int k)
{
    if (!InRange(lines, k))
        return NoEdit();
    if (KindOfLine(lines.at(k)) != LineKind::ProcHeader)
        return RecountOnly();
    const int end = FindProcedureEnd(lines, k);
    if (end < 0)
        return RecountOnly();
    return RemoveRange(lines, k, end);
}

} // namespace editor
