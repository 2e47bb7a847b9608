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
    XFlush(own);
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
