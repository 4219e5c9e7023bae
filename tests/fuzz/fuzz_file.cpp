// Fuzzing the algorithm file reader and the CP1251 codec.
//
// Input: the bytes of an algorithm file, taken as they are; the same bytes
// read as UTF-16 give the listing lines for the writing direction.
#include "fuzz_input.h"

#include "editor/algfile.h"
#include "editor/editops.h"
#include "editor/listing.h"
#include "editor/statistics.h"

#include <cstring>

namespace {

using namespace editor;

bool HasBreakOrNul(const QString &line)
{
    return line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))
        || line.contains(QChar(0));
}

// Every byte is a character and back again; a storable character survives a
// save and a load.
void CheckCodec(const QByteArray &bytes)
{
    const QString text = DecodeCp1251(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(EncodeCp1251(text) == bytes);
    for (int i = 0; i < text.size(); ++i)
        FUZZ_CHECK(Cp1251Code(text.at(i)) == static_cast<unsigned char>(bytes.at(i)));
}

void CheckCharacter(QChar c)
{
    const int code = Cp1251Code(c);
    FUZZ_CHECK(code >= -1 && code <= 255);
    if (code >= 0)
        FUZZ_CHECK(DecodeCp1251(QByteArray(1, char(code))) == QString(c));
    if (IsStorableChar(c)) {
        FUZZ_CHECK(code >= 0);
        FUZZ_CHECK(!HasBreakOrNul(QString(c)));
    }
}

// The reading rule said another way: the text up to the first NUL, every
// CR LF and every lone CR made an LF, split at the LFs; a break at the very
// end adds no line.
QStringList SplitLikeReading(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    if (bytes.isEmpty())
        return {};
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    QStringList lines;
    for (const QByteArray &piece : bytes.split('\n'))
        lines.append(DecodeCp1251(piece));
    return lines;
}

void CheckReading(const QByteArray &bytes)
{
    const QStringList lines = ParseAlgorithm(bytes);
    FUZZ_CHECK(lines == SplitLikeReading(bytes));
    qsizetype total = 0;
    for (const QString &line : lines) {
        FUZZ_CHECK(!HasBreakOrNul(line));
        total += line.size();
    }
    FUZZ_CHECK(total <= bytes.size());

    // What was read writes back and reads again unchanged.
    const QByteArray written = FormatAlgorithm(lines);
    FUZZ_CHECK(ParseAlgorithm(written) == lines);
    // A file of CR LF lines, the last one included, writes back byte for byte.
    const bool crlfOnly = !bytes.contains('\0')
        && bytes.count('\r') == bytes.count("\r\n") && bytes.count('\n') == bytes.count("\r\n")
        && (bytes.isEmpty() || bytes.endsWith("\r\n"));
    if (crlfOnly)
        FUZZ_CHECK(written == bytes);
}

// The read-only routines on a loaded listing, which may hold anything.
void CheckLoadedListing(const QStringList &lines)
{
    const Statistics s = CountStatistics(lines);
    FUZZ_CHECK(s.commands + s.procedures + s.calls + s.branches + s.loops <= s.lines);
    FUZZ_CHECK(s.lines <= lines.size());
    (void)ProcedureNames(lines);
    const int n = qMin(int(lines.size()), 64);
    for (int i = -1; i <= n; ++i) {
        for (const int end : {FindBranchEnd(lines, i), FindLoopEnd(lines, i),
                              FindProcedureEnd(lines, i)})
            FUZZ_CHECK(end == -1 || (end > i && end < lines.size()));
    }
}

// Lines of any characters (the bytes as UTF-16, cut at line breaks) write and
// read back as CP1251 keeps them: the same number of lines, each what the
// codec makes of it, and unchanged when CP1251 holds every character.
void CheckWriting(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.constData(), size_t(text.size()) * sizeof(QChar));
    for (const QChar c : text)
        CheckCharacter(c);
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c.isNull()) {
            lines.append(line);
            line.clear();
        } else {
            line.append(c);
        }
    }
    lines.append(line);

    const QStringList back = ParseAlgorithm(FormatAlgorithm(lines));
    FUZZ_CHECK(back.size() == lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray encoded = EncodeCp1251(lines.at(i));
        FUZZ_CHECK(encoded.size() <= lines.at(i).size());
        FUZZ_CHECK(back.at(i) == DecodeCp1251(encoded));
        bool storable = true;
        for (const QChar c : lines.at(i))
            storable = storable && Cp1251Code(c) >= 0;
        if (storable)
            FUZZ_CHECK(back.at(i) == lines.at(i));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     int(size));
    CheckCodec(bytes);
    CheckReading(bytes);
    CheckLoadedListing(ParseAlgorithm(bytes));
    CheckWriting(bytes);
    return 0;
}
