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
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "player/Bee.h"
#include "scene/Floor.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "scene/ShadowVolume.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A 1024 x 768 frame with depth and stencil, bigger than the test window.
class OffscreenFrame {
public:
    OffscreenFrame() {
        glGenFramebuffers(1, &frame_);
        glGenRenderbuffers(2, buffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kWidth, kHeight);
        glBindFramebuffer(GL_FRAMEBUFFER, frame_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  buffers_[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  buffers_[1]);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~OffscreenFrame() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &frame_);
        glDeleteRenderbuffers(2, buffers_);
    }
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    std::vector<uint32_t> read() const {
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    bool complete = false;

private:
    GLuint frame_ = 0;
    GLuint buffers_[2] = {0, 0};
};

int differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        n += a[i] != b[i] ? 1 : 0;
    }
    return n;
}

struct View {
    float x, y, z;
    float pitch, yaw;
};

}  // namespace

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
    float floorTop = 0.0f;
    ASSERT_TRUE(world->floorTiles->front()->surfaceTop(floorTop));

    OffscreenFrame frame;
    ASSERT_TRUE(frame.complete);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(world->fieldOfView, double(kWidth) / kHeight, world->nearPlane, world->farPlane);
    glMatrixMode(GL_MODELVIEW);

    const auto draw = [&](bool cut, bool shadows) {
        if (cut) {
            ShadowVolume::setFloorHeight(floorTop);
        } else {
            ShadowVolume::clearFloorHeight();
        }
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
        glFinish();
        return frame.read();
    };

    // The start, over the flowers, low over the floor, high up looking down,
    // and across the hall towards the dome's wall.
    const View views[] = {{-20, 20, 0, 0.0f, 0.0f},
                          {0, 14, -30, 0.3f, 2.8f},
                          {-45, 4, 25, 0.0f, 2.2f},
                          {10, 55, 5, 1.2f, 0.7f},
                          {35, 25, 35, 0.2f, -2.4f}};
    int worst = 0;
    int shaded = 0;
    for (const View& v : views) {
        world->bee->position = Vector3(v.x, v.y, v.z);
        world->bee->pitch(v.pitch);
        world->bee->yaw(v.yaw);
        {
            const Quiet quiet;
            world->update(60);
        }
        const std::vector<uint32_t> cut = draw(true, true);
        const std::vector<uint32_t> full = draw(false, true);
        const std::vector<uint32_t> none = draw(true, false);
        const int changed = differing(cut, full);
        worst = std::max(worst, changed);
        shaded += differing(cut, none);
        EXPECT_LE(changed, 40) << "view at " << v.x << ", " << v.y << ", " << v.z;
        world->bee->yaw(-v.yaw);
        world->bee->pitch(-v.pitch);
    }
    // The shadows themselves cover far more than the outlines that may differ.
    EXPECT_GT(shaded, 50000);
    std::printf(
        "cut vs full volumes: at most %d differing pixels of %d per frame; "
        "%d shadowed pixels in all\n",
        worst, kWidth * kHeight, shaded);

    ShadowVolume::clearFloorHeight();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GlTestContext::reset();
}
