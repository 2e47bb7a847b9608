#include "player/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "math/RateStep.h"
#include "support/GlTestContext.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// The game's projection: 70 degrees, 4:3, near 1, far 1500.
void setGameProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70.0, 1024.0 / 768.0, 1.0, 1500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// One frame as the game runs it: the render sets the view, then the frame
// pops the modelview back to the identity before the next update.
void renderThenUpdate(Camera& camera, Vector3 bee, int frameRate) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    camera.lookAt(bee.x, bee.y, bee.z);
    glPopMatrix();
    camera.update(frameRate);
}

}  // namespace

TEST(CameraGl, EyeFollowsTheBeeAndItsOrientation) {
    GlTestContext::reset();
    Camera camera;

    camera.lookAt(-20, 20, 0);
    EXPECT_NEAR(camera.eye.x, -20.0f, 1e-5f);
    EXPECT_NEAR(camera.eye.y, 20.0f + 3.0f * std::sin(0.8f), 1e-5f);
    EXPECT_NEAR(camera.eye.z, -3.0f * std::cos(0.8f), 1e-5f);
    EXPECT_NEAR(camera.getEyePosition().y, 22.152f, 1e-3f);
    EXPECT_NEAR(camera.getEyePosition().z, -2.090f, 1e-3f);

    // gluLookAt went onto the modelview: the target lands on the view axis
    // at the camera distance.
    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    const float tx = mv[0] * -20 + mv[4] * 20 + mv[12];
    const float ty = mv[1] * -20 + mv[5] * 20 + mv[13];
    const float tz = mv[2] * -20 + mv[6] * 20 + mv[14];
    EXPECT_NEAR(tx, 0.0f, 1e-4f);
    EXPECT_NEAR(ty, 0.0f, 1e-4f);
    EXPECT_NEAR(tz, -3.0f, 1e-4f);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(camera.viewMatrix.m[i], mv[i]) << i;
    }

    // A bee yawed a quarter turn left (forward +x, side -z): the eye swings
    // behind it along -x; the up vector handed to GL stays world up.
    glLoadIdentity();
    camera.setFollowRotation(0, 0, -1, 0, 1, 0, 1, 0, 0);
    camera.lookAt(-20, 20, 0);
    EXPECT_NEAR(camera.eye.x, -20.0f - 3.0f * std::cos(0.8f), 1e-5f);
    EXPECT_NEAR(camera.eye.y, 20.0f + 3.0f * std::sin(0.8f), 1e-5f);
    EXPECT_NEAR(camera.eye.z, 0.0f, 1e-5f);
    EXPECT_EQ(camera.up.y, 1.0f);
    // viewRotation = follow * Ry(yaw) * Rx(pitch): its third column is the look direction.
    const Matrix4 view = camera.getViewRotation();
    EXPECT_NEAR(view.m[8], std::cos(0.8f), 1e-6f);
    EXPECT_NEAR(view.m[9], -std::sin(0.8f), 1e-6f);
    EXPECT_NEAR(view.m[10], 0.0f, 1e-6f);

    // Orbit yaw about the bee's up: a quarter turn of yaw on an unrotated bee
    // puts the eye on its side (-x), not behind it.
    glLoadIdentity();
    camera.setFollowRotation(1, 0, 0, 0, 1, 0, 0, 0, 1);
    camera.yaw = kPi / 2;
    camera.lookAt(0, 0, 0);
    EXPECT_NEAR(camera.eye.x, -3.0f * std::cos(0.8f), 1e-5f);
    EXPECT_NEAR(camera.eye.z, 0.0f, 1e-5f);

    // Distance may pass through zero: the eye goes in front of the target.
    glLoadIdentity();
    camera.yaw = 0;
    camera.setDistance(-1.0f);
    camera.lookAt(0, 0, 0);
    EXPECT_NEAR(camera.eye.z, std::cos(0.8f), 1e-5f);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(CameraGl, UpdateStepsAnglesThenDecaysRates) {
    GlTestContext::reset();
    setGameProjection();
    Camera camera;
    camera.addYawRate(0.1f);
    camera.addPitchRate(-0.05f);
    camera.addZoomRate(2.0f);

    camera.update(60);
    // The first update moves at the rates as added, then decays them.
    EXPECT_FLOAT_EQ(camera.yaw, std::atan(std::tanh(0.05f)) * 10.0f / 60.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.8f + std::atan(std::tanh(-0.025f)) * 10.0f / 60.0f);
    EXPECT_FLOAT_EQ(camera.distance, 3.0f + std::atan(std::tanh(1.0f)) * 5.0f / 60.0f);
    EXPECT_FLOAT_EQ(camera.yawRate, 0.1f * 0.925f);
    EXPECT_FLOAT_EQ(camera.pitchRate, -0.05f * 0.925f);
    EXPECT_FLOAT_EQ(camera.zoomRate, 2.0f * 0.925f);

    // Left alone, every rate reaches exactly zero and the camera stays put.
    for (int i = 0; i < 400; ++i) {
        camera.update(60);
    }
    EXPECT_EQ(camera.yawRate, 0.0f);
    EXPECT_EQ(camera.pitchRate, 0.0f);
    EXPECT_EQ(camera.zoomRate, 0.0f);
    const float yaw = camera.yaw, pitch = camera.pitch, distance = camera.distance;
    camera.update(60);
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_EQ(camera.pitch, pitch);
    EXPECT_EQ(camera.distance, distance);

    // The threshold itself decays; at 3 fps the rate flips sign.
    camera.yawRate = 0.00001f;
    camera.update(60);
    EXPECT_GT(camera.yawRate, 0.0f);
    camera.pitchRate = 0.2f;
    camera.update(3);
    EXPECT_FLOAT_EQ(camera.pitchRate, -0.1f);

    // A huge zoom rate moves at most pi/4 * 5 units per second.
    camera.zoomRate = 1e9f;
    const float before = camera.distance;
    camera.update(1);
    EXPECT_NEAR(camera.distance - before, kPi / 4.0f * 5.0f, 1e-4f);
}

TEST(CameraGl, FrustumPlanesAreInWorldCoordinates) {
    GlTestContext::reset();
    setGameProjection();
    Camera camera;

    // Before any lookAt the view is the identity: the frustum looks down -z
    // from the origin.
    camera.update(60);
    EXPECT_TRUE(camera.sphereInFrustum(0, 0, -10, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 10, 0.5f));
    for (const float* plane : camera.planes) {
        EXPECT_NEAR(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2], 1.0f, 1e-5f);
    }
    // Near plane at z = -1, far plane at z = -1500.
    EXPECT_NEAR(camera.planes[5][2], -1.0f, 1e-6f);
    EXPECT_NEAR(camera.planes[5][3], -1.0f, 1e-4f);
    EXPECT_NEAR(camera.planes[4][2], 1.0f, 1e-6f);
    EXPECT_NEAR(camera.planes[4][3], 1500.0f, 0.5f);

    // The bee at (-20, 20, 0) facing +z: the camera sits behind and above it.
    const Vector3 bee(-20, 20, 0);
    renderThenUpdate(camera, bee, 60);
    EXPECT_TRUE(camera.sphereInFrustum(bee.x, bee.y, bee.z, 0.1f));
    // Ahead of the bee, well inside the view.
    EXPECT_TRUE(camera.sphereInFrustum(-20, 10, 30, 1.0f));
    // Behind the camera and far off to a side: outside.
    EXPECT_FALSE(camera.sphereInFrustum(-20, 25, -10, 1.0f));
    EXPECT_FALSE(camera.sphereInFrustum(200, 20, 5, 1.0f));
    // A world origin test against eye-space planes would have passed this
    // one (it lies on the eye-space view axis); in world space it is behind.
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, -10, 0.5f));
    // A big enough radius reaches back into the view.
    EXPECT_TRUE(camera.sphereInFrustum(-20, 25, -10, 20.0f));

    // The planes follow the view of the last lookAt, whatever the modelview
    // holds at update time.
    glLoadIdentity();
    glTranslatef(100, 0, 0);
    camera.update(60);
    EXPECT_TRUE(camera.sphereInFrustum(bee.x, bee.y, bee.z, 0.1f));
    glLoadIdentity();
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}
