#include "player/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/GlTestContext.h"
#include "support/VectorNear.h"

TEST(CameraGl, EyeFollowsTheBeeFrustumPlanesAreInWorldCoordinatesAndRatesStepBeforeDecaying) {
    GlTestContext::reset();
    Camera follower;
    follower.lookAt(-20, 20, 0);
    expectNear(follower.getEyePosition(), -20.0f, 22.152f, -2.090f, 1e-3f);
    // A bee yawed a quarter turn left (forward +x, side -z): the eye swings
    // behind it along -x, and the view looks along +x and down.
    glLoadIdentity();
    follower.setFollowRotation(0, 0, -1, 0, 1, 0, 1, 0, 0);
    follower.lookAt(-20, 20, 0);
    expectNear(follower.eye, -20.0f - 3.0f * std::cos(0.8f), 20.0f + 3.0f * std::sin(0.8f), 0.0f);
    const Matrix4 view = follower.getViewRotation();
    EXPECT_NEAR(view.m[8], std::cos(0.8f), 1e-6f);
    EXPECT_NEAR(view.m[9], -std::sin(0.8f), 1e-6f);

    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(70.0, 1024.0 / 768.0, 1.0, 1500.0);  // the game's projection
    glMatrixMode(GL_MODELVIEW);
    Camera camera;
    // Before any lookAt the view is the identity: looking down -z from the origin.
    camera.update(60);
    EXPECT_TRUE(camera.sphereInFrustum(0, 0, -10, 0.5f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, 10, 0.5f));
    EXPECT_NEAR(camera.planes[5][3], -1.0f, 1e-4f);  // near plane, normalised

    // One frame as the game runs it: look at the bee, pop the modelview back
    // to the identity (and disturb it), then update.
    glPushMatrix();
    camera.lookAt(-20, 20, 0);
    glPopMatrix();
    glTranslatef(100, 0, 0);
    camera.update(60);
    glLoadIdentity();
    EXPECT_TRUE(camera.sphereInFrustum(-20, 20, 0, 0.1f));
    EXPECT_TRUE(camera.sphereInFrustum(-20, 10, 30, 1.0f));
    // Behind the camera; an eye-space test would have passed the second.
    EXPECT_FALSE(camera.sphereInFrustum(-20, 25, -10, 1.0f));
    EXPECT_FALSE(camera.sphereInFrustum(0, 0, -10, 0.5f));
    EXPECT_TRUE(camera.sphereInFrustum(-20, 25, -10, 20.0f));
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));

    // A rate added this frame moves the camera at its full value once, then decays.
    camera.addYawRate(0.1f);
    camera.addZoomRate(-5.0f);
    camera.update(60);
    EXPECT_FLOAT_EQ(camera.yaw, std::atan(std::tanh(0.05f)) * 10.0f / 60.0f);
    EXPECT_FLOAT_EQ(camera.distance, 3.0f + std::atan(std::tanh(-2.5f)) * 5.0f / 60.0f);
    EXPECT_FLOAT_EQ(camera.yawRate, 0.1f * 0.925f);
    EXPECT_FLOAT_EQ(camera.zoomRate, -5.0f * 0.925f);
}
