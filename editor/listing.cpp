#include "editor/listing.h"

namespace editor {

bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

int Indentation(QStringView line)
{
    int n = 0;
    while (n < line.size() && IsBlank(line.at(n)))
        ++n;
    return n;
}

QStringView KeyView(QStringView line)
{
    return line.mid(Indentation(line));
}

QString KeyText(const QString &line)
{
    return KeyView(line).toString();
}

bool HasPrefix(QStringView key, QStringView word)
{
    // startsWith is exactly this: a key shorter than the word fails.
    return key.startsWith(word);
}

LineKind KindOfLine(QStringView line)
{
    const QStringView t = KeyView(line);
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
    int extra = 0;
    switch (KindOfLine(currentLine)) {
    case LineKind::BranchEnd:
        extra = 7;
        break;
    case LineKind::LoopEnd:
    case LineKind::Else:
    case LineKind::End:
    case LineKind::ProcEnd:
        extra = 4;
        break;
    default:
        break;
    }
    return QString(Indentation(currentLine) + extra, QLatin1Char(' '));
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
// depth 1; returns the line where the depth reaches 0, or -1. Lines of other
// kinds, other constructs included, do not count.
int FindClosing(const QStringList &lines, int header, LineKind open, LineKind close)
{
    if (header < 0 || header >= lines.size())
        return -1;
    int depth = 1;
    for (int i = header + 1; i < lines.size(); ++i) {
        const LineKind kind = KindOfLine(lines.at(i));
        if (kind == open)
            ++depth;
        else if (kind == close && --depth == 0)
            return i;
    }
    return -1;
}

} // namespace

int FindBranchEnd(const QStringList &lines, int header)
{
    return FindClosing(lines, header, LineKind::BranchHeader, LineKind::BranchEnd);
}

int FindLoopEnd(const QStringList &lines, int header)
{
    return FindClosing(lines, header, LineKind::LoopHeader, LineKind::LoopEnd);
}

int FindProcedureEnd(const QStringList &lines, int header)
{
    if (header < 0 || header >= lines.size())
        return -1;
    // Descriptions never nest: the first end line closes it.
    for (int i = header + 1; i < lines.size(); ++i) {
        if (KindOfLine(lines.at(i)) == LineKind::ProcEnd)
            return i;
    }
    return -1;
}

} // namespace editor
