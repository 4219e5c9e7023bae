#pragma once
// The executor's moves, the wall test and the wall error. They draw into the
// field picture and reach the window only through the hooks of MoveContext.

#include "field/geometry.h"
#include "field/glyph.h"

#include <QImage>
#include <QString>
#include <functional>

namespace exec {

struct MoveContext {
    QImage *picture = nullptr;      // the field picture
    QImage *under = nullptr;        // the save-under picture
    field::Geometry geometry;
    field::Executor *executor = nullptr;
    QRect *dirty = nullptr;         // gathers what is drawn into the picture until it is shown
    int turnFramePause = 100;
    int wallBlinkPause = 100;
    std::function<void()> showField;          // ShowField
    std::function<void(int)> pause;           // Pause(ms)
    std::function<void()> requestStop;        // sets StopRequested
    std::function<void(const QString &)> wallMessage;  // the error box, then a repaint
};

// The seven lines of the wall error message, joined by line breaks.
QString WallErrorText();

bool WallAhead(const field::Executor &e, qint16 n);
// The executor's state alone, nothing drawn: a cell forward (false for a
// direction with no cell ahead), and a quarter turn counter-clockwise.
bool Advance(field::Executor &e);
void Turn(field::Executor &e);
void MakeStep(MoveContext &c);
void MakeJump(MoveContext &c);
void MakeTurn(MoveContext &c);
void WallError(MoveContext &c);

} // namespace exec
