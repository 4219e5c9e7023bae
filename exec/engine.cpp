#include "exec/engine.h"

#include "editor/listing.h"

namespace exec {

// One level of ExecuteLine with its handler takes under 400 bytes of stack
// (about 370 measured in both debug and release builds), so 500 levels stay
// under 200 KB and leave most of a 1 MiB stack to the window's own work at
// the deepest point (painting, event processing, the error box). 500 levels
// are over twice the cells of the largest field (225), so a recursion that
// takes a step per call has room to cross the whole field.
const int kMaxNesting = 500;

namespace {

using namespace editor;

// Where a pass over lines that are not executed stops.
enum class PassTo {
    BranchEnd,        // the branch's ВСЁ
    ElseOrBranchEnd,  // its ИНАЧЕ, or its ВСЁ when it has none
    LoopEnd,          // the loop's КЦ
    ProcedureEnd,     // the description's КОНЕЦ ПРОЦЕДУРЫ
};

class Walker
{
public:
    explicit Walker(const EngineHooks &hooks) : h(hooks) {}

    int Count() const { return h.lineCount ? h.lineCount() : 0; }
    bool InRange(int i) const { return i >= 0 && i < Count(); }
    LineKind Kind(int i) const { return KindOfLine(h.line(i)); }

    bool Stopped()
    {
        if (aborted)
            return true;
        return h.checkPoint && h.checkPoint();
    }

    void Pause()
    {
        if (h.pause)
            h.pause(h.linePause);
    }

    void Select(int i)
    {
        if (h.selectLine)
            h.selectLine(i);
    }

    void ShowLine(int i)
    {
        Select(i);
        Pause();
    }

    bool WallAhead() { return h.wallAhead && h.wallAhead(); }

    void ExecuteLine(int &index);

private:
    // A construct's header holds when its key text is exactly one of the two
    // condition texts and the wall test agrees; any other text never holds.
    bool Holds(const QString &line, const QString &wall, const QString &notWall)
    {
        const QStringView k = KeyView(line);
        return (k == wall && WallAhead()) || (k == notWall && !WallAhead());
    }
    int PassOver(int from, PassTo to) const;
    bool RunLines(int &index, LineKind end, LineKind orEnd, bool checkBefore);
    // A line the construct expects is shown when the listing has it; the end
    // of the listing, standing in for a missing one, has nothing to show.
    void ShowIfListed(int i)
    {
        if (i < Count())
            ShowLine(i);
    }

    void ExecuteIf(int &index);
    void ExecuteWhile(int &index);
    void SkipProcedure(int &index);
    void CallProcedure(int index);
    void Fail();

    const EngineHooks &h;
    int depth = 0;
    bool aborted = false;
};

void Walker::Fail()
{
    if (aborted)
        return;
    aborted = true;
    if (h.fail)
        h.fail(QStringLiteral("Слишком глубокая вложенность конструкций и вызовов процедур "
                              "(больше %1).\nВыполнение алгоритма прервано.")
                   .arg(kMaxNesting));
}

// Passes over lines without selecting them, from `from` to the line `to`
// names at the construct's own level, and returns it; returns Count() when
// the listing ends first, the end standing in for the missing line.
// Unlike the editor's block matching, nested constructs are counted only by
// their exact condition texts: a header with any other text opens no level.
int Walker::PassOver(int from, PassTo to) const
{
    const LineKind close = to == PassTo::LoopEnd       ? LineKind::LoopEnd
                           : to == PassTo::ProcedureEnd ? LineKind::ProcEnd
                                                        : LineKind::BranchEnd;
    const bool elseEnds = to == PassTo::ElseOrBranchEnd;
    int level = 1;
    for (int i = qMax(from, 0); i < Count(); ++i) {
        const QString line = h.line(i);
        const LineKind kind = KindOfLine(line);
        if (kind == close || (elseEnds && kind == LineKind::Else)) {
            if (level == 1)
                return i;
            if (kind == close)
                --level;
            continue;
        }
        const QStringView k = KeyView(line);
        switch (to) {
        case PassTo::BranchEnd:
        case PassTo::ElseOrBranchEnd:
            if (k == kIfWall || k == kIfNotWall)
                ++level;
            break;
        case PassTo::LoopEnd:
            if (k == kWhileWall || k == kWhileNotWall)
                ++level;
            break;
        case PassTo::ProcedureEnd:
            break;  // descriptions never nest
        }
    }
    return Count();
}

// Executes the lines of a body from index on, up to the first line of kind
// end or orEnd, where index stays, or to the end of the listing, where index
// becomes Count(). A check point follows every line (and with checkBefore
// also precedes it). Returns false when a stop was seen; index is then on the
// line executed last.
bool Walker::RunLines(int &index, LineKind end, LineKind orEnd, bool checkBefore)
{
    for (index = qMin(index, Count()); index < Count(); ++index) {
        const LineKind kind = Kind(index);
        if (kind == end || kind == orEnd)
            return true;
        if (checkBefore && Stopped())
            return false;
        ExecuteLine(index);
        if (Stopped())
            return false;
    }
    return true;
}

void Walker::ExecuteLine(int &index)
{
    if (aborted || !InRange(index))
        return;
    if (depth >= kMaxNesting) {
        Fail();
        return;
    }
    ++depth;
    Select(index);
    switch (Kind(index)) {
    case LineKind::Turn:
        if (h.turn)
            h.turn();
        break;
    case LineKind::Step:
        if (h.step)
            h.step();
        break;
    case LineKind::Jump:
        if (h.jump)
            h.jump();
        break;
    case LineKind::BranchHeader:
        ExecuteIf(index);
        break;
    case LineKind::LoopHeader:
        ExecuteWhile(index);
        break;
    case LineKind::ProcHeader:
        SkipProcedure(index);
        break;
    case LineKind::Call:
        CallProcedure(index);
        break;
    default:
        break;  // frame lines, comments, blanks, foreign lines: nothing to do
    }
    // A construct that the listing ends without its closing line ends with
    // the listing: its last line is the last one consumed.
    if (index >= Count())
        index = Count() - 1;
    Pause();
    --depth;
}

void Walker::ExecuteIf(int &index)
{
    const QString header = h.line(index);
    ShowLine(index);
    const bool holds = Holds(header, kIfWall, kIfNotWall);

    if (holds) {
        // The ТО line (never read), then the ТО branch up to its ИНАЧЕ or ВСЁ.
        index = qMin(index + 1, Count());
        ShowIfListed(index);
        ++index;
        if (!RunLines(index, LineKind::Else, LineKind::BranchEnd, false))
            return;
        if (index < Count() && Kind(index) == LineKind::Else)
            index = PassOver(index + 1, PassTo::BranchEnd);
        ShowIfListed(index);
        return;
    }

    // Pass over the ТО branch, past the ТО line; then the ИНАЧЕ branch if any.
    index = PassOver(index + 2, PassTo::ElseOrBranchEnd);
    if (index < Count() && Kind(index) == LineKind::Else) {
        ShowLine(index);
        ++index;
        if (!RunLines(index, LineKind::BranchEnd, LineKind::BranchEnd, false))
            return;
    }
    ShowIfListed(index);
}

void Walker::ExecuteWhile(int &index)
{
    const QString header = h.line(index);  // read once
    const int start = index;

    while (Holds(header, kWhileWall, kWhileNotWall)) {
        ShowLine(start);  // ПОКА
        index = qMin(start + 1, Count());
        ShowIfListed(index);  // НЦ
        ++index;
        if (!RunLines(index, LineKind::LoopEnd, LineKind::LoopEnd, false))
            return;
        // A missing КЦ is the end of the listing: nothing is shown there, but
        // its check point stays, and the condition is tested again.
        ShowIfListed(index);  // КЦ
        if (Stopped())
            return;
        index = start;
    }

    ShowLine(start);  // the ПОКА line once more
    index = PassOver(start + 2, PassTo::LoopEnd);
}

void Walker::SkipProcedure(int &index)
{
    index = PassOver(index + 1, PassTo::ProcedureEnd);
}

void Walker::CallProcedure(int index)
{
    Pause();  // the ДЕЛАЙ line is already selected
    const QString name = CalledName(h.line(index));

    int header = -1;
    for (int l = 0; InRange(l); ++l) {
        const QString line = h.line(l);
        if (KindOfLine(line) == LineKind::ProcHeader && ProcedureName(line) == name) {
            header = l;
            break;
        }
    }
    if (header < 0)
        return;

    ShowLine(header);
    int j = header + 1;
    if (RunLines(j, LineKind::ProcEnd, LineKind::ProcEnd, true))
        ShowIfListed(j);
}

} // namespace

WalkResult Walk(const EngineHooks &hooks)
{
    Walker walker(hooks);
    WalkResult result;
    int i = 0;
    while (walker.InRange(i) && hooks.line(i) != editor::kEnd) {
        walker.ExecuteLine(i);
        if (walker.Stopped()) {
            result.stopped = true;
            result.endIndex = i;
            return result;
        }
        ++i;
    }
    result.endIndex = i;
    return result;
}

} // namespace exec
