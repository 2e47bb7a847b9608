#include "assets/Texture.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include "assets/AssetGlFixture.h"

using TextureGl = AssetGlTest;

TEST_F(TextureGl, UploadsRowsOfAnyWidthAsRgbAndRestoresPixelStore) {
    // Three pixels a row (9 bytes): misread if rows were taken as 4-byte aligned.
    const uint8_t rows[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    std::vector<uint8_t> rgb;
    for (const auto& row : rows) {
        for (int x = 0; x < 3; ++x) {
            rgb.insert(rgb.end(), row, row + 3);
        }
    }
    const char* name = keep(dir + "/bands.ppm");
    ASSERT_TRUE(samples::writePpm(name, 3, 4, rgb));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    GLuint previous = 0;
    glGenTextures(1, &previous);
    glBindTexture(GL_TEXTURE_2D, previous);

    testing::internal::CaptureStdout();
    Texture t(const_cast<char*>(name));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEXTURE CREATED\n");
    EXPECT_EQ(GlTestContext::integer(GL_UNPACK_ALIGNMENT), 8);
    EXPECT_EQ(GLuint(GlTestContext::integer(GL_TEXTURE_BINDING_2D)), previous);
    EXPECT_EQ(t.getName(), name);
    EXPECT_EQ(t.width, 3);
    EXPECT_EQ(t.height, 4);
    EXPECT_EQ(t.bytesPerPixel, 3);
    EXPECT_EQ(t.format, IL_RGB);
    EXPECT_EQ(t.format, GL_RGB);
    ASSERT_NE(t.getId(), 0u);
    ASSERT_TRUE(glIsTexture(t.getId()));
    ASSERT_NE(t.data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(t.data, t.data + rgb.size()), rgb);

    // Level 0 as GL holds it (GLU may have rescaled the width): every row one colour,
    // the four bands in the image's order.
    glBindTexture(GL_TEXTURE_2D, t.getId());
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    ASSERT_EQ(h, 4);
    ASSERT_GT(w, 0);
    std::vector<uint8_t> texels(size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &texels[(size_t(y) * w + x) * 3];
            EXPECT_EQ(std::vector<uint8_t>(p, p + 3), std::vector<uint8_t>(rows[y], rows[y] + 3))
                << "texel " << x << "," << y;
        }
    }
    // Minification reads the mipmaps GLU built: the smallest level exists.
    GLint smallest = 0;
    int levels = 0;
    for (; levels < 16; ++levels) {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, levels, GL_TEXTURE_WIDTH, &smallest);
        if (smallest == 0) {
            break;
        }
    }
    EXPECT_GE(levels, 3);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &previous);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

TEST_F(TextureGl, ConvertsGreyAndAlphaImagesToRgb) {
    // A binary greyscale PGM, 2 x 2.
    const char* grey = keep(dir + "/grey.pgm");
    std::string pgm = "P5\n2 2\n255\n";
    pgm += std::string(4, char(77));
    ASSERT_TRUE(samples::writeBytes(grey, std::vector<uint8_t>(pgm.begin(), pgm.end())));
    // An uncompressed 32-bit TGA with alpha, 2 x 1, stored as BGRA.
    const char* alpha = keep(dir + "/alpha.tga");
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2;    // true colour
    tga[12] = 2;   // width
    tga[14] = 1;   // height
    tga[16] = 32;  // bits per pixel
    tga[17] = 8;   // alpha bits
    for (int i = 0; i < 2; ++i) {
        tga.insert(tga.end(), {30, 20, 10, 99});
    }
    ASSERT_TRUE(samples::writeBytes(alpha, tga));

    testing::internal::CaptureStdout();
    Texture g(const_cast<char*>(grey));
    Texture a(const_cast<char*>(alpha));
    testing::internal::GetCapturedStdout();
    for (const Texture* t : {&g, &a}) {
        EXPECT_EQ(t->format, IL_RGB);
        EXPECT_EQ(t->bytesPerPixel, 3);
        EXPECT_NE(t->getId(), 0u);
        ASSERT_NE(t->data, nullptr);
    }
    EXPECT_EQ(std::vector<uint8_t>(g.data, g.data + 6),
              std::vector<uint8_t>({77, 77, 77, 77, 77, 77}));
    EXPECT_EQ(std::vector<uint8_t>(a.data, a.data + 6),
              std::vector<uint8_t>({10, 20, 30, 10, 20, 30}));
}

TEST_F(TextureGl, AnUnreadableImageHasNoTextureButIsStillAnnounced) {
    const char* missing = keep(dir + "/missing.png");
    const char* garbage = keep(dir + "/garbage.png");
    ASSERT_TRUE(samples::writeBytes(garbage, {1, 2, 3, 4, 5}));
    for (const char* name : {missing, garbage}) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        Texture t(const_cast<char*>(name));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEXTURE CREATED\n");
        EXPECT_EQ(t.getId(), 0u);
        EXPECT_EQ(err.rfind(std::string(name) + ": ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}
