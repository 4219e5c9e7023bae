#pragma once
// Runs without a window: the reference algorithm of a task walked on a bare
// executor to learn the drawing it leaves, and the check of a pupil's drawing
// against it.

#include "editor/taskfile.h"
#include "field/drawing.h"

#include <QPoint>
#include <QString>
#include <QStringList>

namespace exec {

using field::Drawing;
using field::Segment;

// The most lines a run without a window may execute before it counts as not
// ending (a terminating algorithm on a 15 x 15 field needs far fewer).
extern const int kTraceLineBudget;

struct TraceResult {
    enum Outcome {
        Ended,    // reached КОН (or the end of the listing)
        Wall,     // a ШАГ or ПРЫЖОК into a wall
        Endless,  // still running after the line budget
        TooDeep,  // constructs and calls nested deeper than kMaxNesting
    };
    Outcome outcome = Ended;
    Drawing drawing;   // what the ШАГs drew up to the end
    QPoint lastCell;   // where the executor stood at the end
    int lastDirection = 0;
};

// Walks the listing as a run does, on a field of fieldSize cells, from the
// start cell and direction (0, 90, 180, 270), with no pauses.
TraceResult TraceAlgorithm(const QStringList &listing, int fieldSize, QPoint start,
                           int direction, int lineBudget = kTraceLineBudget);

struct Verdict {
    Drawing missing;          // in the sample, not drawn by the pupil
    Drawing extra;            // drawn by the pupil, not in the sample
    bool endChecked = false;  // the task sets point Б
    bool endOk = true;        // the last cell is Б (always true when not checked)
    QPoint lastCell;          // where the pupil's executor stopped
    QPoint target;            // point Б when endChecked

    bool Reproduced() const { return missing.empty() && extra.empty() && endOk; }
};

// Compares a pupil's drawing and last cell with the task's sample drawing
// and point Б.
Verdict CheckDrawing(const Drawing &sample, const Drawing &pupil, const editor::TaskFile &task,
                     QPoint lastCell);

// "Образец воспроизведён!", or what differs, in Russian, a sentence a line.
QString VerdictText(const Verdict &verdict);

} // namespace exec
