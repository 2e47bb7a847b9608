#include "hud/Hud.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "support/GlTestContext.h"

namespace {

// Lit pixels in a window rectangle, origin bottom left.
long litPixels(int x, int y, int width, int height) {
    std::vector<unsigned char> red(static_cast<size_t>(width * height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RED, GL_UNSIGNED_BYTE, red.data());
    return std::count_if(red.begin(), red.end(), [](unsigned char c) { return c > 0; });
}

}  // namespace

// The matrices it draws in are the World's to set and restore: see WorldRender.
TEST(HudGl, DrawsTextWhereTheLinesSayAndRestoresState) {
    GlTestContext::reset();
    Hud hud;
    hud.setPoints(42);
    std::array<GLfloat, 4> rasterBefore{}, rasterAfter{};
    glRasterPos2i(0, 0);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterBefore.data());
    const GLint attribDepth = GlTestContext::integer(GL_ATTRIB_STACK_DEPTH);
    // The World's overlay: 1024 by 768 units, origin top left.
    glMatrixMode(GL_PROJECTION);
    gluOrtho2D(0, 1024, 768, 0);
    glMatrixMode(GL_MODELVIEW);
    hud.draw();
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(GlTestContext::integer(GL_ATTRIB_STACK_DEPTH), attribDepth);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterAfter.data());
    EXPECT_EQ(rasterBefore, rasterAfter);

    // On the 256 by 256 test window: "Points: 42" starts at (5, 30), the
    // baseline about 8 pixels below the top; "Bombs" at 155 and "Time" at 305
    // units. Nothing is drawn below the top line.
    const int w = GlTestContext::kWidth, h = GlTestContext::kHeight;
    const int baseline = h - 30 * h / 768;
    EXPECT_GT(litPixels(1, baseline - 4, 30, 14), 20);
    EXPECT_GT(litPixels(155 * w / 1024, baseline - 4, 30, 14), 20);
    EXPECT_GT(litPixels(305 * w / 1024, baseline - 4, 30, 14), 20);
    EXPECT_EQ(litPixels(0, 0, w, baseline - 10), 0);
    GlTestContext::reset();
}
