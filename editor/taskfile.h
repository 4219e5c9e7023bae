#pragma once
// Task files: a teacher's task as UTF-8 text a person can read and edit.
//
//     ПУТЕВОДКА ЗАДАНИЕ 1
//     Название: Квадрат
//     Размер поля: 12
//     Точка А: 2 2 вправо
//     Точка Б: 2 2
//     Условие:
//     | Нарисуй квадрат со стороной в три клетки
//     | и вернись в точку А.
//     Образец:
//     | АЛГОРИТМ ПУТЬ_0
//     | ...
//
// The first line names the format and its version. Then come fields, one a
// line, "Name: value"; the statement and the reference algorithm are blocks
// whose lines each start with "|" (one space after it is dropped). Lines
// starting with "#" and blank lines between fields are ignored. "Точка Б" may
// be left out; every other field is required, and each may appear once.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace editor {

// The version this program writes and the only one it reads.
constexpr int kTaskFormatVersion = 1;
// Task files larger than this are refused when loading.
constexpr qint64 kMaxTaskFileSize = 1024 * 1024;
// The file name extension (without the dot) and the MIME type.
inline const QString kTaskExtension = QStringLiteral("pvtask");
inline const QString kTaskMimeType = QStringLiteral("application/x-putevodka-task");

struct TaskFile {
    QString title;      // one line
    QString statement;  // lines joined by '\n'
    int fieldSize = 12; // 12 .. 15
    int ax = 0, ay = 0, aDirection = 0;  // point А; direction 0, 90, 180 or 270
    bool hasB = false;
    int bx = 0, by = 0;                  // point Б when hasB
    QStringList reference;               // the reference algorithm's listing

    bool operator==(const TaskFile &o) const
    {
        return title == o.title && statement == o.statement && fieldSize == o.fieldSize
            && ax == o.ax && ay == o.ay && aDirection == o.aDirection && hasB == o.hasB
            && (!hasB || (bx == o.bx && by == o.by)) && reference == o.reference;
    }
    bool operator!=(const TaskFile &o) const { return !(*this == o); }
};

// The Russian direction words of the points panel, in the order 0, 90, 180, 270.
QString DirectionName(int degrees);

// Reads a task file's bytes. On failure returns false and sets *error to one
// Russian sentence saying what is wrong (with the line number where there is
// one); *task is then unchanged. A task that is read holds a title, a field
// size of 12 to 15, point А (and Б when given) inside the field and a
// reference algorithm of at least one line; whether that algorithm runs is
// not checked here.
bool ParseTask(const QByteArray &bytes, TaskFile *task, QString *error);

// Writes a task in the current version, lines ending in LF, no byte-order
// mark. Line breaks inside the title or a reference line become spaces; what
// ParseTask accepts writes back and reads again unchanged.
QByteArray FormatTask(const TaskFile &task);

} // namespace editor
