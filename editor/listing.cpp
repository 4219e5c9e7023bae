#include "editor/listing.h"

namespace editor {

bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

int Indentation(const QString &line)
{
    int n = 0;
    while (n < line.size() && IsBlank(line.at(n)))
        ++n;
    return n;
}

QString KeyText(const QString &line)
{
    return line.mid(Indentation(line));
}

bool HasPrefix(const QString &key, const QString &word)
{
    if (key.size() < word.size())
        return false;
    return QStringView(key).left(word.size()) == word;
}

LineKind KindOfLine(const QString &line)
{
    const QString t = KeyText(line);
    if (t.isEmpty())
        return LineKind::Blank;
    // Whole-text tests first: they are the most specific.
    if (t == kStep) return LineKind::Step;
    if (t == kJump) return LineKind::Jump;
    if (t == kTurn) return LineKind::Turn;
    if (t == kProcEnd) return LineKind::ProcEnd;
    if (t == kThen) return LineKind::Then;
    if (t == kElse) return LineKind::Else;
    if (t == kBranchEnd) return LineKind::BranchEnd;
    if (t == kLoopBegin) return LineKind::LoopBegin;
    if (t == kLoopEnd) return LineKind::LoopEnd;
    if (t == kStart) return LineKind::Start;
    if (t == kEnd) return LineKind::End;
    // Then the prefix tests.
    if (HasPrefix(t, kCallWord)) return LineKind::Call;
    if (HasPrefix(t, kProcWord)) return LineKind::ProcHeader;
    if (HasPrefix(t, kIfWord)) return LineKind::BranchHeader;
    if (HasPrefix(t, kWhileWord)) return LineKind::LoopHeader;
    if (HasPrefix(t, kCommentWord)) return LineKind::Comment;
    if (HasPrefix(t, kTitleWord)) return LineKind::Title;
    if (HasPrefix(t, kGivenWord)) return LineKind::Given;
    if (HasPrefix(t, kGoalWord)) return LineKind::Goal;
    return LineKind::Foreign;
}

QString CalledName(const QString &line)
{
    // "ДЕЛАЙ" is five characters; the sixth (the separator) is skipped unseen.
    return KeyText(line).mid(6);
}

QString ProcedureName(const QString &line)
{
    // "ПРОЦЕДУРА" is nine characters; the tenth is the separator.
    return KeyText(line).mid(10);
}

QString NewLinePrefix(const QString &currentLine)
{
    const int l = Indentation(currentLine);
    const QString t = KeyText(currentLine);
    int extra = 0;
    if (t == kBranchEnd)
        extra = 7;
    else if (t == kLoopEnd || t == kElse || t == kEnd || t == kProcEnd)
        extra = 4;
    return QString(l + extra, QLatin1Char(' '));
}

QStringList FrameLines()
{
    return {
        kTitle,
        QStringLiteral("    Дано: Исполнитель в т.А"),
        QStringLiteral("    Надо: Воспроизвести образец"),
        kStart,
        kEnd,
    };
}

namespace {

// Counts opening and closing lines from the line after `header`, starting at
// depth 1; returns the line where the depth reaches 0, or -1.
int FindClosing(const QStringList &lines, int header, const QString &openPrefix,
                const QString &closeText)
{
    if (header < 0 || header >= lines.size())
        return -1;
    int depth = 1;
    for (int i = header + 1; i < lines.size(); ++i) {
        const QString t = KeyText(lines.at(i));
        if (HasPrefix(t, openPrefix))
            ++depth;
        else if (t == closeText && --depth == 0)
            return i;
    }
    return -1;
}

} // namespace

int FindBranchEnd(const QStringList &lines, int header)
{
    return FindClosing(lines, header, kIfWord, kBranchEnd);
}

int FindLoopEnd(const QStringList &lines, int header)
{
    return FindClosing(lines, header, kWhileWord, kLoopEnd);
}

int FindProcedureEnd(const QStringList &lines, int header)
{
    if (header < 0 || header >= lines.size())
        return -1;
    for (int i = header + 1; i < lines.size(); ++i) {
        if (KeyText(lines.at(i)) == kProcEnd)
            return i;
    }
    return -1;
}

int FindElse(const QStringList &lines, int header)
{
    if (header < 0 || header >= lines.size())
        return -1;
    int depth = 1;
    // The ТО line stands right after the header; ИНАЧЕ can only follow it.
    for (int i = header + 2; i < lines.size(); ++i) {
        const QString t = KeyText(lines.at(i));
        if (HasPrefix(t, kIfWord))
            ++depth;
        else if (t == kBranchEnd) {
            if (--depth == 0)
                return -1;
        } else if (depth == 1 && t == kElse)
            return i;
    }
    return -1;
}

} // namespace editor
