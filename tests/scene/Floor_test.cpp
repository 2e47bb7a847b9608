#include "scene/Floor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/MeshModel.h"

// The shadow volumes are cut just under this top, so it must be where the
// tile's own transform puts its highest triangle corner, however it is turned.
TEST(Floor, SurfaceTopIsTheHighestTriangleCornerInTheWorldAndTheFloorIsFlat) {
    // The last vertex, far above and in no triangle, is padding like the
    // content tool's.
    MeshModel tile({{1, 2, 3}, {-2, 1, 0.5f}, {0.5f, -1, 2}, {0, 100, 0}}, {{0, 1, 2}});
    Floor floor(4, -3, 2, 1.5f);
    floor.pitch(0.3f);
    floor.roll(0.4f);
    floor.lod0Model = tile.get();
    float top = 0.0f, highest = -1e9f;
    ASSERT_TRUE(floor.surfaceTop(top));
    for (int i = 0; i < 3; ++i) {
        const float* p = tile.model.vertices[i].position;
        floor.sphereCentre = Vector3(p[0], p[1], p[2]);
        highest = std::max(highest, floor.worldSphereCentre().y);
    }
    EXPECT_NEAR(top, highest, 1e-5f);

    EXPECT_FALSE(Floor(0, 0, 0, 1).surfaceTop(top));  // no model, no top
    EXPECT_EQ(floor.heightAt(-20, 35), 0.0f);
}
