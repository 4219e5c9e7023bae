#include "editor/algfile.h"

#include <QFile>
#include <QSaveFile>

namespace editor {

namespace {

// Characters of the bytes 80..FF. The byte 98 is unassigned in the code page;
// it stands for U+0098 so that any file reads and writes back unchanged.
const char16_t kHighHalf[128] = {
    // 80..8F
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    // 90..9F
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    // A0..AF
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    // B0..BF
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    // C0..FF: А..я in alphabetical order
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

QString CannotCreate(const QString &path)
{
    return QStringLiteral("Cannot create file %1").arg(path);
}

QString CannotOpen(const QString &path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

void SetError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QString DecodeCp1251(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = b < 0x80 ? QChar(b) : QChar(kHighHalf[b - 0x80]);
    }
    return text;
}

int Cp1251Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    if (u >= 0x0410 && u <= 0x044F)
        return 0xC0 + (u - 0x0410);
    for (int i = 0; i < 0x40; ++i) {
        if (kHighHalf[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QByteArray EncodeCp1251(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const int code = Cp1251Code(c);
        if (code >= 0) {
            bytes.append(static_cast<char>(code));
            continue;
        }
        // One '?' for a character beyond the basic plane, not one per half.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append('?');
    }
    return bytes;
}

bool IsStorableChar(QChar c)
{
    const int code = Cp1251Code(c);
    // Control characters are refused: NUL would end the text on reading, CR
    // and LF would break the line, and the others are invisible in the
    // listing. Byte 98 is not a character of the code page at all.
    if (code < 0x20 || code == 0x7F || code == 0x98)
        return false;
    return true;
}

QByteArray FormatAlgorithm(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += EncodeCp1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    // A break at the very end adds no empty line.
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ParseAlgorithm(const QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QString text = DecodeCp1251(nul < 0 ? bytes : bytes.left(nul));

    return SplitLines(text);
}

bool SaveAlgorithmFile(const QString &path, const QStringList &lines, QString *error)
{
    // The text goes to a temporary file beside the target, which replaces the
    // old file only when everything is written: a failed save leaves it intact.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, CannotCreate(path));
        return false;
    }
    const QByteArray bytes = FormatAlgorithm(lines);
    // An unfinished temporary file is removed when `file` goes.
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        SetError(error, CannotCreate(path));
        return false;
    }
    return true;
}

bool LoadAlgorithmFile(const QString &path, QStringList *lines, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, CannotOpen(path));
        return false;
    }
    const QString tooLarge =
        QStringLiteral("Файл %1 слишком велик для алгоритма (больше 1 МБ)").arg(path);
    if (file.size() > kMaxAlgorithmFileSize) {
        SetError(error, tooLarge);
        return false;
    }
    // Read one byte more than allowed: a device may not know its size.
    const QByteArray bytes = file.read(kMaxAlgorithmFileSize + 1);
    if (bytes.size() > kMaxAlgorithmFileSize) {
        SetError(error, tooLarge);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        SetError(error, CannotOpen(path));
        return false;
    }
    if (lines)
        *lines = ParseAlgorithm(bytes);
    return true;
}

} // namespace editor
