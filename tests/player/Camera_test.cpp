#include "player/Camera.h"

#include <gtest/gtest.h>

namespace {

// A box frustum |x|, |y|, |z| < 10, written straight into the planes so the
// sphere test can be checked without a GL context.
void setBoxPlanes(Camera& camera) {
    const float normals[6][3] = {{-1, 0, 0}, {1, 0, 0},  {0, 1, 0},
                                 {0, -1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (int p = 0; p < 6; ++p) {
        for (int j = 0; j < 3; ++j) {
            camera.planes[p][j] = normals[p][j];
        }
        camera.planes[p][3] = 10.0f;
    }
}

}  // namespace

TEST(Camera, StartsBehindAndAboveWithRatesAtRest) {
    Camera camera;
    EXPECT_EQ(camera.distance, 3.0f);
    EXPECT_EQ(camera.pitch, 0.8f);
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.yawRate + camera.pitchRate + camera.zoomRate, 0.0f);
    EXPECT_EQ(camera.lookAxis.z, 1.0f);
    EXPECT_EQ(camera.up.y, 1.0f);
    for (int i = 0; i < 16; ++i) {
        const float identity = (i % 5 == 0) ? 1.0f : 0.0f;
        EXPECT_EQ(camera.viewMatrix.m[i], identity) << i;
        EXPECT_EQ(camera.followRotation.m[i], identity) << i;
    }

    camera.addYawRate(0.1f);
    camera.addYawRate(-0.3f);
    camera.addPitchRate(0.05f);
    camera.addZoomRate(-5.0f);
    camera.addZoomRate(2.0f);
    EXPECT_FLOAT_EQ(camera.yawRate, -0.2f);
    EXPECT_FLOAT_EQ(camera.pitchRate, 0.05f);
    EXPECT_FLOAT_EQ(camera.zoomRate, -3.0f);

    Vector3& up = camera.setUp(0, 0, 1);
    EXPECT_EQ(&up, &camera.up);
    EXPECT_EQ(camera.up.z, 1.0f);
}

TEST(Camera, SphereTestTreatsTouchingFromOutsideAsOutside) {
    Camera camera;
    setBoxPlanes(camera);

    EXPECT_TRUE(camera.sphereInFrustum(0, 0, 0, 0));
    EXPECT_TRUE(camera.sphereInFrustum(9.9f, -9.9f, 9.9f, 0));
    // Partly inside every plane: visible.
    EXPECT_TRUE(camera.sphereInFrustum(12, 0, 0, 2.5f));
    // Touching a plane from outside (e == -radius) is outside.
    EXPECT_FALSE(camera.sphereInFrustum(12, 0, 0, 2));
    EXPECT_FALSE(camera.sphereInFrustum(0, -13, 0, 3));
    // Radius 0 is a point test that puts points on a plane outside.
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 10, 0));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, -10, 0));
    // Each of the six planes rejects on its own.
    EXPECT_FALSE(camera.sphereInFrustum(11, 0, 0, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(-11, 0, 0, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 11, 0, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, -11, 0, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 11, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, -11, 0.5f));
}
