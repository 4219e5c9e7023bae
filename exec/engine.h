#pragma once
// The walk over the listing. It knows nothing of windows: it reads lines and
// acts only through the hooks, so a run can be recorded line by line.

#include <QString>
#include <functional>

namespace exec {

struct EngineHooks {
    std::function<int()> lineCount;
    std::function<QString(int)> line;
    std::function<void(int)> selectLine;  // highlight a line, no pause
    std::function<void(int)> pause;       // blocking wait in milliseconds
    std::function<bool()> checkPoint;     // process pending events; true when a stop is requested
    std::function<void()> step;           // ШАГ
    std::function<void()> jump;           // ПРЫЖОК
    std::function<void()> turn;           // ПОВОРОТ
    std::function<bool()> wallAhead;      // впереди стена
    std::function<void(const QString &)> fail;  // a run-ending error (too deep nesting)
    int linePause = 500;
};

// Deepest nesting of constructs and procedure calls a run allows.
extern const int kMaxNesting;

struct WalkResult {
    bool stopped = false;  // ended by a stop request or an error
    int endIndex = 0;      // where the walk ended (the КОН line, or the line count)
};

// Step 6 of a run: walk from line 0 to the first line that is exactly "КОН".
WalkResult Walk(const EngineHooks &hooks);

} // namespace exec
