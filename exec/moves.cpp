#include "exec/moves.h"

#include <QStringList>

namespace exec {

namespace {

void Show(MoveContext &c)
{
    if (c.showField)
        c.showField();
}

void Wait(MoveContext &c, int ms)
{
    if (c.pause)
        c.pause(ms);
}

// Notes a rectangle of the picture that drawing changed.
void Touched(MoveContext &c, const QRect &area)
{
    if (c.dirty)
        *c.dirty |= area;
}

void Restore(MoveContext &c)
{
    Touched(c, field::RestoreUnderGlyph(*c.picture, *c.under, c.geometry, c.executor->x, c.executor->y));
}

// ШАГ and ПРЫЖОК: the same move, with or without the trace.
void Move(MoveContext &c, bool trace)
{
    field::Executor &e = *c.executor;
    const field::Geometry &g = c.geometry;

    Restore(c);
    Show(c);
    const QPoint from(e.x, e.y);

    if (WallAhead(e, g.n)) {
        WallError(c);
        return;
    }
    const bool moved = Advance(e);

    if (trace && moved)
        Touched(c, field::DrawTrace(*c.picture, g, from, QPoint(e.x, e.y)));

    field::SaveUnderGlyph(*c.picture, *c.under, g, e.x, e.y);
    Touched(c, field::DrawGlyph(*c.picture, g, e.x, e.y, e.dir));
    Show(c);
}

} // namespace

QString WallErrorText()
{
    return QStringList{QStringLiteral("НЕ МОГУ - СТЕНА !!!"),
                       QString(),
                       QString(),
                       QStringLiteral("Исполнитель не может преодолеть стену"),
                       QStringLiteral("ни ШАГОМ ни ПРЫЖКОМ!!"),
                       QStringLiteral("ПОВОРОТ - это поворот на 90 градусов"),
                       QStringLiteral("против часовой стрелки!")}
        .join(QLatin1Char('\n'));
}

bool WallAhead(const field::Executor &e, qint16 n)
{
    switch (e.dir) {
    case 0: return e.x + 1 > n - 1;
    case 90: return e.y - 1 < 0;
    case 180: return e.x - 1 < 0;
    case 270: return e.y + 1 > n - 1;
    default: return false;
    }
}

bool Advance(field::Executor &e)
{
    switch (e.dir) {
    case 0: e.x = qint16(e.x + 1); return true;
    case 90: e.y = qint16(e.y - 1); return true;
    case 180: e.x = qint16(e.x - 1); return true;
    case 270: e.y = qint16(e.y + 1); return true;
    default: return false;
    }
}

void Turn(field::Executor &e)
{
    e.dir = qint16(e.dir + 90);
    if (e.dir == 360)
        e.dir = 0;
}

void MakeStep(MoveContext &c)
{
    Move(c, true);
}

void MakeJump(MoveContext &c)
{
    Move(c, false);
}

void MakeTurn(MoveContext &c)
{
    field::Executor &e = *c.executor;
    const field::Geometry &g = c.geometry;
    const qint16 d = e.dir;

    for (int frame = 0; frame < 3; ++frame) {
        Restore(c);
        // A turn from 270 ends on 360, which is drawn as 0.
        Touched(c, field::DrawGlyph(*c.picture, g, e.x, e.y, qint16(d + 45 * frame)));
        Show(c);
        if (frame < 2)
            Wait(c, c.turnFramePause);
    }

    Turn(e);
}

void WallError(MoveContext &c)
{
    if (c.requestStop)
        c.requestStop();

    const field::Executor &e = *c.executor;
    for (int blink = 0; blink < 20; ++blink) {
        Restore(c);
        Touched(c, field::DrawGlyph(*c.picture, c.geometry, e.x, e.y, e.dir));
        Show(c);
        Wait(c, c.wallBlinkPause);

        Restore(c);
        Touched(c, field::DrawBlockedGlyph(*c.picture, c.geometry, e.x, e.y, e.dir));
        Show(c);
        Wait(c, c.wallBlinkPause);
    }

    if (c.wallMessage)
        c.wallMessage(WallErrorText());
}

} // namespace exec
