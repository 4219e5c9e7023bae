#include "X11Desktop.h"

#include <QGuiApplication>

#ifdef PUTEVOD_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace x11desktop {

bool IsX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

#ifdef PUTEVOD_HAVE_XCB
namespace {

// One connection for the program's run, opened on first use.
class Connection
{
public:
    Connection()
    {
        if (!IsX11())
            return;
        int screenNumber = 0;
        c = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            c = nullptr;
            return;
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < screenNumber && it.rem; ++i)
            xcb_screen_next(&it);
        if (it.rem)
            screen = it.data;
    }
    ~Connection()
    {
        if (c)
            xcb_disconnect(c);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    xcb_connection_t *c = nullptr;
    xcb_screen_t *screen = nullptr;
};

Connection &X()
{
    static Connection connection;
    return connection;
}

xcb_atom_t Atom(const char *name)
{
    xcb_connection_t *c = X().c;
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// A property of 32-bit items (cardinals, window ids, atoms); empty when the
// window has none or is gone.
QVector<quint32> Property(xcb_window_t window, const char *name, xcb_atom_t type)
{
    QVector<quint32> items;
    xcb_connection_t *c = X().c;
    if (!c || !window)
        return items;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, Atom(name), type, 0, 4096), nullptr);
    if (reply && reply->format == 32 && reply->type == type) {
        const auto *values = static_cast<const quint32 *>(xcb_get_property_value(reply));
        const int n = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < n; ++i)
            items.append(values[i]);
    }
    std::free(reply);
    return items;
}

xcb_window_t Root()
{
    return X().screen ? X().screen->root : 0;
}

} // namespace

bool WindowManagerRunning()
{
    const QVector<quint32> check = Property(Root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    if (check.isEmpty())
        return false;
    // A check window left behind by a window manager that has gone does not count.
    return !Property(check[0], "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).isEmpty();
}

namespace {

// The window manager lists the hint among those it supports.
bool Supports(const char *hint)
{
    if (!X().c)
        return false;
    return Property(Root(), "_NET_SUPPORTED", XCB_ATOM_ATOM).contains(Atom(hint));
}

} // namespace

bool SendsFrameExtents()
{
    return Supports("_NET_FRAME_EXTENTS");
}

bool NamesWorkArea()
{
    return Supports("_NET_WORKAREA");
}

QSize RootSize()
{
    const xcb_screen_t *s = X().screen;
    return s ? QSize(s->width_in_pixels, s->height_in_pixels) : QSize();
}

QRect WorkArea()
{
    const QVector<quint32> area = Property(Root(), "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    const QVector<quint32> desktop = Property(Root(), "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
    int k = desktop.isEmpty() ? 0 : int(desktop[0]);
    if ((k + 1) * 4 > area.size())
        k = 0;
    if (area.size() < 4)
        return QRect();
    return QRect(int(area[4 * k]), int(area[4 * k + 1]), int(area[4 * k + 2]), int(area[4 * k + 3]));
}

QVector<field::Strut> Struts()
{
    QVector<field::Strut> struts;
    const QSize root = RootSize();
    for (quint32 window : Property(Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        QVector<quint32> v = Property(window, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL);
        if (v.size() < 12) {
            // The older property: whole edges.
            v = Property(window, "_NET_WM_STRUT", XCB_ATOM_CARDINAL);
            if (v.size() < 4)
                continue;
            v.resize(4);
            const int h = root.height() - 1;
            const int w = root.width() - 1;
            v << 0 << quint32(h) << 0 << quint32(h) << 0 << quint32(w) << 0 << quint32(w);
        }
        field::Strut s;
        int *fields[12] = {&s.left, &s.right, &s.top, &s.bottom,
                           &s.leftStartY, &s.leftEndY, &s.rightStartY, &s.rightEndY,
                           &s.topStartX, &s.topEndX, &s.bottomStartX, &s.bottomEndX};
        for (int i = 0; i < 12; ++i)
            *fields[i] = int(v[i]);
        if (s.left || s.right || s.top || s.bottom)
            struts.append(s);
    }
    return struts;
}

QMargins FrameExtents(WId window)
{
    const QVector<quint32> e = Property(xcb_window_t(window), "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (e.size() < 4)
        return QMargins();
    return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
}

QPoint ClientPosition(WId window)
{
    xcb_connection_t *c = X().c;
    const QPoint unknown(-1000000, -1000000);
    if (!c || !window)
        return unknown;
    xcb_translate_coordinates_reply_t *reply = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, xcb_window_t(window), Root(), 0, 0), nullptr);
    const QPoint at = reply ? QPoint(reply->dst_x, reply->dst_y) : unknown;
    std::free(reply);
    return at;
}

bool MoveFrame(WId window, QPoint topLeft)
{
    xcb_connection_t *c = X().c;
    if (!c || !window)
        return false;
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window);
    event.type = Atom("_NET_MOVERESIZE_WINDOW");
    // Window managers read the point by the gravity the window's size hints
    // give (Qt sets static gravity at times): with static gravity the point
    // is the client's top-left, otherwise (north-west) the frame's.
    QPoint at = topLeft;
    quint32 gravity = XCB_GRAVITY_NORTH_WEST;
    const QVector<quint32> hints = Property(xcb_window_t(window), "WM_NORMAL_HINTS", Atom("WM_SIZE_HINTS"));
    const quint32 winGravityFlag = 1u << 9;
    if (hints.size() >= 18 && (hints[0] & winGravityFlag) && hints[17] == XCB_GRAVITY_STATIC) {
        const QMargins frame = FrameExtents(window);
        at += QPoint(frame.left(), frame.top());
        gravity = XCB_GRAVITY_STATIC;
    }
    // x and y only, asked by the application.
    event.data.data32[0] = gravity | (1u << 8) | (1u << 9) | (1u << 12);
    event.data.data32[1] = quint32(at.x());
    event.data.data32[2] = quint32(at.y());
    xcb_send_event(c, 0, Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(c);
    return true;
}

#else  // no X libraries: nothing is known

bool WindowManagerRunning() { return false; }
bool SendsFrameExtents() { return false; }
bool NamesWorkArea() { return false; }
QSize RootSize() { return QSize(); }
QRect WorkArea() { return QRect(); }
QVector<field::Strut> Struts() { return {}; }
QMargins FrameExtents(WId) { return QMargins(); }
QPoint ClientPosition(WId) { return QPoint(-1000000, -1000000); }
bool MoveFrame(WId, QPoint) { return false; }

#endif

} // namespace x11desktop
