#include "editor/statistics.h"

#include "editor/listing.h"

namespace editor {

namespace {

QString Spaces(int n) { return QString(n, QLatin1Char(' ')); }
QString Dots(int n) { return QString(n, QLatin1Char('.')); }

} // namespace

Statistics CountStatistics(const QStringList &lines)
{
    Statistics s;
    for (const QString &line : lines) {
        // The key text as a view: no string is made per line.
        const QStringView t = QStringView(line).mid(Indentation(line));
        if (t == kTurn || t == kStep || t == kJump)
            ++s.commands;
        if (t.startsWith(kIfWord))
            ++s.branches;
        if (t.startsWith(kWhileWord))
            ++s.loops;
        if (t.startsWith(kProcWord))
            ++s.procedures;
        if (t.startsWith(kCallWord))
            ++s.calls;
        if (!t.isEmpty() && !t.startsWith(kCommentWord))
            ++s.lines;
    }
    return s;
}

QStringList RecountRows(const Statistics &s)
{
    return {
        QStringLiteral(" Всего в алгоритме:"),
        Spaces(19),
        QStringLiteral("команд") + Spaces(5) + Dots(14) + QString::number(s.commands),
        QStringLiteral("процедур") + Spaces(3) + Dots(14) + QString::number(s.procedures),
        QStringLiteral("вызовов процедур ") + QString::number(s.calls),
        QStringLiteral("ветвлений") + Spaces(2) + Dots(13) + QString::number(s.branches),
        QStringLiteral("циклов") + Spaces(6) + Dots(14) + QString::number(s.loops),
        Spaces(19),
        QStringLiteral("Итого:") + Spaces(2) + QStringLiteral("строк") + Spaces(3) + Dots(6)
            + QString::number(s.lines),
    };
}

QStringList StartingRows()
{
    return {
        QStringLiteral(" Всего в алгоритме:"),
        Spaces(19),
        QStringLiteral("команд") + Spaces(6) + Dots(13) + QStringLiteral("0"),
        QStringLiteral("процедур") + Spaces(6) + Dots(11) + QStringLiteral("0"),
        QStringLiteral("вызовов процедур 0"),
        QStringLiteral("ветвлений") + Spaces(4) + Dots(11) + QStringLiteral("0"),
        QStringLiteral("циклов") + Spaces(8) + Dots(12) + QStringLiteral("0"),
        Spaces(19),
        QStringLiteral("Итого:") + Spaces(2) + QStringLiteral("строк") + Spaces(3) + Dots(5)
            + QStringLiteral("5"),
    };
}

} // namespace editor
