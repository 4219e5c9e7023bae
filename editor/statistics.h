#pragma once
// The statistics panel's counts and row texts.

#include <QStringList>

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

} // namespace editor
