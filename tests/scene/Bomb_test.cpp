#include "scene/Bomb.h"

#include <gtest/gtest.h>

#include "player/Camera.h"
#include "scene/Floor.h"

TEST(Bomb, FallsUnderGravityVelocityFirst) {
    Bomb bomb(-20, 20, 0, 0.1f, 0, 0, 1, 10.01f);
    EXPECT_EQ(bomb.getReleaseHeight(), 20.0f);
    EXPECT_FALSE(bomb.exploded);
    EXPECT_EQ(bomb.mass, 10.01f);

    // One frame at 50 fps, as the World runs it.
    bomb.clearForce();
    bomb.addForce(Vector3(0, -9.81f, 0) * bomb.mass);
    bomb.integrate(50.0f);
    EXPECT_NEAR(bomb.velocity.x, 0.0f, 1e-7f);
    EXPECT_NEAR(bomb.velocity.y, -0.1962f, 1e-6f);
    EXPECT_NEAR(bomb.velocity.z, 1.0f, 1e-7f);
    // Moved by the new velocity: (0, -0.003924, 0.02).
    EXPECT_NEAR(bomb.position.x, -20.0f, 1e-6f);
    EXPECT_NEAR(bomb.position.y, 20.0f - 0.003924f, 1e-6f);
    EXPECT_NEAR(bomb.position.z, 0.02f, 1e-7f);
    EXPECT_EQ(bomb.getReleaseHeight(), 20.0f);

    // Forces add up until cleared.
    bomb.addForce(Vector3(1, 0, 0));
    bomb.addForce(Vector3(2, 0, 0));
    EXPECT_NEAR(bomb.force.x, 3.0f, 1e-6f);
    bomb.clearForce();
    EXPECT_EQ(bomb.force.x + bomb.force.y + bomb.force.z, 0.0f);

    // A second frame keeps the horizontal speed and adds the same drop in speed.
    bomb.addForce(Vector3(0, -9.81f, 0) * bomb.mass);
    bomb.integrate(50.0f);
    EXPECT_NEAR(bomb.velocity.y, -0.3924f, 1e-6f);
    EXPECT_NEAR(bomb.velocity.z, 1.0f, 1e-7f);

    bomb.explode();
    bomb.explode();
    EXPECT_TRUE(bomb.exploded);
}

TEST(Bomb, UpdateNeitherCullsNorTurns) {
    Camera camera;  // planes all zero with d = 0: every sphere is outside
    theCamera = &camera;
    Bomb bomb(5, 5, 5, 0.1f, 1, 0, 0, 10.01f);
    bomb.yaw(1.0f);
    testing::internal::CaptureStdout();
    bomb.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(bomb.visible);
    EXPECT_EQ(bomb.orientation->m[0], 1.0f);
    EXPECT_EQ(bomb.position.x, 5.0f);
    theCamera = nullptr;

    // The ground the World tests bombs against is flat at 0.
    Floor tile(0, 0, 0, 1);
    EXPECT_EQ(tile.heightAt(-20, 35), 0.0f);
    EXPECT_EQ(tile.heightAt(1e6f, -1e6f), 0.0f);
}
