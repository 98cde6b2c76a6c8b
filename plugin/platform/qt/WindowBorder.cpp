#include "platform/qt/WindowBorder.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// The Motif window manager hints, which X11 window managers read for the functions and
// decorations a window offers.
constexpr uint32_t kHintsFunctions = 1u << 0;
constexpr uint32_t kHintsDecorations = 1u << 1;
constexpr uint32_t kFunctionMove = 1u << 2;
constexpr uint32_t kFunctionMinimize = 1u << 3;
constexpr uint32_t kFunctionMaximize = 1u << 4;
constexpr uint32_t kFunctionClose = 1u << 5;
constexpr uint32_t kDecorationBorder = 1u << 1;
constexpr uint32_t kDecorationTitle = 1u << 3;
constexpr uint32_t kDecorationMenu = 1u << 4;
constexpr uint32_t kDecorationMinimize = 1u << 5;
constexpr uint32_t kDecorationMaximize = 1u << 6;

struct MotifHints {
    uint32_t flags;
    uint32_t functions;
    uint32_t decorations;
    int32_t inputMode;
    uint32_t status;
};

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
                              nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

} // namespace

bool withdrawSizingBorder(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!window || !x11 || !x11->connection() || !window->testAttribute(Qt::WA_WState_Created))
        return false;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t hintsAtom = internAtom(connection, "_MOTIF_WM_HINTS");
    if (hintsAtom == XCB_ATOM_NONE)
        return false;

    const Qt::WindowFlags flags = window->windowFlags();
    MotifHints hints {kHintsFunctions | kHintsDecorations, kFunctionMove, kDecorationBorder, 0, 0};
    if (flags & Qt::WindowTitleHint)
        hints.decorations |= kDecorationTitle;
    if (flags & Qt::WindowSystemMenuHint)
        hints.decorations |= kDecorationMenu;
    if (flags & Qt::WindowMinimizeButtonHint) {
        hints.functions |= kFunctionMinimize;
        hints.decorations |= kDecorationMinimize;
    }
    if (flags & Qt::WindowMaximizeButtonHint) {
        hints.functions |= kFunctionMaximize;
        hints.decorations |= kDecorationMaximize;
    }
    if (flags & Qt::WindowCloseButtonHint)
        hints.functions |= kFunctionClose;

    const auto native = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, hintsAtom, hintsAtom, 32, 5, &hints);
    xcb_flush(connection);
    return true;
}

} // namespace platform
