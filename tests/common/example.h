#pragma once
// The example algorithm the tests build, save and load: a loop with a
// branch inside, and a call of a procedure described after КОН.

#include <QString>
#include <QStringList>

inline QStringList ExampleListing()
{
    auto sp = [](int n, const char *key) { return QString(n, QLatin1Char(' ')) + QString::fromUtf8(key); };
    return {sp(0, "АЛГОРИТМ ПУТЬ_0"), sp(4, "Дано: Исполнитель в т.А"),
            sp(4, "Надо: Воспроизвести образец"), sp(0, "НАЧ"), sp(4, "ШАГ"),
            sp(4, "ПОКА впереди НЕ стена"), sp(4, "НЦ"), sp(8, "ШАГ"), sp(8, "ЕСЛИ впереди стена"),
            sp(11, "ТО"), sp(15, "ПОВОРОТ"), sp(11, "ИНАЧЕ"), sp(15, "ПРЫЖОК"), sp(8, "ВСЁ"),
            sp(4, "КЦ"), sp(4, "ДЕЛАЙ угол"), sp(0, "КОН"), sp(0, "ПРОЦЕДУРА угол"),
            sp(4, "ПОВОРОТ"), sp(0, "КОНЕЦ ПРОЦЕДУРЫ")};
}
