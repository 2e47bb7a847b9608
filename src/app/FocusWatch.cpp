#include "app/FocusWatch.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

FocusWatch::~FocusWatch() {
    if (display != nullptr) {
        XCloseDisplay(static_cast<Display*>(display));
    }
}

bool FocusWatch::watchCurrentWindow() {
    Display* glDisplay = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (glDisplay == nullptr || window == 0 || display != nullptr) {
        return false;
    }
    Display* own = XOpenDisplay(DisplayString(glDisplay));
    if (own == nullptr) {
        return false;
    }
    XSelectInput(own, window, FocusChangeMask);
    // The window manager need not give a new window the focus, so it is read
    // rather than assumed; every change from here on comes as an event. With
    // the focus following the pointer the game cannot tell, and plays.
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(own, &focus, &revert);
    focused = focus == window || focus == PointerRoot;
    display = own;
    return true;
}

bool FocusWatch::hasFocus() {
    auto* own = static_cast<Display*>(display);
    if (own == nullptr) {
        return true;
    }
    while (XPending(own) > 0) {
        XEvent event;
        XNextEvent(own, &event);
        if (event.type == FocusIn) {
            focused = true;
        } else if (event.type == FocusOut && event.xfocus.detail != NotifyInferior) {
            // (Into a window inside the game's is no loss.)
            focused = false;
        }
    }
    return focused;
}
