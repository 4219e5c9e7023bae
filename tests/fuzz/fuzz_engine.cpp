// Fuzzing the engine's walk over any listing, with stub moves of a pretend
// executor on a 12 x 12 field.
//
// Input: the executor's start column, row and direction (a byte each), then a
// listing (fuzz_input.h).
//
// The run is bounded through the stop flag: the check point requests a stop
// from its kCheckPoints-th call on, and a move into a wall requests one as the
// wall error does. The hooks check that every line the walk reads or selects
// exists, that the walk reaches a check point after a bounded amount of work,
// that nothing moves once a stop is requested, and that the walk ends soon
// after the stop is seen.
#include "fuzz_input.h"

#include "exec/engine.h"

namespace {

constexpr int kMaxLines = 128;
constexpr int kCheckPoints = 2000;
constexpr int kSide = 12;
constexpr int kLinePause = 7;

class Run
{
public:
    explicit Run(fuzz::Input &in)
    {
        x = in.Pick(kSide);
        y = in.Pick(kSide);
        dir = in.Pick(4);
        lines = fuzz::ReadListing(in, kMaxLines);
        // Reading each line a few times, a scan of the listing for a
        // procedure and a few selections and pauses per construct fit well
        // inside this between two check points.
        budget = 10 * lines.size() + 100;
    }

    void Go()
    {
        exec::EngineHooks h;
        h.linePause = kLinePause;
        h.lineCount = [this] { return int(lines.size()); };
        h.line = [this](int i) {
            FUZZ_CHECK(i >= 0 && i < lines.size());
            Work();
            return lines.at(i);
        };
        h.selectLine = [this](int i) {
            FUZZ_CHECK(i >= 0 && i < lines.size());
            Work();
        };
        h.pause = [this](int ms) {
            FUZZ_CHECK(ms == kLinePause);
            Work();
        };
        h.checkPoint = [this] { return CheckPoint(); };
        h.step = [this] { Move(); };
        h.jump = [this] { Move(); };
        h.turn = [this] {
            Act();
            dir = (dir + 1) % 4;
        };
        h.wallAhead = [this] {
            Act();
            return WallAhead();
        };
        h.fail = [this](const QString &text) {
            // Only the nesting limit fails a run, and only once.
            FUZZ_CHECK(!failed);
            FUZZ_CHECK(!text.isEmpty());
            failed = true;
            // The walk unwinds every level it entered, each with its pause,
            // and reaches no further check point.
            sinceCheckPoint = 0;
            budget += 4 * exec::kMaxNesting;
        };

        const exec::WalkResult r = exec::Walk(h);

        FUZZ_CHECK(r.endIndex >= 0 && r.endIndex <= lines.size());
        // A stopped walk ends on the line it was at, which exists.
        FUZZ_CHECK(!r.stopped || r.endIndex < lines.size());
        // A stop request, a wall error and a failure all end the run as stopped.
        FUZZ_CHECK(r.stopped == (stopSeen || failed));
        FUZZ_CHECK(!stopRequested || r.stopped);
        // A walk that was not stopped ends at the first line it meets that is
        // exactly "КОН", or past the last line.
        if (!r.stopped)
            FUZZ_CHECK(r.endIndex == lines.size() || lines.at(r.endIndex) == QStringLiteral("КОН"));
    }

private:
    // Work between check points: line reads, selections, pauses, moves.
    void Work()
    {
        if (++sinceCheckPoint > budget)
            fuzz::Fail("the walk goes on without reaching a check point", __FILE__, __LINE__);
    }

    // A move or a wall test: none may come once a stop is requested or the
    // run has failed.
    void Act()
    {
        FUZZ_CHECK(!stopRequested);
        FUZZ_CHECK(!failed);
        Work();
    }

    bool CheckPoint()
    {
        sinceCheckPoint = 0;
        if (stopSeen) {
            // Each level the walk is inside tests the flag once on its way
            // out, and no more.
            FUZZ_CHECK(++checkPointsAfterStop <= 2 * exec::kMaxNesting + 10);
        }
        if (++checkPoints >= kCheckPoints)
            stopRequested = true;
        stopSeen = stopSeen || stopRequested;
        return stopRequested;
    }

    bool WallAhead() const
    {
        switch (dir) {
        case 0: return x + 1 >= kSide;  // right
        case 1: return y - 1 < 0;       // up
        case 2: return x - 1 < 0;       // left
        default: return y + 1 >= kSide; // down
        }
    }

    // ШАГ and ПРЫЖОК: a move into a wall is the wall error, which requests a stop.
    void Move()
    {
        Act();
        if (WallAhead()) {
            stopRequested = true;
            return;
        }
        switch (dir) {
        case 0: ++x; break;
        case 1: --y; break;
        case 2: --x; break;
        default: ++y; break;
        }
        FUZZ_CHECK(x >= 0 && x < kSide && y >= 0 && y < kSide);
    }

    QStringList lines;
    int x = 0;
    int y = 0;
    int dir = 0;
    long budget = 0;
    long sinceCheckPoint = 0;
    int checkPoints = 0;
    int checkPointsAfterStop = 0;
    bool stopRequested = false;
    bool stopSeen = false;
    bool failed = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    Run(in).Go();
    return 0;
}
