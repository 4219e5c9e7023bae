#include "Translation.h"

#include "qtcompat.h"

#include <QCoreApplication>
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
    return compat::TranslationsPath();
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
