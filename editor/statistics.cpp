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
        // The classifier reads the line in place: no string is made per line.
        switch (KindOfLine(line)) {
        case LineKind::Step:
        case LineKind::Jump:
        case LineKind::Turn:
            ++s.commands;
            break;
        case LineKind::BranchHeader:
            ++s.branches;
            break;
        case LineKind::LoopHeader:
            ++s.loops;
            break;
        case LineKind::ProcHeader:
            ++s.procedures;
            break;
        case LineKind::Call:
            ++s.calls;
            break;
        case LineKind::Blank:
        case LineKind::Comment:
            continue;  // not a program line
        default:
            break;
        }
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

QString FitRow(QString row, const std::function<bool(const QString &)> &fits)
{
    const QString dots = QStringLiteral("..");
    for (int at = row.lastIndexOf(dots); at >= 0 && !fits(row); at = row.lastIndexOf(dots))
        row.remove(at, 1);
    return row;
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
