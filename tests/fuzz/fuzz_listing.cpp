// Fuzzing the listing operations: insertions and deletions at any current
// line of any listing, the context menu's enabling, block matching and the
// statistics.
//
// Input: a mode byte, then
//   mode 0 (any listing): a listing (fuzz_input.h), then operations, each an
//     opcode byte, a current-line byte (often outside the listing) and its
//     parameter bytes; every operation runs whatever the line is;
//   mode 1 (the pupil): the fresh frame, then operations as the window allows
//     them (the selection rule, the menu's enabling, the refusals), after each
//     of which the listing must keep its well-formed shape.
#include "fuzz_input.h"

#include "editor/editops.h"
#include "editor/listing.h"
#include "editor/statistics.h"


namespace {

using namespace editor;

constexpr int kMaxLines = 200;
constexpr int kMaxOperations = 64;

bool InRange(const QStringList &lines, int i)
{
    return i >= 0 && i < lines.size();
}

// Every step acts inside the listing as it stands when the step comes; the
// edit leaves the listing exactly as ApplyEdit does; the new current line and
// the middle row are rows of the result.
void ApplyChecked(QStringList &lines, const Edit &edit)
{
    QStringList expected = lines;
    ApplyEdit(expected, edit);
    for (const EditStep &step : edit.steps) {
        FUZZ_CHECK(step.at >= 0 && step.at <= lines.size());
        FUZZ_CHECK(step.removeCount >= 0 && step.removeCount <= lines.size() - step.at);
        lines.erase(lines.begin() + step.at, lines.begin() + step.at + step.removeCount);
        for (int i = 0; i < step.insert.size(); ++i)
            lines.insert(step.at + i, step.insert.at(i));
    }
    FUZZ_CHECK(lines == expected);
    FUZZ_CHECK(edit.current == -1 || InRange(lines, edit.current));
    FUZZ_CHECK(edit.middleRow == -1 || InRange(lines, edit.middleRow));
}

// An operation on a line outside the listing does nothing at all.
void CheckNothing(const Edit &edit)
{
    FUZZ_CHECK(!edit.changed());
    FUZZ_CHECK(!edit.recount);
}

// `after` is `before` with `count` lines put in at k.
void CheckInsertedAt(const QStringList &before, const QStringList &after, int k, int count)
{
    FUZZ_CHECK(after.size() == before.size() + count);
    FUZZ_CHECK(after.mid(0, k) == before.mid(0, k));
    FUZZ_CHECK(after.mid(k + count) == before.mid(k));
}

// The common ending of a deletion at k: `after` is `before` without a run of
// lines starting at k, with one empty line in their place when they ended the
// listing, and the line at k is current. A deletion that finds nothing to
// delete only recounts.
void CheckDeletion(const QStringList &before, const QStringList &after, const Edit &edit, int k)
{
    FUZZ_CHECK(edit.recount);
    if (!edit.changed()) {
        FUZZ_CHECK(after == before);
        return;
    }
    FUZZ_CHECK(edit.current == k);
    FUZZ_CHECK(after.mid(0, k) == before.mid(0, k));
    const int removed = before.size() - after.size();
    if (k == after.size() - 1 && after.at(k).isEmpty() && removed >= 0
        && before.mid(k + removed + 1).isEmpty()) {
        return;  // the deleted lines ended the listing; a blank took their place
    }
    FUZZ_CHECK(removed >= 1);
    FUZZ_CHECK(after.mid(k) == before.mid(k + removed));
}

void CheckStatistics(const QStringList &lines)
{
    const Statistics s = CountStatistics(lines);
    FUZZ_CHECK(s.commands >= 0 && s.procedures >= 0 && s.calls >= 0 && s.branches >= 0
               && s.loops >= 0);
    // Each counted kind is a program line, and no line is of two kinds.
    FUZZ_CHECK(s.commands + s.procedures + s.calls + s.branches + s.loops <= s.lines);
    FUZZ_CHECK(s.lines <= lines.size());
    FUZZ_CHECK(RecountRows(s).size() == 9);
}

// Block matching from any index: -1, or a later row that is the closing line.
void CheckMatching(const QStringList &lines, int i)
{
    const int n = lines.size();
    const int branchEnd = FindBranchEnd(lines, i);
    FUZZ_CHECK(branchEnd == -1 || (branchEnd > i && branchEnd < n
                                   && KeyText(lines.at(branchEnd)) == kBranchEnd));
    const int loopEnd = FindLoopEnd(lines, i);
    FUZZ_CHECK(loopEnd == -1 || (loopEnd > i && loopEnd < n
                                 && KeyText(lines.at(loopEnd)) == kLoopEnd));
    const int procEnd = FindProcedureEnd(lines, i);
    FUZZ_CHECK(procEnd == -1 || (procEnd > i && procEnd < n
                                 && KeyText(lines.at(procEnd)) == kProcEnd));
}

// The read-only routines on one index of any listing.
void CheckQueries(const QStringList &lines, int k)
{
    CheckMatching(lines, k);
    const int row = SelectionRule(lines, k);
    FUZZ_CHECK(InRange(lines, k) ? InRange(lines, row) : row == k);
    if (!InRange(lines, k))
        return;
    const QString &line = lines.at(k);
    const QString prefix = NewLinePrefix(line);
    FUZZ_CHECK(prefix.count(QLatin1Char(' ')) == prefix.size());
    FUZZ_CHECK(KeyText(line).size() + Indentation(line) == line.size());
    (void)KindOfLine(line);
    (void)CalledName(line);
    (void)ProcedureName(line);
    const MenuEnabling m = ComMenuEnabling(line);
    // The Delete key works exactly where the menu offers only "Удалить строку".
    if (DeleteKeyAllowed(line))
        FUZZ_CHECK(m.deleteLine && !m.deleteConstruct && !m.deleteElse && !m.deleteProcedure);
}

// --- The listing's well-formed shape ----------------------------------------

class Shape
{
public:
    explicit Shape(const QStringList &lines) : l(lines) {}

    bool Check()
    {
        const QStringList frame = FrameLines();
        if (l.size() < frame.size())
            return false;
        for (int r = 0; r < 4; ++r) {
            if (l.at(r) != frame.at(r))
                return false;
        }
        i = 4;
        if (!Statements({kEnd}) || l.at(i) != kEnd)
            return false;
        ++i;
        while (i < l.size()) {
            const QString t = KeyText(l.at(i));
            if (HasPrefix(t, kProcWord)) {
                const QString name = ProcedureName(l.at(i));
                if (l.at(i) != kProcWord + QLatin1Char(' ') + name || described.contains(name))
                    return false;
                described.append(name);
                ++i;
                if (!Statements({kProcEnd}) || l.at(i) != kProcEnd)
                    return false;
                ++i;
            } else if (!Statement()) {
                return false;
            }
        }
        for (const QString &name : called) {
            if (!described.contains(name))
                return false;
        }
        return true;
    }

private:
    // Statements up to a line whose key text is one of `closers`, which is
    // left unread; the listing must not end before it.
    bool Statements(const QStringList &closers)
    {
        while (i < l.size()) {
            if (closers.contains(KeyText(l.at(i))))
                return true;
            if (!Statement())
                return false;
        }
        return false;
    }

    bool Statement()
    {
        const QString &line = l.at(i);
        const QString t = KeyText(line);
        switch (KindOfLine(line)) {
        case LineKind::Step:
        case LineKind::Jump:
        case LineKind::Turn:
            ++i;
            return true;
        case LineKind::Blank:
            ++i;
            return line.isEmpty();
        case LineKind::Comment:
            ++i;
            return Indentation(line) == 0;
        case LineKind::Call:
            if (!HasPrefix(t, kCallWord + QLatin1Char(' ')))
                return false;
            called.append(CalledName(line));
            ++i;
            return true;
        case LineKind::BranchHeader:
            if ((t != kIfWall && t != kIfNotWall) || !Next(kThen))
                return false;
            ++i;
            if (!Statements({kElse, kBranchEnd}))
                return false;
            if (KeyText(l.at(i)) == kElse) {
                ++i;
                if (!Statements({kBranchEnd}))
                    return false;
            }
            ++i;
            return true;
        case LineKind::LoopHeader:
            if ((t != kWhileWall && t != kWhileNotWall) || !Next(kLoopBegin))
                return false;
            ++i;
            if (!Statements({kLoopEnd}))
                return false;
            ++i;
            return true;
        default:
            return false;
        }
    }

    // Steps onto the next line when its key text is `key`.
    bool Next(const QString &key)
    {
        if (i + 1 >= l.size() || KeyText(l.at(i + 1)) != key)
            return false;
        ++i;
        return true;
    }

    const QStringList &l;
    int i = 0;
    QStringList described;
    QStringList called;
};

const QString &CommandWord(uint8_t b)
{
    static const QString words[] = {kStep, kJump, kTurn};
    return words[b % 3];
}

QString CommentText(uint8_t b)
{
    static const QStringList texts = {
        QString(), QStringLiteral("текст"), QStringLiteral(" ЕСЛИ впереди стена"),
        QStringLiteral("КОН"),
    };
    return texts.at(b % texts.size());
}

// --- Any listing, any line ----------------------------------------------------

void AnyListing(fuzz::Input &in)
{
    QStringList lines = fuzz::ReadListing(in, kMaxLines);
    for (int op = 0; op < kMaxOperations && !in.AtEnd(); ++op) {
        const int code = in.Pick(14);
        const int k = in.Index(lines.size());
        const bool inRange = InRange(lines, k);
        const QStringList before = lines;
        Edit edit;
        int inserted = 0;  // lines an insertion puts in at k
        bool deletion = false;
        switch (code) {
        case 0: edit = InsertCommand(lines, k, CommandWord(in.Byte())); inserted = 1; break;
        case 1: edit = InsertBranch(lines, k, in.Flag()); inserted = 4; break;
        case 2: edit = InsertLoop(lines, k, in.Flag()); inserted = 3; break;
        case 3: {
            const QString name = fuzz::NameFromByte(in.Byte());
            edit = AppendProcedure(lines, name);
            ApplyChecked(lines, edit);
            CheckInsertedAt(before, lines, before.size(), 2);
            FUZZ_CHECK(IsProcedureDescribed(lines, name));
            continue;
        }
        case 4: {
            const QString name = fuzz::NameFromByte(in.Byte());
            const bool described = IsProcedureDescribed(lines, name);
            edit = InsertCall(lines, k, name);
            ApplyChecked(lines, edit);
            if (!inRange) {
                CheckNothing(edit);
                continue;
            }
            // The call at k, and an empty description at the end if none was there.
            FUZZ_CHECK(lines.size() == before.size() + (described ? 1 : 3));
            FUZZ_CHECK(ProcedureHasCalls(lines, name) && IsProcedureDescribed(lines, name));
            continue;
        }
        case 5: edit = InsertBlankLine(lines, k); inserted = 1; break;
        case 6: edit = InsertComment(lines, k, CommentText(in.Byte())); inserted = 1; break;
        case 7: edit = DeleteLine(lines, k); deletion = true; break;
        case 8: edit = DeleteConstruct(lines, k); deletion = true; break;
        case 9: edit = DeleteElse(lines, k); deletion = true; break;
        case 10: edit = DeleteProcedure(lines, k); deletion = true; break;
        case 11:
            lines = FrameLines();
            continue;
        case 12:
            (void)ProcedureNames(lines);
            (void)ProcedureHasCalls(lines, fuzz::NameFromByte(in.Byte()));
            CheckStatistics(lines);
            continue;
        default:
            CheckQueries(lines, k);
            continue;
        }
        ApplyChecked(lines, edit);
        if (!inRange) {
            CheckNothing(edit);
            continue;
        }
        if (inserted > 0)
            CheckInsertedAt(before, lines, k, inserted);
        if (deletion) {
            CheckDeletion(before, lines, edit, k);
            FUZZ_CHECK(!lines.isEmpty());
        }
        if (code == 7)
            FUZZ_CHECK(edit.changed());  // a line can always be deleted
    }
    CheckStatistics(lines);
    // Every index of a short listing; a sample of a long one (matching from
    // every index costs the square of its length).
    const int stride = lines.size() <= 80 ? 1 : 7;
    for (int i = -1; i <= lines.size(); i += stride)
        CheckQueries(lines, i);
    CheckQueries(lines, lines.size());
}

// --- The pupil's road -----------------------------------------------------

void PupilRoad(fuzz::Input &in)
{
    QStringList lines = FrameLines();
    int current = 4;
    for (int op = 0; op < kMaxOperations && !in.AtEnd(); ++op) {
        // Most bytes put the current line on a row, as a click does; the
        // rest keep it where the last operation left it.
        const uint8_t where = in.Byte();
        if (where < 192)
            current = SelectionRule(lines, where % lines.size());
        FUZZ_CHECK(InRange(lines, current));
        const QString line = lines.at(current);
        const MenuEnabling menu = ComMenuEnabling(line);
        Edit edit;
        switch (in.Pick(12)) {
        case 0: edit = InsertCommand(lines, current, CommandWord(in.Byte())); break;
        case 1: edit = InsertBranch(lines, current, in.Flag()); break;
        case 2: edit = InsertLoop(lines, current, in.Flag()); break;
        case 3: {
            const QString name = fuzz::NameFromByte(in.Byte());
            if (name.trimmed().isEmpty()
                || CheckNewProcedureName(ProcedureNames(lines), name) != NameCheck::Ok)
                continue;
            edit = AppendProcedure(lines, name);
            break;
        }
        case 4: {
            const QString name = fuzz::NameFromByte(in.Byte());
            if (name.trimmed().isEmpty())
                continue;
            edit = InsertCall(lines, current, name);
            break;
        }
        case 5: edit = InsertBlankLine(lines, current); break;
        case 6: edit = InsertComment(lines, current, CommentText(in.Byte())); break;
        case 7:
            if (!menu.deleteLine)
                continue;
            edit = DeleteLine(lines, current);
            break;
        case 8:
            if (!menu.deleteConstruct)
                continue;
            edit = DeleteConstruct(lines, current);
            break;
        case 9:
            if (!menu.deleteElse)
                continue;
            edit = DeleteElse(lines, current);
            break;
        case 10:
            if (!menu.deleteProcedure || ProcedureHasCalls(lines, ProcedureName(line)))
                continue;
            edit = DeleteProcedure(lines, current);
            break;
        default:
            lines = FrameLines();
            current = 4;
            continue;
        }
        ApplyChecked(lines, edit);
        if (edit.current >= 0)
            current = edit.current;
        FUZZ_CHECK(InRange(lines, current));
        if (!Shape(lines).Check()) {
            std::fprintf(stderr, "the listing lost its shape:\n");
            for (const QString &l : lines)
                std::fprintf(stderr, "  |%s|\n", qPrintable(l));
            fuzz::Fail("the listing keeps its well-formed shape", __FILE__, __LINE__);
        }
        CheckStatistics(lines);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    if (in.Flag())
        PupilRoad(in);
    else
        AnyListing(in);
    return 0;
}
