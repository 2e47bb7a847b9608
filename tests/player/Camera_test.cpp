#include "player/Camera.h"

#include <gtest/gtest.h>

#include "support/BoxFrustum.h"

TEST(Camera, SphereTestTreatsTouchingFromOutsideAsOutside) {
    Camera camera;
    setBoxFrustum(camera, 10.0f);
    for (const float* n : camera.planes) {
        // Each plane rejects on its own: a sphere just past it, along its normal.
        EXPECT_FALSE(camera.sphereInFrustum(-11 * n[0], -11 * n[1], -11 * n[2], 0.5f))
            << n[0] << n[1] << n[2];
    }
    EXPECT_TRUE(camera.sphereInFrustum(0, 0, 0, 0));
    // Partly inside every plane: visible.
    EXPECT_TRUE(camera.sphereInFrustum(12, 0, 0, 2.5f));
    // Touching from outside (e == -radius) is outside; radius 0 puts points
    // on a plane outside.
    EXPECT_FALSE(camera.sphereInFrustum(12, 0, 0, 2));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 10, 0));
}
