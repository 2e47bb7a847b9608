// The game's icon, a striped yellow bee on a clear background, as a desktop
// reads its PNG and as a window manager reads the window's icon from the X
// server: at every size the content tool draws for the window, pixel for
// pixel, 0xAARRGGBB from the top row down. A picture that is no icon is left
// out and named.
#include "content/BeeIcon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "app/WindowIdentity.h"
#include "content/Image.h"
#include "support/ScratchDirectory.h"

// Last: Xlib's macros (None, Bool) would break gtest's templates.
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

TEST(BeeIcon, AStripedBeeOnAClearBackground) {
    const BeeIcon icon(256);
    const std::vector<unsigned char>& px = icon.rgba();
    auto alpha = [&](int x, int y) { return px[(y * 256 + x) * 4 + 3]; };
    EXPECT_TRUE(alpha(0, 0) == 0 && alpha(255, 0) == 0 && alpha(0, 255) == 0 &&
                alpha(255, 255) == 0);
    EXPECT_EQ(alpha(128, 128), 255);
    int opaque = 0, stripes = 0, yellow = 0;
    for (size_t i = 0; i < px.size(); i += 4) {
        const int r = px[i], g = px[i + 1], b = px[i + 2], a = px[i + 3];
        opaque += a == 255;
        stripes += a == 255 && r < 60 && g < 60 && b < 60;
        yellow += a == 255 && r > 220 && g > 150 && b < 90;
    }
    EXPECT_GT(stripes, 256 * 256 / 50) << "no dark stripes or outline";
    EXPECT_GT(yellow, 256 * 256 / 10) << "no yellow body or cell";
    // A flat-topped cell covers 55 % of the square; far off means the shapes moved.
    EXPECT_GT(opaque, 256 * 256 * 45 / 100);
    EXPECT_LT(opaque, 256 * 256 * 70 / 100);
}

TEST(BeeIcon, TheWindowShowsItAtEverySizeThatLoads) {
    const ScratchDirectory scratch(true);
    std::filesystem::create_directory("data");
    std::vector<unsigned long> expected;
    for (const int size : WindowIdentity::kIconSizes) {
        const std::string path = "data/" + WindowIdentity::iconName(size);
        if (size == 48 && Image(48, 24).save(path)) {  // no icon
            continue;
        }
        const BeeIcon icon(size);
        ASSERT_TRUE(icon.savePng(path));
        EXPECT_FALSE(icon.savePng("no-such-folder/" + path));
        expected.insert(expected.end(), 2, static_cast<unsigned long>(size));
        const std::vector<unsigned char>& rgba = icon.rgba();
        for (size_t i = 0; i < rgba.size(); i += 4) {
            expected.push_back(static_cast<unsigned long>(rgba[i + 3]) << 24 |
                               static_cast<unsigned long>(rgba[i]) << 16 |
                               static_cast<unsigned long>(rgba[i + 1]) << 8 | rgba[i + 2]);
        }
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(WindowIdentity::apply(), 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "data/icon48.png: left out of the window's icon: 48 x 24 pixels, not a square of "
              "at most 256\n");

    Display* const x = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_ICON", False), 0, LONG_MAX, False,
                       XA_CARDINAL, &type, &format, &count, &after, &data);
    ASSERT_EQ(format, 32);  // an array of longs to Xlib
    // Xlib hands back each item in a long, sign-extended.
    const auto* icon = reinterpret_cast<const unsigned long*>(data);
    EXPECT_TRUE(count == expected.size() && std::equal(expected.begin(), expected.end(), icon,
                                                       [](unsigned long want, unsigned long got) {
                                                           return want == (got & 0xFFFFFFFFul);
                                                       }));
    XFree(data);
}
