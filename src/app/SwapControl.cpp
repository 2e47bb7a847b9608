#include "app/SwapControl.h"

#include <GL/glx.h>

#include <cstring>

namespace {

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);
using SwapIntervalSgi = int (*)(int);

void* lookUp(const char* name) {
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

bool hasExtension(Display* display, const char* name) {
    const char* list = glXQueryExtensionsString(display, DefaultScreen(display));
    if (list == nullptr) {
        return false;
    }
    const char* p = list;
    const size_t n = std::strlen(name);
    while ((p = std::strstr(p, name)) != nullptr) {
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) {
            return true;
        }
        p += n;
    }
    return false;
}

}  // namespace

bool disableSwapSync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return false;
    }
    if (hasExtension(display, "GLX_EXT_swap_control")) {
        if (auto f = reinterpret_cast<SwapIntervalExt>(lookUp("glXSwapIntervalEXT"))) {
            f(display, drawable, 0);
            return true;
        }
    }
    if (hasExtension(display, "GLX_MESA_swap_control")) {
        if (auto f = reinterpret_cast<SwapIntervalMesa>(lookUp("glXSwapIntervalMESA"))) {
            return f(0) == 0;
        }
    }
    if (hasExtension(display, "GLX_SGI_swap_control")) {
        // SGI refuses 0 by definition, but some drivers accept it; worth a try.
        if (auto f = reinterpret_cast<SwapIntervalSgi>(lookUp("glXSwapIntervalSGI"))) {
            return f(0) == 0;
        }
    }
    return false;
}
