#pragma once
// A task ready for the pupil: the file's contents and the sample drawing its
// reference algorithm leaves.

#include "editor/taskfile.h"
#include "exec/trace.h"
#include "field/glyph.h"

#include <QString>

namespace exec {

struct Task {
    editor::TaskFile file;
    Drawing sample;     // what the reference algorithm draws
    QPoint sampleEnd;   // where it leaves the executor
};

// Runs the task's reference algorithm. When it ends on its own (no wall, no
// endless loop, no too deep nesting), stops on point Б where the task sets
// it, and leaves something to check (a drawing or point Б), sets *task and
// returns true; otherwise sets *error to the
// Russian reason and returns false.
bool PrepareTask(const editor::TaskFile &file, Task *task, QString *error);

// The task's points А (with the executor's direction) and Б, as the field
// marks them.
field::Points TaskPoints(const editor::TaskFile &file);

// Reads, parses and prepares a task file. On failure *error is one Russian
// message that names the file and says what is wrong; *task is unchanged.
bool LoadTask(const QString &path, Task *task, QString *error);

// The message for a task file that cannot be opened, naming the file.
QString TaskFileError(const QString &path, const QString &reason);

// Writes a task file (through a temporary file, as algorithms are saved).
bool SaveTask(const QString &path, const editor::TaskFile &file, QString *error);

} // namespace exec
