// The real level at the game's size, drawn from several places with the
// shadow volumes cut just below the floor and at their full length: every
// pixel a player can see must come out the same, but for rounding on a few
// shadow outlines. And the shadows must be there to compare.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "player/Bee.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "scene/ShadowVolume.h"
#include "support/GeneratedLevel.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"

TEST(ShadowFloorCut, CutVolumesShadeEveryVisiblePixelAsFullOnesDo) {
    GlTestContext::reset();
    applyFixedGlState();
    World* world = GeneratedLevel::world();
    if (world == nullptr) {
        GTEST_SKIP() << "no generated content in " << ZUMBRA_BUILD_DIR;
    }
    const float floorTop = GeneratedLevel::floorTop();
    // A 1024 x 768 frame with depth and stencil, bigger than the test window.
    const OffscreenFrame frame(1024, 768);
    EXPECT_TRUE(frame.complete());

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
        return frame.pixels();
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
}
