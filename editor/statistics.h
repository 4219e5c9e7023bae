#pragma once
// The statistics panel's counts and row texts.

#include <QStringList>

#include <functional>

namespace editor {

struct Statistics {
    int commands = 0;
    int procedures = 0;
    int calls = 0;
    int branches = 0;
    int loops = 0;
    int lines = 0;
};

Statistics CountStatistics(const QStringList &lines);
// The nine rows shown after a recount.
QStringList RecountRows(const Statistics &s);
// The nine fixed rows shown right after a fresh frame.
QStringList StartingRows();
// A row whose count is too long for the panel gives up dots, one at a time,
// until fits() takes it or one dot is left: the label and the whole count
// stay readable. A row that fits is returned as it is.
QString FitRow(QString row, const std::function<bool(const QString &)> &fits);

} // namespace editor
