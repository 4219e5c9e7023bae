#include "exec/task.h"

#include "exec/engine.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace exec {

namespace {

bool Fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

QString TaskFileError(const QString &path, const QString &reason)
{
    return QStringLiteral("Задание из файла «%1» не открыто:\n%2.").arg(QFileInfo(path).fileName(), reason);
}

bool PrepareTask(const editor::TaskFile &file, Task *task, QString *error)
{
    const TraceResult r = TraceAlgorithm(file.reference, file.fieldSize, QPoint(file.ax, file.ay),
                                         file.aDirection);
    switch (r.outcome) {
    case TraceResult::Ended:
        break;
    case TraceResult::Wall:
        return Fail(error, QStringLiteral("алгоритм-образец упирается в стену в клетке (%1, %2)")
                               .arg(r.lastCell.x())
                               .arg(r.lastCell.y()));
    case TraceResult::Endless:
        return Fail(error, QStringLiteral("алгоритм-образец не заканчивается: выполнено %1 строк, "
                                          "а он всё ещё работает (бесконечный цикл?)")
                               .arg(QLocale(QLocale::Russian).toString(kTraceLineBudget)));
    case TraceResult::TooDeep:
        return Fail(error, QStringLiteral("в алгоритме-образце слишком глубокая вложенность конструкций и "
                                          "вызовов процедур (больше %1)")
                               .arg(kMaxNesting));
    }
    if (file.hasB && r.lastCell != QPoint(file.bx, file.by))
        return Fail(error, QStringLiteral("алгоритм-образец заканчивает путь в клетке (%1, %2), а не в точке Б "
                                          "(%3, %4): такое задание не решить")
                               .arg(r.lastCell.x())
                               .arg(r.lastCell.y())
                               .arg(file.bx)
                               .arg(file.by));
    if (r.drawing.empty() && !file.hasB)
        return Fail(error, QStringLiteral("алгоритм-образец ничего не рисует, а точка Б не задана: "
                                          "проверять нечего"));
    if (task) {
        task->file = file;
        task->sample = r.drawing;
        task->sampleEnd = r.lastCell;
    }
    return true;
}

field::Points TaskPoints(const editor::TaskFile &file)
{
    field::Points points;
    points.ax = qint16(file.ax);
    points.ay = qint16(file.ay);
    points.adir = qint16(file.aDirection);
    if (file.hasB) {
        points.bx = qint16(file.bx);
        points.by = qint16(file.by);
    }
    return points;
}

bool LoadTask(const QString &path, Task *task, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(error, TaskFileError(path, QStringLiteral("файл не удаётся прочитать")));
    const QString tooLarge = QStringLiteral("файл слишком велик для задания (больше 1 МБ)");
    if (f.size() > editor::kMaxTaskFileSize)
        return Fail(error, TaskFileError(path, tooLarge));
    // One byte more than allowed: a device may not know its size.
    const QByteArray bytes = f.read(editor::kMaxTaskFileSize + 1);
    if (f.error() != QFileDevice::NoError)
        return Fail(error, TaskFileError(path, QStringLiteral("файл не удаётся прочитать")));

    editor::TaskFile file;
    QString reason;
    if (!editor::ParseTask(bytes, &file, &reason))
        return Fail(error, TaskFileError(path, reason));
    Task prepared;
    if (!PrepareTask(file, &prepared, &reason))
        return Fail(error, TaskFileError(path, reason));
    if (task)
        *task = prepared;
    return true;
}

bool SaveTask(const QString &path, const editor::TaskFile &file, QString *error)
{
    QSaveFile f(path);
    const QString failed = QStringLiteral("Не удаётся записать файл «%1».").arg(QFileInfo(path).fileName());
    if (!f.open(QIODevice::WriteOnly))
        return Fail(error, failed);
    const QByteArray bytes = editor::FormatTask(file);
    if (f.write(bytes) != bytes.size() || !f.commit())
        return Fail(error, failed);
    return true;
}

} // namespace exec
