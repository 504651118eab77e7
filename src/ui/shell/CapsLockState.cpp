#include "ui/shell/CapsLockState.h"

#include <QGuiApplication>

#if defined(TOLMENA_HAVE_XCB) && QT_CONFIG(xcb)
#include <cstdlib>
#include <xcb/xcb.h>

bool CapsLockOn() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return false;
    // The pointer query reports the modifier state, the lock modifier included.
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screen->root), nullptr);
    if (!reply) return false;
    const bool locked = (reply->mask & XCB_MOD_MASK_LOCK) != 0;
    std::free(reply);
    return locked;
}
#else
bool CapsLockOn() {
    return false;
}
#endif
