// The real level at the game's size, drawn from several places with the
// shadow volumes cut just below the floor and at their full length: every
// pixel a player can see must come out the same, but for rounding on a few
// shadow outlines. And the shadows must be there to compare.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <numeric>
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "assets/FlowerKind.h"
#include "player/Bee.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "scene/ShadowVolume.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

namespace fs = std::filesystem;

TEST(ShadowFloorCut, CutVolumesShadeEveryVisiblePixelAsFullOnesDo) {
    const fs::path generated = fs::path(ZUMBRA_BUILD_DIR) / "data";
    if (!fs::exists(generated / "floor0_0_LOD0.ms3d")) {
        GTEST_SKIP() << "no generated content in " << generated;
    }
    GlTestContext::reset();
    applyFixedGlState();
    ScratchDirectory scratch(true);
    fs::create_directory_symlink(generated, fs::path(scratch.path) / "data");
    static World* world = nullptr;  // lives for the rest of the run, as in the game
    {
        const Quiet quiet;
        world = new World();
    }
    ASSERT_FALSE(world->floorTiles->empty());
    // A flower placed pitched and rolled is drawn upright (its orientation
    // matrix stays as built), and so must its volume be cut.
    const FlowerKind& tulip = kFlowerKinds[0];
    auto* tilted = new Flower(-20, 0, 10, 0.5f, 0.0f, 0.4f, 1.0f, tulip.points, tulip.sphereX,
                              tulip.sphereY, tulip.sphereZ, tulip.sphereRadius);
    tilted->setModelFile(tulip.lod0Model);
    {
        const Quiet quiet;
        tilted->loadModel();
    }
    tilted->setCastsShadow(true);
    world->root->addChild(tilted);
    float floorTop = 0.0f;
    ASSERT_TRUE(world->floorTiles->front()->surfaceTop(floorTop));

    // A 1024 x 768 frame with depth and stencil, bigger than the test window.
    const int width = 1024, height = 768;
    GLuint frame = 0, buffers[2] = {0, 0};
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH24_STENCIL8};
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_STENCIL_ATTACHMENT};
    glGenFramebuffers(1, &frame);
    glBindFramebuffer(GL_FRAMEBUFFER, frame);
    glGenRenderbuffers(2, buffers);
    for (int i = 0; i < 2; ++i) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[i]);
        glRenderbufferStorage(GL_RENDERBUFFER, formats[i], width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, buffers[i]);
    }
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(world->fieldOfView, double(width) / height, world->nearPlane, world->farPlane);
    glMatrixMode(GL_MODELVIEW);

    const auto draw = [&](bool cut, bool shadows) {
        cut ? ShadowVolume::setFloorHeight(floorTop) : ShadowVolume::clearFloorHeight();
        for (Node* child : *world->root->children) {
            if (auto* object = dynamic_cast<SceneObject*>(child)) {
                object->shadowDirty = true;
            }
        }
        const Quiet quiet;  // culled objects say so
        glLoadIdentity();
        world->drawScene();
        if (shadows) {
            world->shadowPass();
        }
        world->drawOverlay();
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const auto differing = [](const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        return std::inner_product(a.begin(), a.end(), b.begin(), 0, std::plus<>(),
                                  std::not_equal_to<>());
    };

    // The start, over the flowers, low over the floor, high up looking down,
    // and across the hall towards the dome's wall: x, y, z, pitch, yaw.
    const float views[][5] = {{-20, 20, 0, 0.0f, 0.0f},
                              {0, 14, -30, 0.3f, 2.8f},
                              {-45, 4, 25, 0.0f, 2.2f},
                              {10, 55, 5, 1.2f, 0.7f},
                              {35, 25, 35, 0.2f, -2.4f}};
    int shaded = 0;
    for (const float* v : views) {
        world->bee->position = Vector3(v[0], v[1], v[2]);
        world->bee->pitch(v[3]);
        world->bee->yaw(v[4]);
        // A steep turn ended by a bounce: the bee's axes go back at once,
        // its matrix (and so its drawn volume) only at the next update.
        world->bee->pitchRate = -20.0f;
        {
            const Quiet quiet;
            world->update(10);
        }
        world->bee->restorePrevious();
        const std::vector<uint32_t> cut = draw(true, true);
        EXPECT_LE(differing(cut, draw(false, true)), 40)
            << "view at " << v[0] << ", " << v[1] << ", " << v[2];
        shaded += differing(cut, draw(true, false));
        world->bee->yaw(-v[4]);
        world->bee->pitch(-v[3]);
    }
    // The shadows themselves cover far more than the outlines that may differ.
    EXPECT_GT(shaded, 50000);

    ShadowVolume::clearFloorHeight();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &frame);
    glDeleteRenderbuffers(2, buffers);
    GlTestContext::reset();
}
