// The desktop icon as the install picks it up: a 256-pixel PNG, read back
// pixel for pixel, showing a striped yellow bee on a clear background.
#include "content/BeeIcon.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/ScratchDirectory.h"

TEST(BeeIcon, APngOfTheBeeOnAClearBackground) {
    const ScratchDirectory dir;
    ASSERT_FALSE(dir.path.empty());
    const BeeIcon icon(256);
    ASSERT_TRUE(icon.savePng(dir.file("icon.png")));
    EXPECT_FALSE(icon.savePng(dir.file("no-such-folder/icon.png")));

    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    const bool loaded = ilLoadImage(dir.file("icon.png").c_str()) == IL_TRUE;
    ilDisable(IL_ORIGIN_SET);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 256);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 256);
    std::vector<unsigned char> px(size_t{256} * 256 * 4);
    ilCopyPixels(0, 0, 0, 256, 256, 1, IL_RGBA, IL_UNSIGNED_BYTE, px.data());
    ilDeleteImages(1, &image);
    // Equal bytes also mean the rows were not turned upside down.
    ASSERT_TRUE(px == icon.rgba());

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
