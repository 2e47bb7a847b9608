// The shadow pass as players see it: counting the volumes in one pass must
// darken exactly the pixels the two passes darken, by the same amount, and
// the darkening must reach the edges of a wide screen.
#include "app/ShadowPass.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "player/Bee.h"
#include "scene/Bomb.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/ShadowVolume.h"
#include "support/GeneratedLevel.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"

namespace {

constexpr float kLight[3] = {-20.0f, 100.0f, 0.0f};

// The frame as the game draws it, its shadows counted the given way; with
// shadows off, the same frame without them.
std::vector<uint32_t> frameWith(World& world, const OffscreenFrame& frame,
                                ShadowPass::Counting counting, bool shadows = true) {
    const Quiet quiet;  // culled objects say so
    glLoadIdentity();
    world.drawScene();
    if (shadows) {
        world.root->castShadowTree(kLight[0], kLight[1], kLight[2]);
        ShadowPass::draw(*world.root, counting);
    }
    world.drawOverlay();
    return frame.pixels();
}

struct Difference {
    long pixels = 0;
    int largest = 0;  // over the channels of every pixel
};

Difference compare(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int fromX = 0,
                   int toX = 1 << 30, int width = 1) {
    Difference d;
    for (size_t i = 0; i < a.size(); ++i) {
        const int x = static_cast<int>(i % static_cast<size_t>(width));
        if (a[i] == b[i] || (width > 1 && (x < fromX || x >= toX))) {
            continue;
        }
        ++d.pixels;
        for (int shift = 0; shift < 32; shift += 8) {
            d.largest = std::max(d.largest,
                                 std::abs(int(a[i] >> shift & 255u) - int(b[i] >> shift & 255u)));
        }
    }
    return d;
}

// Puts the bee at x, y, z turned by pitch and yaw from its start, and lets
// the World take a step there.
void placeBee(World& world, float x, float y, float z, float pitch, float yaw) {
    Bee& bee = *world.bee;
    bee.position = Vector3(x, y, z);
    bee.forward = Vector3(0, 0, 1);
    bee.up = Vector3(0, 1, 0);
    bee.side = Vector3(1, 0, 0);
    bee.pitch(pitch);
    bee.yaw(yaw);
    const Quiet quiet;
    world.update(30);
}

// The game's fixed state and its level, the volumes cut at the floor.
class ShadowPassGl : public ::testing::Test {
protected:
    void SetUp() override {
        GlTestContext::reset();
        applyFixedGlState();
        world = GeneratedLevel::world();
        if (world == nullptr) {
            GTEST_SKIP() << "no generated content in " << ZUMBRA_BUILD_DIR;
        }
        ShadowVolume::setFloorHeight(GeneratedLevel::floorTop());
    }
    void TearDown() override { ShadowVolume::clearFloorHeight(); }

    World* world = nullptr;
};

}  // namespace

TEST_F(ShadowPassGl, OnePassDarkensThePixelsTwoPassesDarken) {
    const OffscreenFrame frame(1024, 768);
    ASSERT_TRUE(frame.complete());
    ASSERT_TRUE(ShadowPass::supports(ShadowPass::kSeparate));

    const auto expectSame = [&](const char* view) {
        SCOPED_TRACE(view);
        const std::vector<uint32_t> twoPasses = frameWith(*world, frame, ShadowPass::kTwoPasses);
        // The shadows are there to compare: far more pixels than may differ.
        EXPECT_GT(
            compare(twoPasses, frameWith(*world, frame, ShadowPass::kTwoPasses, false)).pixels,
            10000);
        for (ShadowPass::Counting one : {ShadowPass::kSeparate, ShadowPass::kTwoSideExt}) {
            if (!ShadowPass::supports(one)) {
                continue;
            }
            const Difference d = compare(twoPasses, frameWith(*world, frame, one));
            EXPECT_LE(d.pixels, 1024 * 768 / 1000) << "counting " << one;
            EXPECT_LE(d.largest, 1) << "counting " << one;
        }
    };
    placeBee(*world, -20, 20, 0, 0.0f, 0.0f);
    expectSame("the start view");
    // The tulip placed tilted at (-20, 0, 10) seen from close by.
    placeBee(*world, -28, 9, 0, 0.35f, 0.9f);
    expectSame("the tilted tulip");
    // A turn ended by a bounce: the axes go back at once, the matrix the
    // volume is drawn with only at the next update.
    placeBee(*world, 0, 14, -30, 0.3f, 2.8f);
    world->bee->pitchRate = -20.0f;
    {
        const Quiet quiet;
        world->update(10);
    }
    world->bee->restorePrevious();
    expectSame("the bee after a bounce");
    // E held from the start: a bomb every step, the hundred spread from the
    // bee down to the floor.
    placeBee(*world, -20, 20, 0, 0.0f, 0.0f);
    world->bombsLeft = 100;
    for (int step = 0; step < 60; ++step) {
        const Quiet quiet;
        world->spawnBomb();
        world->update(30);
    }
    ASSERT_GE(world->bombs->size(), 40u);
    expectSame("the stream");
}

// Full screen on 16:9 and 21:9 monitors: looking down over the flowers,
// the outer strips a quad on the near plane left out (about a tenth of the
// width on each side at 16:9, a fifth at 21:9) must be darkened too.
TEST_F(ShadowPassGl, DarkeningReachesTheEdgesOfWideScreens) {
    placeBee(*world, 0, 45, -40, 0.9f, 0.0f);
    for (const int width : {1920, 2560}) {
        SCOPED_TRACE(width);
        const OffscreenFrame frame(width, 1080);
        ASSERT_TRUE(frame.complete());
        const std::vector<uint32_t> lit =
            frameWith(*world, frame, ShadowPass::bestCounting(), false);
        const std::vector<uint32_t> shaded = frameWith(*world, frame, ShadowPass::bestCounting());
        // Where the quad of old stopped: x = 1 / (aspect tan 35 degrees) in the view.
        const double inner = 1.0 / (double(width) / 1080.0 * 0.7002);
        const int strip = static_cast<int>((1.0 - inner) / 2.0 * width);
        EXPECT_GT(compare(lit, shaded, 0, strip, width).pixels, 2000) << "left strip";
        EXPECT_GT(compare(lit, shaded, width - strip, width, width).pixels, 2000) << "right strip";
    }
}

// The bee and the bombs cast their shadows from hulls with their outlines
// as seen from the light: the bee low over the floor, where its shadow is
// largest on screen, and bombs falling some ten units away, as a player
// watches them, must darken almost the pixels their drawn models would.
// What may differ is their parts' shadows on themselves (a bomb's collar's
// on its ball).
TEST_F(ShadowPassGl, HullsCastTheShadowsTheirModelsWould) {
    const OffscreenFrame frame(1024, 768);
    const auto hullsAgainstModels = [&](const char* view) {
        SCOPED_TRACE(view);
        std::vector<SceneObject*> hulled{world->bee};
        hulled.insert(hulled.end(), world->bombs->begin(), world->bombs->end());
        const std::vector<uint32_t> fromHulls =
            frameWith(*world, frame, ShadowPass::bestCounting());
        std::vector<Model*> hulls;
        for (SceneObject* o : hulled) {
            hulls.push_back(o->shadowModel);
            o->shadowModel = nullptr;
        }
        const std::vector<uint32_t> fromModels =
            frameWith(*world, frame, ShadowPass::bestCounting());
        for (size_t i = 0; i < hulled.size(); ++i) {
            hulled[i]->shadowModel = hulls[i];
        }
        return compare(fromHulls, fromModels).pixels;
    };
    placeBee(*world, -20, 3, 0, 0.0f, 0.0f);
    EXPECT_LE(hullsAgainstModels("the bee over the floor"), 250);
    world->bombsLeft = 100;
    for (int step = 0; step < 10; ++step) {
        const Quiet quiet;
        world->spawnBomb();
        world->update(30);
    }
    placeBee(*world, -20, 14, -12, 0.0f, 0.0f);
    ASSERT_GE(world->bombs->size(), 5u);
    EXPECT_LE(hullsAgainstModels("bombs ten units away"), 250);
}
