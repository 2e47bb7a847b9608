#pragma once

#include <string>

// Ties the game's window to the desktop entry it was started from. A dock or
// a window switcher matches the window's WM_CLASS with the entry's
// StartupWMClass and shows the window's _NET_WM_ICON; GLUT sets neither, so
// both are set through Xlib on GLUT's window. The icon is the game's own,
// which the content tool draws into data/ at several sizes: the window
// manager picks the size it shows, and a small one need not be scaled down.
class WindowIdentity {
public:
    // WM_CLASS instance and class alike.
    static constexpr const char* kClass = "zumbra";
    static constexpr int kIconSizes[] = {16, 32, 48, 64, 128};
    // A picture any larger is not an icon, and would make a huge property.
    static constexpr int kLargestIcon = 256;

    // The picture of one icon size inside data/, e.g. "icon32.png".
    static std::string iconName(int size);

    // Sets the class and the icon on the window of the current GL context,
    // from data/ under the working directory. A picture that is missing or
    // bad is named in one line on stderr and left out. Returns the number of
    // pictures in the icon; with none the window has no icon.
    static int apply();
};
