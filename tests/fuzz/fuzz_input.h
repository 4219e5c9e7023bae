#pragma once
// What the fuzz harnesses share: reading the fuzzer's bytes as a run of
// choices, the alphabet of listing lines a byte stands for, and the check that
// stops the program when a property fails.
//
// An input is read front to back, one byte per choice; past its end every
// choice reads as 0, so any input, the empty one included, is a valid one.

#include <QString>
#include <QStringList>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A failed property ends the program at once: libFuzzer saves the input as a
// crash, and the replay test counts the input as failed.
[[noreturn]] inline void Fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(cond) \
    do { \
        if (!(cond)) \
            ::fuzz::Fail(#cond, __FILE__, __LINE__); \
    } while (false)

class Input
{
public:
    Input(const uint8_t *data, size_t size) : p(data), end(data + size) {}

    bool AtEnd() const { return p >= end; }

    uint8_t Byte() { return AtEnd() ? 0 : *p++; }

    bool Flag() { return (Byte() & 1) != 0; }

    // One of n choices (n > 0).
    int Pick(int n) { return Byte() % n; }

    // An index for a listing of `size` lines: mostly -1 .. size, so that both
    // ends and the first rows outside are met often; a few bytes stand for the
    // far values.
    int Index(int size)
    {
        const uint8_t b = Byte();
        switch (b) {
        case 255: return INT_MIN;
        case 254: return INT_MAX;
        case 253: return -2;
        case 252: return size + 1;
        default: return int(b % unsigned(size + 2)) - 1;
        }
    }

    // The bytes not read yet.
    QByteArray Rest()
    {
        const QByteArray rest(reinterpret_cast<const char *>(p), int(end - p));
        p = end;
        return rest;
    }

private:
    const uint8_t *p;
    const uint8_t *end;
};

// The key texts a listing line can carry: every text the editor writes, the
// near misses a loaded file may hold instead, and foreign lines.
inline const QStringList &LineTexts()
{
    static const QStringList texts = {
        // 0: the frame
        QStringLiteral("АЛГОРИТМ ПУТЬ_0"),
        QStringLiteral("Дано: Исполнитель в т.А"),
        QStringLiteral("Надо: Воспроизвести образец"),
        QStringLiteral("НАЧ"),
        QStringLiteral("КОН"),
        // 5: commands
        QStringLiteral("ШАГ"),
        QStringLiteral("ПРЫЖОК"),
        QStringLiteral("ПОВОРОТ"),
        // 8: the branch
        QStringLiteral("ЕСЛИ впереди стена"),
        QStringLiteral("ЕСЛИ впереди НЕ стена"),
        QStringLiteral("ТО"),
        QStringLiteral("ИНАЧЕ"),
        QStringLiteral("ВСЁ"),
        // 13: the loop
        QStringLiteral("ПОКА впереди стена"),
        QStringLiteral("ПОКА впереди НЕ стена"),
        QStringLiteral("НЦ"),
        QStringLiteral("КЦ"),
        // 17: procedures
        QStringLiteral("ДЕЛАЙ а"),
        QStringLiteral("ДЕЛАЙ б"),
        QStringLiteral("ДЕЛАЙ угол"),
        QStringLiteral("ПРОЦЕДУРА а"),
        QStringLiteral("ПРОЦЕДУРА б"),
        QStringLiteral("ПРОЦЕДУРА угол"),
        QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ"),
        // 24: comments and a blank
        QStringLiteral("//"),
        QStringLiteral("// ЕСЛИ впереди стена"),
        QString(),
        // 27: near misses a loaded file may hold
        QStringLiteral("ДЕЛАЙ"),
        QStringLiteral("ПРОЦЕДУРА"),
        QStringLiteral("ЕСЛИ"),
        QStringLiteral("ПОКА"),
        QStringLiteral("ВСЕ"),
        QStringLiteral("кц"),
        QStringLiteral("КЦ "),
        QStringLiteral("ДЕЛАЙ-угол"),
        QStringLiteral("ПРОЦЕДУРА уголок"),
        QStringLiteral("ДЕЛАЙ уголок"),
        QStringLiteral("ЕСЛИ впереди стена "),
        QStringLiteral("ПОКА впереди НЕ стена "),
        QStringLiteral("АЛГОРИТМ"),
        QStringLiteral("КОНЕЦ"),
        QStringLiteral("ШАГ ШАГ"),
        QStringLiteral("x"),
    };
    return texts;
}

// A line from one byte: the low six bits choose the text (wrapping round the
// alphabet), the high two its leading blanks.
inline QString LineFromByte(uint8_t b)
{
    const QStringList &texts = LineTexts();
    const QString &text = texts.at((b & 63) % texts.size());
    switch (b >> 6) {
    case 1: return QStringLiteral("    ") + text;
    case 2: return QStringLiteral("\t") + text;
    case 3: return QStringLiteral("   ") + QChar(0x1F) + QStringLiteral("\t ") + text;
    default: return text;
    }
}

// A listing of up to maxLines lines: a count byte, then a byte per line.
inline QStringList ReadListing(Input &in, int maxLines)
{
    const int n = in.Pick(maxLines + 1);
    QStringList lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i)
        lines.append(LineFromByte(in.Byte()));
    return lines;
}

// Procedure names: plain ones, names sharing a beginning, inner and trailing
// spaces, and the empty name of a bare header.
inline QString NameFromByte(uint8_t b)
{
    static const QStringList names = {
        QStringLiteral("а"), QStringLiteral("б"), QStringLiteral("угол"),
        QStringLiteral("уголок"), QStringLiteral("а б"), QStringLiteral("угол "),
        QString(), QStringLiteral(" "),
    };
    return names.at(b % names.size());
}

} // namespace fuzz
