#pragma once
// The algorithm listing: the texts of its lines and how a line is recognised.
// Every reader of the listing (insertion, deletion, statistics, files, the
// engine) goes through these routines. Nothing here changes the listing.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace editor {

// Key texts the editor writes and the readers compare against.
inline const QString kTitle = QStringLiteral("АЛГОРИТМ ПУТЬ_0");
inline const QString kTitleWord = QStringLiteral("АЛГОРИТМ");
inline const QString kGivenWord = QStringLiteral("Дано");
inline const QString kGoalWord = QStringLiteral("Надо");
inline const QString kStart = QStringLiteral("НАЧ");
inline const QString kEnd = QStringLiteral("КОН");
inline const QString kStep = QStringLiteral("ШАГ");
inline const QString kJump = QStringLiteral("ПРЫЖОК");
inline const QString kTurn = QStringLiteral("ПОВОРОТ");
inline const QString kCallWord = QStringLiteral("ДЕЛАЙ");
inline const QString kProcWord = QStringLiteral("ПРОЦЕДУРА");
inline const QString kProcEnd = QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ");
inline const QString kIfWord = QStringLiteral("ЕСЛИ");
inline const QString kIfWall = QStringLiteral("ЕСЛИ впереди стена");
inline const QString kIfNotWall = QStringLiteral("ЕСЛИ впереди НЕ стена");
inline const QString kThen = QStringLiteral("ТО");
inline const QString kElse = QStringLiteral("ИНАЧЕ");
inline const QString kBranchEnd = QStringLiteral("ВСЁ");
inline const QString kWhileWord = QStringLiteral("ПОКА");
inline const QString kWhileWall = QStringLiteral("ПОКА впереди стена");
inline const QString kWhileNotWall = QStringLiteral("ПОКА впереди НЕ стена");
inline const QString kLoopBegin = QStringLiteral("НЦ");
inline const QString kLoopEnd = QStringLiteral("КЦ");
inline const QString kCommentWord = QStringLiteral("//");

enum class LineKind {
    Title, Given, Goal, Start, End,
    Step, Jump, Turn, Call,
    ProcHeader, ProcEnd,
    BranchHeader, Then, Else, BranchEnd,
    LoopHeader, LoopBegin, LoopEnd,
    Comment, Blank,
    Foreign   // a line of a loaded file that passes no test
};

// A blank is any character of code 0 to 32.
bool IsBlank(QChar c);
// Number of blanks in front of the first non-blank character.
int Indentation(QStringView line);
// The line without its leading blanks; trailing spaces stay. The view points
// into line and lives as long as line does.
QStringView KeyView(QStringView line);
QString KeyText(const QString &line);
// Prefix test: the first word.size() characters of key equal word
// (a shorter key fails).
bool HasPrefix(QStringView key, QStringView word);

// The one test of what a line is; every reader switches on it. It makes no
// string, so a pass over the whole listing allocates nothing.
LineKind KindOfLine(QStringView line);

// The name a call line carries: its key text from the 7th character on
// (the 6th, the separator, is not examined).
QString CalledName(const QString &line);
// The name a procedure header carries: its key text from the 11th character on.
QString ProcedureName(const QString &line);

// Leading spaces for a line inserted before currentLine.
QString NewLinePrefix(const QString &currentLine);

// The five lines of a fresh algorithm frame.
QStringList FrameLines();

// Block matching. Each returns the index of the closing line, or -1 when the
// listing ends before it (a loaded file may lack it); never reads past the end.
// header: index of an ЕСЛИ line, or of an ИНАЧЕ line for the else part.
int FindBranchEnd(const QStringList &lines, int header);
// header: index of a ПОКА line.
int FindLoopEnd(const QStringList &lines, int header);
// header: index of a ПРОЦЕДУРА line.
int FindProcedureEnd(const QStringList &lines, int header);

} // namespace editor
