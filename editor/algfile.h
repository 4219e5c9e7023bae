#pragma once
// Algorithm files: the listing as CP1251 text, one line per text line.
// CP1251 exists only here, at the file boundary.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace editor {

// Files larger than this are refused when loading.
constexpr qint64 kMaxAlgorithmFileSize = 1024 * 1024;

// Every byte maps to one character and back (the unassigned byte 98 hex maps
// to U+0098), so a file loads and saves back byte for byte.
QString DecodeCp1251(const QByteArray &bytes);
// Characters CP1251 cannot hold become '?'.
QByteArray EncodeCp1251(const QString &text);
// The character's CP1251 code, or -1 when CP1251 cannot hold it.
int Cp1251Code(QChar c);
// Characters a procedure name or comment may hold: CP1251 ones, no line breaks.
bool IsStorableChar(QChar c);

// Each line followed by CR LF, the last one included; no byte-order mark.
QByteArray FormatAlgorithm(const QStringList &lines);
// Lines end at CR LF, lone CR or lone LF; a final break adds no empty line;
// a NUL byte ends the text.
QStringList ParseAlgorithm(const QByteArray &bytes);
// Lines broken at CR LF, CR or LF; a break at the very end adds no empty line.
QStringList SplitLines(const QString &text);

// File boundary. On failure return false and set *error to the text of the
// error report (without its closing full stop); nothing else changes.
bool SaveAlgorithmFile(const QString &path, const QStringList &lines, QString *error);
bool LoadAlgorithmFile(const QString &path, QStringList *lines, QString *error);

} // namespace editor
