// Fuzzing the task file reader and writer, the reference run without a
// window and the check.
//
// Input: the bytes of a task file, taken as they are; the same bytes read as
// choices (fuzz_input.h) make a task to write and read back.
#include "fuzz_input.h"

#include "editor/taskfile.h"
#include "exec/task.h"
#include "exec/trace.h"

namespace {

using editor::TaskFile;

// A run without a window stays on the field and reports one of its outcomes;
// a pupil who drew the sample and stopped where it did reproduces it.
void CheckRun(const TaskFile &t)
{
    // A smaller budget than the real one keeps an input fast.
    const exec::TraceResult r =
        exec::TraceAlgorithm(t.reference, t.fieldSize, QPoint(t.ax, t.ay), t.aDirection, 20000);
    const QRect cells(0, 0, t.fieldSize, t.fieldSize);
    FUZZ_CHECK(cells.contains(r.lastCell));
    FUZZ_CHECK(r.outcome >= exec::TraceResult::Ended && r.outcome <= exec::TraceResult::TooDeep);
    for (const field::Segment &s : r.drawing) {
        FUZZ_CHECK(cells.contains(s.a) && cells.contains(s.b));
        FUZZ_CHECK((s.b - s.a == QPoint(1, 0)) || (s.b - s.a == QPoint(0, 1)));
    }
    TaskFile ending = t;
    ending.bx = r.lastCell.x();
    ending.by = r.lastCell.y();
    const exec::Verdict same = exec::CheckDrawing(r.drawing, r.drawing, ending, r.lastCell);
    FUZZ_CHECK(same.Reproduced());
    FUZZ_CHECK(exec::VerdictText(same) == QStringLiteral("Образец воспроизведён!"));
    const exec::Verdict none = exec::CheckDrawing(r.drawing, field::Drawing(), t, r.lastCell);
    FUZZ_CHECK(none.missing == r.drawing && none.extra.empty());
    FUZZ_CHECK(none.Reproduced() == (r.drawing.empty() && none.endOk));
}

// Any bytes: read or refused with a reason, never half-read; what is read
// writes back and reads again unchanged.
void CheckReading(const QByteArray &bytes)
{
    TaskFile task;
    task.title = QStringLiteral("?");
    QString error;
    if (!editor::ParseTask(bytes, &task, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(task.title == QStringLiteral("?"));
        return;
    }
    FUZZ_CHECK(error.isEmpty());
    FUZZ_CHECK(task.fieldSize >= 12 && task.fieldSize <= 15);
    FUZZ_CHECK(!task.title.trimmed().isEmpty() && !task.reference.isEmpty());
    const QByteArray written = editor::FormatTask(task);
    TaskFile back;
    FUZZ_CHECK(editor::ParseTask(written, &back, &error));
    FUZZ_CHECK(back == task);
    FUZZ_CHECK(editor::FormatTask(back) == written);
    CheckRun(task);
}

// A task made of choices, as the task window might make it: it writes and
// reads back as it was, save for what a line of the file cannot hold.
void CheckWriting(fuzz::Input &in)
{
    static const QStringList titles = {QStringLiteral("Квадрат"), QStringLiteral("  Рамка "),
                                       QStringLiteral("Две\nстроки"), QStringLiteral("|#:")};
    TaskFile t;
    t.title = titles.at(in.Pick(titles.size()));
    t.fieldSize = 12 + in.Pick(4);
    t.ax = in.Pick(t.fieldSize);
    t.ay = in.Pick(t.fieldSize);
    t.aDirection = 90 * in.Pick(4);
    t.hasB = in.Flag();
    t.bx = in.Pick(t.fieldSize);
    t.by = in.Pick(t.fieldSize);
    t.statement = fuzz::ReadListing(in, 8).join(QLatin1Char('\n'));
    t.reference = fuzz::ReadListing(in, 40);

    TaskFile back;
    QString error;
    const bool read = editor::ParseTask(editor::FormatTask(t), &back, &error);
    const bool complete = !t.statement.trimmed().isEmpty() && !t.reference.join(QString()).trimmed().isEmpty();
    FUZZ_CHECK(read == complete);
    if (!read)
        return;
    FUZZ_CHECK(back.title == t.title.simplified() || back.title == t.title.trimmed());
    FUZZ_CHECK(back.statement == t.statement);
    FUZZ_CHECK(back.reference == t.reference);
    FUZZ_CHECK(back.fieldSize == t.fieldSize && back.ax == t.ax && back.ay == t.ay
               && back.aDirection == t.aDirection && back.hasB == t.hasB);
    CheckRun(back);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    CheckReading(bytes);
    fuzz::Input in(data, size);
    CheckWriting(in);
    return 0;
}
