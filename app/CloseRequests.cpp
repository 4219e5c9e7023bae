#include "CloseRequests.h"

#include <QCoreApplication>
#include <QGuiApplication>

#ifdef PUTEVOD_HAVE_XCB
#include <xcb/xcb.h>

namespace {

quint32 InternAtom(xcb_connection_t *c, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, quint16(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const quint32 atom = reply ? reply->atom : 0;
    free(reply);
    return atom;
}

} // namespace
#endif

CloseRequestWatch::CloseRequestWatch(QWidget *window, std::function<void()> noted)
    : window(window), noted(std::move(noted))
{
#ifdef PUTEVOD_HAVE_XCB
    // Under X11 a close request is a WM_PROTOCOLS client message carrying
    // WM_DELETE_WINDOW. Atoms are the server's: any connection may ask.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        xcb_connection_t *c = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(c)) {
            protocolsAtom = InternAtom(c, "WM_PROTOCOLS");
            deleteAtom = InternAtom(c, "WM_DELETE_WINDOW");
        }
        xcb_disconnect(c);
    }
#endif
    // Elsewhere a blocked window never receives a close request (Windows
    // disables it), or the request cannot be seen before the toolkit drops it.
    if (protocolsAtom && deleteAtom)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequestWatch::~CloseRequestWatch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CloseRequestWatch::nativeEventFilter(const QByteArray &eventType, void *message, compat::NativeEventResult *)
{
#ifdef PUTEVOD_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || !window || !window->internalWinId())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    if (client->format == 32 && client->type == protocolsAtom && client->data.data32[0] == deleteAtom
        && client->window == window->internalWinId() && noted)
        noted();
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
