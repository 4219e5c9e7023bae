#include "exec/trace.h"

#include "exec/engine.h"
#include "exec/moves.h"

namespace exec {

// A million lines take well under a second here, and no algorithm that ends
// on a 15 x 15 field comes near: its loops can only repeat while the executor
// has somewhere new to go.
const int kTraceLineBudget = 1000000;

namespace {

QString CellText(QPoint c)
{
    return QStringLiteral("(%1, %2)").arg(c.x()).arg(c.y());
}

} // namespace

TraceResult TraceAlgorithm(const QStringList &listing, int fieldSize, QPoint start, int direction,
                           int lineBudget)
{
    TraceResult result;
    field::Executor e;
    e.x = qint16(start.x());
    e.y = qint16(start.y());
    e.dir = qint16(direction);
    const qint16 n = qint16(fieldSize);
    bool stop = false;
    int lines = 0;

    const auto move = [&](bool trace) {
        if (stop)
            return;
        if (WallAhead(e, n)) {
            result.outcome = TraceResult::Wall;
            stop = true;
            return;
        }
        const QPoint from(e.x, e.y);
        Advance(e);
        if (trace)
            field::AddMove(result.drawing, from, QPoint(e.x, e.y));
    };

    EngineHooks hooks;
    hooks.linePause = 0;
    hooks.lineCount = [&listing] { return int(listing.size()); };
    hooks.line = [&listing](int i) { return listing.at(i); };
    hooks.checkPoint = [&] {
        if (!stop && ++lines > lineBudget) {
            result.outcome = TraceResult::Endless;
            stop = true;
        }
        return stop;
    };
    hooks.step = [&] { move(true); };
    hooks.jump = [&] { move(false); };
    hooks.turn = [&] {
        if (!stop)
            Turn(e);
    };
    hooks.wallAhead = [&] { return WallAhead(e, n); };
    hooks.fail = [&](const QString &) {
        if (!stop)
            result.outcome = TraceResult::TooDeep;
        stop = true;
    };

    Walk(hooks);
    result.lastCell = QPoint(e.x, e.y);
    result.lastDirection = e.dir;
    return result;
}

Verdict CheckDrawing(const Drawing &sample, const Drawing &pupil, const editor::TaskFile &task,
                     QPoint lastCell)
{
    Verdict v;
    for (const Segment &s : sample) {
        if (!pupil.count(s))
            v.missing.insert(s);
    }
    for (const Segment &s : pupil) {
        if (!sample.count(s))
            v.extra.insert(s);
    }
    v.lastCell = lastCell;
    v.endChecked = task.hasB;
    if (task.hasB) {
        v.target = QPoint(task.bx, task.by);
        v.endOk = lastCell == v.target;
    }
    return v;
}

QString VerdictText(const Verdict &v)
{
    if (v.Reproduced())
        return QStringLiteral("Образец воспроизведён!");
    QStringList lines{QStringLiteral("Образец не воспроизведён.")};
    if (!v.missing.empty())
        lines << QStringLiteral("Не нарисовано отрезков образца: %1.").arg(v.missing.size());
    if (!v.extra.empty())
        lines << QStringLiteral("Нарисовано лишних отрезков: %1.").arg(v.extra.size());
    if (!v.endOk)
        lines << QStringLiteral("Исполнитель остановился в клетке %1, а должен был прийти в точку Б %2.")
                     .arg(CellText(v.lastCell), CellText(v.target));
    return lines.join(QLatin1Char('\n'));
}

} // namespace exec
