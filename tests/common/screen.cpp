// The offscreen platform's screen is 800 x 800 under Qt 6 and 800 x 600
// under Qt 5; the tests' figures (the layout unit the work area allows, the
// rows a page of the listing holds) are for the first. Linked into every
// test program, this gives a Qt 5 test the same screen as its application
// starts up (too early for Qt's own screen events, which are ignored then).
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <private/qscreen_p.h>

namespace {

void SameOffscreenScreen()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return;
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    auto *d = static_cast<QScreenPrivate *>(QObjectPrivate::get(screen));
    d->geometry = d->availableGeometry = QRect(0, 0, 800, 800);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(SameOffscreenScreen)
#endif
