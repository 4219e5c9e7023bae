#include "Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

#ifdef PUTEVOD_CARRIED_TOOLKIT_TRANSLATION
// Where the system has no toolkit translations to load (Windows), the
// program carries qtbase_ru.qm inside itself.
static void InitCarriedTranslation()
{
    Q_INIT_RESOURCE(toolkit_ru);
}
#endif

namespace translation {

namespace {

// QLibraryInfo::path where the toolkit has it, QLibraryInfo::location in the
// older toolkit that lacks it (the newer one deprecates location).
template <typename Info>
auto TranslationsPath(int) -> decltype(Info::path(Info::TranslationsPath))
{
    return Info::path(Info::TranslationsPath);
}
template <typename Info>
QString TranslationsPath(long)
{
    return Info::location(Info::TranslationsPath);
}

} // namespace

void UseRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

QString ToolkitTranslationsDir()
{
#ifdef PUTEVOD_CARRIED_TOOLKIT_TRANSLATION
    InitCarriedTranslation();
    return QStringLiteral(":/toolkit");
#else
    return TranslationsPath<QLibraryInfo>(0);
#endif
}

bool InstallToolkitTranslation(QCoreApplication &app, const QString &dir)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ru"), dir)) {
        delete translator;
        std::fprintf(stderr, "putevod: no Russian translation of the Qt dialogs (qtbase_ru.qm) in %s; "
                             "they stay in English\n",
                     qPrintable(dir));
        return false;
    }
    app.installTranslator(translator);
    return true;
}

} // namespace translation
