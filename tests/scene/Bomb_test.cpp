#include "scene/Bomb.h"

#include <gtest/gtest.h>

#include "player/Camera.h"
#include "support/BoxFrustum.h"

TEST(Bomb, FallsVelocityFirstAndItsUpdateNeitherCullsNorTurns) {
    Bomb bomb(-20, 20, 0, 0.1f, 0, 0, 1, 10.01f);
    const auto frame = [&bomb] {  // one at 50 fps, as the World runs it
        bomb.clearForce();
        bomb.addForce(Vector3(0, -9.81f, 0) * bomb.mass);
        bomb.integrate(50.0f);
    };
    frame();
    // Moved by the new velocity: (0, -0.003924, 0.02).
    EXPECT_NEAR(bomb.velocity.y, -0.1962f, 1e-6f);
    EXPECT_NEAR(bomb.position.y, 20.0f - 0.003924f, 1e-6f);
    EXPECT_NEAR(bomb.position.z, 0.02f, 1e-7f);
    frame();
    // Cleared each frame, not accumulated; the horizontal speed is kept.
    EXPECT_NEAR(bomb.velocity.y, -0.3924f, 1e-6f);
    EXPECT_NEAR(bomb.velocity.z, 1.0f, 1e-7f);
    EXPECT_EQ(bomb.getReleaseHeight(), 20.0f);

    Camera blind;
    setBoxFrustum(blind, -1000.0f);  // every sphere lies outside
    theCamera = &blind;
    bomb.yaw(1.0f);
    testing::internal::CaptureStdout();
    bomb.update(60);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(bomb.visible);
    EXPECT_EQ(bomb.orientation->m[0], 1.0f);
    theCamera = nullptr;
}
