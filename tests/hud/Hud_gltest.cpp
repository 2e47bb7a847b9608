#include "hud/Hud.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "support/GlTestContext.h"

namespace {

// The overlay the World draws the HUD in: 1024 by 768 units, origin top left.
void enterOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, 1024, 0, 768);
    glScalef(1, -1, 1);
    glTranslatef(0, -768, 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void leaveOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// Lit pixels in a window rectangle (origin bottom left), clipped to the window.
int litPixels(int x0, int y0, int width, int height) {
    const int w = GlTestContext::kWidth, h = GlTestContext::kHeight;
    std::vector<unsigned char> red(static_cast<size_t>(w * h));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RED, GL_UNSIGNED_BYTE, red.data());
    int lit = 0;
    for (int y = std::max(y0, 0); y < std::min(y0 + height, h); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x0 + width, w); ++x) {
            lit +=
                red[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] > 0;
        }
    }
    return lit;
}

}  // namespace

// The matrices it draws in are the World's to restore: see WorldRender.
TEST(HudGl, DrawsTextWhereTheLinesSayAndRestoresState) {
    GlTestContext::reset();
    Hud hud;
    hud.setPoints(42);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glRasterPos2i(0, 0);
    std::array<GLfloat, 4> rasterBefore{}, rasterAfter{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterBefore.data());
    const GLint attribDepth = GlTestContext::integer(GL_ATTRIB_STACK_DEPTH);
    enterOverlay();
    hud.draw();
    leaveOverlay();
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(GlTestContext::integer(GL_ATTRIB_STACK_DEPTH), attribDepth);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterAfter.data());
    EXPECT_EQ(rasterBefore, rasterAfter);

    // The 1024 by 768 overlay on the 256 by 256 test window: "Points: 42" starts
    // at (5, 30), the baseline about 8 pixels below the top; "Bombs" at 155 and
    // "Time" at 305 units. Nothing is drawn below the top line.
    const int w = GlTestContext::kWidth, h = GlTestContext::kHeight;
    const int baseline = h - 30 * h / 768;
    EXPECT_GT(litPixels(1, baseline - 4, 30, 14), 20);
    EXPECT_GT(litPixels(155 * w / 1024, baseline - 4, 30, 14), 20);
    EXPECT_GT(litPixels(305 * w / 1024, baseline - 4, 30, 14), 20);
    EXPECT_EQ(litPixels(0, 0, w, baseline - 10), 0);
}
