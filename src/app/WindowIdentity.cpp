#include "app/WindowIdentity.h"

#include <GL/glx.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <vector>

#include "assets/RegularFile.h"

namespace {

// Appends the bound DevIL image, loaded from path, to an icon as
// _NET_WM_ICON holds it: width, height, then the rows from the top, each
// pixel 0xAARRGGBB, not premultiplied.
bool appendLoaded(const char* path, std::vector<unsigned long>& icon, std::string* why) {
    if (ilLoadImage(path) != IL_TRUE || ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE) != IL_TRUE) {
        *why = std::string("cannot load the picture: ") + iluErrorString(ilGetError());
        return false;
    }
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (width != height || width < 1 || width > WindowIdentity::kLargestIcon) {
        *why = std::to_string(width) + " x " + std::to_string(height) +
               " pixels, not a square of at most " + std::to_string(WindowIdentity::kLargestIcon);
        return false;
    }
    const bool bottomFirst = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    const ILubyte* rgba = ilGetData();
    icon.push_back(static_cast<unsigned long>(width));
    icon.push_back(static_cast<unsigned long>(height));
    for (int row = 0; row < height; ++row) {
        const ILubyte* p = rgba + size_t(bottomFirst ? height - 1 - row : row) * width * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            icon.push_back(static_cast<unsigned long>(p[3]) << 24 |
                           static_cast<unsigned long>(p[0]) << 16 |
                           static_cast<unsigned long>(p[1]) << 8 | p[2]);
        }
    }
    return true;
}

// false, with the reason, when the file is missing or is no picture of a
// size an icon can have.
bool appendIcon(const char* path, std::vector<unsigned long>& icon, std::string* why) {
    // DevIL opens the file itself: it must not meet a FIFO or a device there.
    if (!RegularFile::check(path, why)) {
        return false;
    }
    ilInit();
    iluInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool appended = appendLoaded(path, icon, why);
    ilDeleteImages(1, &image);
    return appended;
}

}  // namespace

std::string WindowIdentity::iconName(int size) {
    return "icon" + std::to_string(size) + ".png";
}

int WindowIdentity::apply() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return 0;
    }
    XClassHint hint;
    hint.res_name = const_cast<char*>(kClass);
    hint.res_class = const_cast<char*>(kClass);
    XSetClassHint(display, window, &hint);

    std::vector<unsigned long> icon;
    int pictures = 0;
    for (const int size : kIconSizes) {
        const std::string path = "data/" + iconName(size);
        std::string why;
        if (appendIcon(path.c_str(), icon, &why)) {
            ++pictures;
        } else {
            std::fprintf(stderr, "%s: left out of the window's icon: %s\n", path.c_str(),
                         why.c_str());
        }
    }
    if (pictures > 0) {
        // Format 32 means an array of longs to Xlib, whatever their width.
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<unsigned char*>(icon.data()),
                        static_cast<int>(icon.size()));
    }
    XFlush(display);
    return pictures;
}
