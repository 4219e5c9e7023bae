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

class Walker
{
public:
    explicit Walker(const EngineHooks &hooks) : h(hooks) {}

    int Count() const { return h.lineCount ? h.lineCount() : 0; }
    bool InRange(int i) const { return i >= 0 && i < Count(); }
    // The last line of the listing: where an unclosed construct ends.
    int LastLine() const { return Count() - 1; }
    QString Key(int i) const { return KeyText(h.line(i)); }

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
    const QString k = Key(index);
    if (k == kTurn) {
        if (h.turn)
            h.turn();
    } else if (k == kStep) {
        if (h.step)
            h.step();
    } else if (k == kJump) {
        if (h.jump)
            h.jump();
    } else if (HasPrefix(k, kIfWord)) {
        ExecuteIf(index);
    } else if (HasPrefix(k, kWhileWord)) {
        ExecuteWhile(index);
    } else if (HasPrefix(k, kProcWord)) {
        SkipProcedure(index);
    } else if (HasPrefix(k, kCallWord)) {
        CallProcedure(index);
    }
    Pause();
    --depth;
}

void Walker::ExecuteIf(int &index)
{
    const QString k = Key(index);
    ShowLine(index);
    const bool holds = (k == kIfWall && WallAhead()) || (k == kIfNotWall && !WallAhead());

    if (holds) {
        // The ТО line, then the ТО branch up to its ИНАЧЕ or ВСЁ.
        ++index;
        if (!InRange(index)) {
            index = LastLine();
            return;
        }
        ShowLine(index);
        QString m;
        for (++index;; ++index) {
            if (!InRange(index)) {
                index = LastLine();
                return;
            }
            m = Key(index);
            if (m == kElse || m == kBranchEnd)
                break;
            ExecuteLine(index);
            if (Stopped())
                return;
        }
        if (m == kBranchEnd) {
            ShowLine(index);
            return;
        }
        // Pass over the ИНАЧЕ branch without selecting it.
        int level = 1;
        for (++index; InRange(index); ++index) {
            m = Key(index);
            if (m == kIfWall || m == kIfNotWall)
                ++level;
            if (m == kBranchEnd) {
                if (level == 1) {
                    ShowLine(index);
                    return;
                }
                --level;
            }
        }
        index = LastLine();
        return;
    }

    // Pass over the ТО branch without selecting it.
    int level = 1;
    QString m;
    bool found = false;
    for (index += 2; InRange(index); ++index) {
        m = Key(index);
        if (m == kIfWall || m == kIfNotWall)
            ++level;
        if ((m == kElse || m == kBranchEnd) && level == 1) {
            found = true;
            break;
        }
        if (m == kBranchEnd)
            --level;
    }
    if (!found) {
        index = LastLine();
        return;
    }
    if (m == kElse) {
        ShowLine(index);
        for (++index; InRange(index); ++index) {
            if (Key(index) == kBranchEnd) {
                ShowLine(index);
                return;
            }
            ExecuteLine(index);
            if (Stopped())
                return;
        }
        index = LastLine();
        return;
    }
    ShowLine(index);
}

void Walker::ExecuteWhile(int &index)
{
    const QString k = Key(index);
    const int start = index;
    auto holds = [&] {
        return (k == kWhileWall && WallAhead()) || (k == kWhileNotWall && !WallAhead());
    };

    while (holds()) {
        ShowLine(index);  // ПОКА
        ++index;
        if (!InRange(index)) {
            index = LastLine();
            return;
        }
        ShowLine(index);  // НЦ
        for (++index;; ++index) {
            if (!InRange(index)) {
                // No КЦ: the end of the listing ends the loop.
                index = LastLine();
                return;
            }
            const bool end = Key(index) == kLoopEnd;
            if (end)
                ShowLine(index);
            else
                ExecuteLine(index);
            if (Stopped())
                return;
            if (end)
                break;
        }
        index = start;
    }

    ShowLine(index);  // the ПОКА line once more
    int level = 1;
    for (index += 2; InRange(index); ++index) {
        const QString m = Key(index);
        if (m == kLoopEnd) {
            if (--level == 0)
                return;
        } else if (m == kWhileWall || m == kWhileNotWall) {
            ++level;
        }
    }
    index = LastLine();
}

void Walker::SkipProcedure(int &index)
{
    for (++index; InRange(index); ++index) {
        if (Key(index) == kProcEnd)
            return;
    }
    index = LastLine();
}

void Walker::CallProcedure(int index)
{
    Pause();  // the ДЕЛАЙ line is already selected
    const QString name = CalledName(h.line(index));

    int header = -1;
    for (int l = 0; InRange(l); ++l) {
        const QString m = Key(l);
        if (HasPrefix(m, kProcWord) && ProcedureName(h.line(l)) == name) {
            header = l;
            break;
        }
    }
    if (header < 0)
        return;

    ShowLine(header);
    for (int j = header + 1; InRange(j); ++j) {
        if (Key(j) == kProcEnd) {
            ShowLine(j);
            return;
        }
        if (Stopped())
            return;
        ExecuteLine(j);
        if (Stopped())
            return;
    }
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
