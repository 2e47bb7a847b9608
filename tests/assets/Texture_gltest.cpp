#include "assets/Texture.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include "assets/AssetGlFixture.h"

using TextureGl = AssetGlTest;

// The same picture from a file that stores its rows top first (PPM) and one
// that stores them bottom first (an uncompressed TGA): one texture, top row
// first either way.
TEST_F(TextureGl, UploadsRowsOfAnyWidthTopFirstAndRestoresTheState) {
    // Bands of 3 pixels (9 bytes a row: misread with 4-byte row alignment) in
    // 4 rows (GLU alone would drop the last row when widening to 4).
    const std::vector<std::vector<uint8_t>> bands = {
        {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    std::vector<uint8_t> rgb;
    for (const auto& band : bands) {
        for (int x = 0; x < 3; ++x) {
            rgb.insert(rgb.end(), band.begin(), band.end());
        }
    }
    std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 4, 0, 24, 0};
    for (int y = 3; y >= 0; --y) {
        for (int x = 0; x < 3; ++x) {
            tga.insert(tga.end(), {bands[y][2], bands[y][1], bands[y][0]});
        }
    }
    ASSERT_TRUE(samples::writePpm(dir + "/bands.ppm", 3, 4, rgb));
    ASSERT_TRUE(samples::writeBytes(dir + "/bands.tga", tga));
    for (const char* file : {"/bands.ppm", "/bands.tga"}) {
        SCOPED_TRACE(file);
        char* name = keep(dir + file);
        GLuint bound = 0;
        glGenTextures(1, &bound);
        glBindTexture(GL_TEXTURE_2D, bound);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
        testing::internal::CaptureStdout();
        Texture t(name);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEXTURE CREATED\n");
        EXPECT_EQ(GlTestContext::integer(GL_UNPACK_ALIGNMENT), 8);
        EXPECT_EQ(GLuint(GlTestContext::integer(GL_TEXTURE_BINDING_2D)), bound);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        EXPECT_EQ(std::vector<int>({t.width, t.height, t.bytesPerPixel, t.format}),
                  std::vector<int>({3, 4, 3, IL_RGB}));
        ASSERT_TRUE(glIsTexture(t.getId()));
        EXPECT_EQ(std::vector<uint8_t>(t.data, t.data + rgb.size()), rgb);

        glBindTexture(GL_TEXTURE_2D, t.getId());
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        ASSERT_EQ(h, 4);
        std::vector<uint8_t> texels(size_t(w) * h * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = &texels[(size_t(y) * w + x) * 3];
                EXPECT_EQ(std::vector<uint8_t>(p, p + 3), bands[y]) << "texel " << x << "," << y;
            }
        }
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &bound);
    }
}

TEST_F(TextureGl, ConvertsGreyAndAlphaImagesToRgb) {
    const std::string pgm = "P5\n2 2\n255\nMMMM";  // grey 77
    // Uncompressed true colour, 2 x 1, 32 bits with 8 of alpha, pixels as BGRA.
    const std::vector<uint8_t> tga = {0, 0, 2, 0,  0, 0,  0,  0,  0,  0,  0,  0,  2,
                                      0, 1, 0, 32, 8, 30, 20, 10, 99, 30, 20, 10, 99};
    char* grey = keep(dir + "/grey.pgm");
    char* alpha = keep(dir + "/alpha.tga");
    ASSERT_TRUE(samples::writeBytes(grey, {pgm.begin(), pgm.end()}));
    ASSERT_TRUE(samples::writeBytes(alpha, tga));
    testing::internal::CaptureStdout();
    Texture g(grey), a(alpha);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::vector<int>({g.format, g.bytesPerPixel, a.format, a.bytesPerPixel}),
              std::vector<int>({IL_RGB, 3, IL_RGB, 3}));
    EXPECT_TRUE(glIsTexture(g.getId()) && glIsTexture(a.getId()));
    EXPECT_EQ(std::vector<uint8_t>(g.data, g.data + 6), std::vector<uint8_t>(6, 77));
    EXPECT_EQ(std::vector<uint8_t>(a.data, a.data + 6),
              std::vector<uint8_t>({10, 20, 30, 10, 20, 30}));
}

TEST_F(TextureGl, AnUnreadableImageHasNoTextureButIsStillAnnounced) {
    char* garbage = keep(dir + "/garbage.png");
    ASSERT_TRUE(samples::writeBytes(garbage, {1, 2, 3, 4, 5}));
    for (char* name : {keep(dir + "/missing.png"), garbage}) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        Texture t(name);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEXTURE CREATED\n");
        EXPECT_EQ(t.getId(), 0u);
        EXPECT_EQ(err.rfind(std::string(name) + ": ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}
