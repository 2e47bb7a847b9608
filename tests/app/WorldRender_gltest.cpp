// The GL state a frame sets for itself (light, fog, blending) and the state
// it must hand back unchanged, since the HUD, the next frame and display()'s
// matrix pop rely on it. Drawn on a level of one flower, so the shadow pass
// has a volume to count.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "player/Camera.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

using Floats = std::array<float, 16>;
using Four = std::array<float, 4>;

Floats floats(GLenum name) {
    Floats v{};
    glGetFloatv(name, v.data());
    return v;
}

Four light1(GLenum name) {
    Four v{};
    glGetLightfv(GL_LIGHT1, name, v.data());
    return v;
}

// The generated level with one kind-A flower under the bee and no others.
void writeOneFlowerLevel(const fs::path& data) {
    fs::create_directory(data);
    for (const auto& entry : fs::directory_iterator(fs::path(ZUMBRA_BUILD_DIR) / "data")) {
        if (entry.path().extension() != ".txt") {
            fs::create_symlink(entry.path(), data / entry.path().filename());
        }
    }
    std::ofstream(data / "flowerA.txt") << "-20\n0\n6\n0\n0\n0\n1\n\n$$$\n";
    for (const char* kind : {"B", "C", "D"}) {
        std::ofstream(data / (std::string("flower") + kind + ".txt"));
    }
}

// Pixels of the HUD's text colour in the window's top 30 rows, where its top
// line is.
long textPixels() {
    const int w = GlTestContext::kWidth, h = GlTestContext::kHeight, rows = 30;
    std::vector<std::array<uint8_t, 3>> pixels(static_cast<size_t>(w * rows));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, h - rows, w, rows, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // glColor3f(200, 100, 0) clamps to pure yellow, lit or not.
    const std::array<uint8_t, 3> yellow = {255, 255, 0};
    return std::count(pixels.begin(), pixels.end(), yellow);
}

}  // namespace

TEST(WorldRender, SetsLightFogAndBlendingAndHandsBackTheRest) {
    if (!fs::exists(fs::path(ZUMBRA_BUILD_DIR) / "data" / "flowerA_LOD0.ms3d")) {
        GTEST_SKIP() << "no generated content";
    }
    GlTestContext::reset();
    applyFixedGlState();
    ScratchDirectory scratch(true);
    writeOneFlowerLevel(fs::path(scratch.path) / "data");
    static World* world = nullptr;  // lives for the rest of the run, as in the game
    {
        const Quiet quiet;
        world = new World();
    }
    glMatrixMode(GL_PROJECTION);
    gluPerspective(world->fieldOfView, 1.0, world->nearPlane, world->farPlane);
    glMatrixMode(GL_MODELVIEW);
    const Floats projection = floats(GL_PROJECTION_MATRIX);
    const GLint modelviewDepth = GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH);
    const GLint projectionDepth = GlTestContext::integer(GL_PROJECTION_STACK_DEPTH);

    for (const bool transparency : {true, false}) {
        SCOPED_TRACE(transparency ? "transparency on" : "transparency off");
        world->transparency = transparency;
        glLoadIdentity();
        {
            const Quiet quiet;
            world->render();
        }

        // Light 1 alone, its position given in world space after the look-at.
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_LIGHT1));
        EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
        EXPECT_EQ(light1(GL_AMBIENT), (Four{0.3f, 0.3f, 0.3f, 1.0f}));
        EXPECT_EQ(light1(GL_DIFFUSE), (Four{10.0f, 10.0f, 10.0f, 2.0f}));
        const float* view = theCamera->viewMatrix.m;
        const Four lightAt = {-20.0f, 100.0f, 0.0f, 2.0f};
        for (int row = 0; row < 4; ++row) {
            float eye = 0.0f;
            for (int k = 0; k < 4; ++k) {
                eye += view[4 * k + row] * lightAt[k];
            }
            EXPECT_NEAR(light1(GL_POSITION)[row], eye, 1e-3f) << "row " << row;
        }

        // Exponential fog in the background colour.
        EXPECT_TRUE(glIsEnabled(GL_FOG));
        EXPECT_EQ(GlTestContext::integer(GL_FOG_MODE), GL_EXP);
        EXPECT_FLOAT_EQ(floats(GL_FOG_DENSITY)[0], 0.008f);
        const Floats fog = floats(GL_FOG_COLOR);
        EXPECT_EQ((Four{fog[0], fog[1], fog[2], fog[3]}), (Four{1.0f, 0.7f, 0.0f, 1.0f}));

        // Without transparency every blended fragment comes out black.
        EXPECT_EQ(GlTestContext::integer(GL_BLEND_SRC), transparency ? GL_SRC_ALPHA : GL_ZERO);
        EXPECT_EQ(GlTestContext::integer(GL_BLEND_DST),
                  transparency ? GL_ONE_MINUS_SRC_ALPHA : GL_ZERO);

        // What the shadow pass and the overlay borrow comes back; the
        // modelview keeps the look-at, which display() pops.
        EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
        GLboolean mask[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]);
        EXPECT_EQ(GlTestContext::integer(GL_DEPTH_WRITEMASK), GL_TRUE);
        EXPECT_EQ(GlTestContext::integer(GL_FRONT_FACE), GL_CCW);
        EXPECT_EQ(GlTestContext::integer(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), modelviewDepth);
        EXPECT_EQ(GlTestContext::integer(GL_PROJECTION_STACK_DEPTH), projectionDepth);
        EXPECT_EQ(floats(GL_PROJECTION_MATRIX), projection);
        Floats lookAt{};
        std::copy(view, view + 16, lookAt.begin());
        EXPECT_EQ(floats(GL_MODELVIEW_MATRIX), lookAt);
        EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));

        // The HUD's text comes out in the overlay's colour over the scene,
        // and still does over whatever the scene could leave behind: a dark
        // texture bound and enabled, blending on.
        const long overScene = textPixels();
        EXPECT_GT(overScene, 300);
        const GLubyte blue[3] = {0, 0, 90};
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glClear(GL_COLOR_BUFFER_BIT);
        world->drawOverlay();
        EXPECT_EQ(textPixels(), overScene);
        glDisable(GL_TEXTURE_2D);
        glDeleteTextures(1, &texture);
    }
    GlTestContext::reset();
}
