#include "player/Camera.h"

#include <gtest/gtest.h>

// The frustum here is the box |x|, |y|, |z| < 10, written straight into the
// planes so the sphere test runs without a GL context.
TEST(Camera, SphereTestTreatsTouchingFromOutsideAsOutside) {
    Camera camera;
    const float normals[6][3] = {{-1, 0, 0}, {1, 0, 0},  {0, 1, 0},
                                 {0, -1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (int p = 0; p < 6; ++p) {
        camera.planes[p][0] = normals[p][0];
        camera.planes[p][1] = normals[p][1];
        camera.planes[p][2] = normals[p][2];
        camera.planes[p][3] = 10.0f;
        // Each plane rejects on its own: a sphere just past it, along its normal.
        EXPECT_FALSE(camera.sphereInFrustum(-11 * normals[p][0], -11 * normals[p][1],
                                            -11 * normals[p][2], 0.5f))
            << p;
    }
    EXPECT_TRUE(camera.sphereInFrustum(0, 0, 0, 0));
    // Partly inside every plane: visible.
    EXPECT_TRUE(camera.sphereInFrustum(12, 0, 0, 2.5f));
    // Touching from outside (e == -radius) is outside; radius 0 puts points
    // on a plane outside.
    EXPECT_FALSE(camera.sphereInFrustum(12, 0, 0, 2));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 10, 0));
}
