// The desktop icon: its shape on a clear background, its colours at the
// anti-aliased rim, and the PNG the install picks up.
#include "content/BeeIcon.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/ScratchDirectory.h"

namespace {

struct Px {
    int r, g, b, a;
};

Px at(const BeeIcon& icon, int x, int y) {
    const unsigned char* p = &icon.rgba()[(size_t(y) * icon.size() + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

double opaqueShare(const BeeIcon& icon) {
    int opaque = 0;
    for (int y = 0; y < icon.size(); ++y) {
        for (int x = 0; x < icon.size(); ++x) {
            opaque += at(icon, x, y).a == 255;
        }
    }
    return double(opaque) / (icon.size() * icon.size());
}

TEST(BeeIcon, ABeeOnACellOnAClearBackground) {
    const BeeIcon icon(256);
    ASSERT_EQ(icon.size(), 256);
    ASSERT_EQ(icon.rgba().size(), 256u * 256u * 4u);

    for (const auto& [x, y] : {std::pair{0, 0}, {255, 0}, {0, 255}, {255, 255}}) {
        EXPECT_EQ(at(icon, x, y).a, 0) << x << "," << y;
    }
    EXPECT_EQ(at(icon, 128, 128).a, 255);

    int clearButColoured = 0, stripes = 0, yellow = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const Px p = at(icon, x, y);
            clearButColoured += p.a == 0 && (p.r | p.g | p.b) != 0;
            stripes += p.a == 255 && p.r < 60 && p.g < 60 && p.b < 60;
            yellow += p.a == 255 && p.r > 220 && p.g > 150 && p.b < 90;
        }
    }
    EXPECT_EQ(clearButColoured, 0);
    EXPECT_GT(stripes, 256 * 256 / 50) << "no dark stripes or outline";
    EXPECT_GT(yellow, 256 * 256 / 10) << "no yellow body or cell";

    // A flat-topped cell of apothem 0.4 covers 55 % of the square; the bee's
    // antennae add a little. Far off means the shapes moved or blew up.
    const double share = opaqueShare(icon);
    EXPECT_GT(share, 0.45);
    EXPECT_LT(share, 0.70);
}

TEST(BeeIcon, EdgesKeepTheirColourAndScaleWithTheSize) {
    const BeeIcon icon(256);
    // The cell's left corner on the middle row: the first touched pixel is
    // part-covered rim. Colours are stored unpremultiplied, so it is still
    // the rim's brown, not a darker blend with the clear background.
    int x = 0;
    while (x < 128 && at(icon, x, 128).a == 0) {
        ++x;
    }
    const Px rim = at(icon, x, 128);
    EXPECT_GT(rim.a, 0);
    EXPECT_LT(rim.a, 255);
    EXPECT_NEAR(rim.r, 140, 25);
    EXPECT_NEAR(rim.g, 78, 25);
    EXPECT_NEAR(rim.b, 14, 25);
    EXPECT_GT(x, 256 * 0.02);
    EXPECT_LT(x, 256 * 0.08);

    // Drawn in picture units, not pixels: a small icon is the same picture.
    const BeeIcon small(48);
    EXPECT_EQ(small.rgba().size(), 48u * 48u * 4u);
    EXPECT_NEAR(opaqueShare(small), opaqueShare(icon), 0.03);
    EXPECT_EQ(at(small, 0, 0).a, 0);
    EXPECT_EQ(at(small, 24, 24).a, 255);
}

TEST(BeeIcon, PngReadsBackPixelForPixel) {
    const ScratchDirectory dir;
    ASSERT_FALSE(dir.path.empty());
    const std::string path = dir.file("icon.png");

    const BeeIcon icon(64);
    ASSERT_TRUE(icon.savePng(path));

    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    const bool loaded = ilLoadImage(path.c_str()) == IL_TRUE;
    ilDisable(IL_ORIGIN_SET);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 64);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 64);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_FORMAT), IL_RGBA);
    std::vector<unsigned char> back(64 * 64 * 4);
    ilCopyPixels(0, 0, 0, 64, 64, 1, IL_RGBA, IL_UNSIGNED_BYTE, back.data());
    ilDeleteImages(1, &image);
    // Equal bytes also mean the rows were not turned upside down.
    EXPECT_TRUE(back == icon.rgba());

    EXPECT_FALSE(icon.savePng(dir.file("no-such-folder/icon.png")));
}

}  // namespace
