#pragma once
// The font families the windows and the field are drawn in, chosen here once
// for every platform. Windows has the families the windows were drawn for;
// other systems get metric-compatible stand-ins (README, "Platform stand-ins").

#include <QFont>
#include <QString>
#include <QtGlobal>

namespace field {

enum class Face { TimesNewRoman, MsSerif, Arial, MsSansSerif };

inline QString FontFamily(Face face)
{
#ifdef Q_OS_WIN
    // Where one of them is missing (Wine has none but MS Sans Serif), the
    // stand-ins of the other systems take its place.
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(substituted)
    switch (face) {
    case Face::TimesNewRoman:
        return QStringLiteral("Times New Roman");
    case Face::MsSerif:
        return QStringLiteral("MS Serif");
    case Face::Arial:
        return QStringLiteral("Arial");
    case Face::MsSansSerif:
        return QStringLiteral("MS Sans Serif");
    }
#else
    switch (face) {
    case Face::TimesNewRoman:
    case Face::MsSerif:
        return QStringLiteral("Liberation Serif");
    case Face::Arial:
    case Face::MsSansSerif:
        return QStringLiteral("Liberation Sans");
    }
#endif
    return QString();
}

}  // namespace field
