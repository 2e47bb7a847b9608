#include "app/GameWindow.h"

#include <cmath>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/FrameTimer.h"
#include "app/World.h"
#include "support/GlTestContext.h"

namespace {

void ensureWorld() {
    if (theWorld == nullptr) {
        initGL();
    }
}

}  // namespace

TEST(GameWindow, InitGLSetsTheFixedStateAndTheWorld) {
    GlTestContext::reset();
    theWorld = nullptr;
    initGL();
    ASSERT_NE(theWorld, nullptr);
    EXPECT_EQ(theWorld->width, 1024);
    EXPECT_EQ(theWorld->height, 768);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(GlTestContext::integer(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_EQ(GlTestContext::integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(GlTestContext::integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(GlTestContext::integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);

    glClear(GL_COLOR_BUFFER_BIT);
    const auto px = GlTestContext::pixel(10, 10);
    EXPECT_EQ(px[0], 255);
    EXPECT_NEAR(px[1], 178, 1);
    EXPECT_EQ(px[2], 0);
}

TEST(GameWindow, ReshapeSetsViewportAndPerspectiveButNotTheWorldSize) {
    GlTestContext::reset();
    ensureWorld();
    reshape(800, 400);
    EXPECT_DOUBLE_EQ(theWorld->aspect, 2.0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 400);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const float f = 1.0f / std::tan(35.0f * static_cast<float>(M_PI) / 180.0f);
    EXPECT_NEAR(projection[5], f, 1e-5);
    EXPECT_NEAR(projection[0], f / 2.0f, 1e-5);
    EXPECT_EQ(GlTestContext::integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(theWorld->width, 1024);
    EXPECT_EQ(theWorld->height, 768);

    // Height 0 counts as 1: no division by zero, a one-pixel viewport.
    reshape(640, 0);
    EXPECT_DOUBLE_EQ(theWorld->aspect, 640.0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float e : projection) {
        EXPECT_TRUE(std::isfinite(e));
    }
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GameWindow, EachStepMeasuresTheTimeSinceTheLastAndDisplayKeepsTheMatrixStack) {
    GlTestContext::reset();
    ensureWorld();
    reshape(GlTestContext::kWidth, GlTestContext::kHeight);
    const GLint depth = GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH);
    idle();
    display();
    EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_GE(frameEnd, frameStart);
    idle();
    EXPECT_GT(frameTime, 0.0);
    EXPECT_LT(frameTime, 1.0);
}
