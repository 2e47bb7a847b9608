#include "player/Bee.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "math/RateStep.h"
#include "support/MeshModel.h"
#include "support/VectorNear.h"

// The bee steps its rates with rateStep, gain 5 for moves and 10 for turns.
constexpr float kPi = 3.14159265358979f;

TEST(Bee, RatesApplyInOrderStrafeGoesLeftAndThrustSnapsToRestSooner) {
    // At 9 frames per second the decay halves a rate. Thrust snaps inside
    // +-0.0001, the others only inside +-0.00001; the bounds are not inside.
    Bee rates(0, 0, 0, 0, 0, 0, 1.0f);
    rates.addThrust(0.00009f);
    rates.addYawRate(0.00009f);
    rates.addStrafe(0.000009f);
    rates.addLift(-0.00001f);
    rates.update(9);
    EXPECT_EQ(rates.thrust, 0.0f);
    EXPECT_FLOAT_EQ(rates.yawRate, 0.000045f);
    EXPECT_EQ(rates.strafe, 0.0f);
    EXPECT_FLOAT_EQ(rates.lift, -0.000005f);
    rates.thrust = 0.0001f;
    rates.update(9);
    EXPECT_FLOAT_EQ(rates.thrust, 0.00005f);

    // Thrust moves along the old forward, the yaw turns, then strafe moves
    // along the new side; the orientation matrix follows.
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.addThrust(2.0f);
    bee.addYawRate(1.0f);
    bee.addStrafe(2.0f);
    bee.update(30);
    const float a = rateStep(1.0f, 10, 30), s = rateStep(2.0f, 5, 30);
    expectNear(bee.forward, std::sin(a), 0, std::cos(a));
    expectNear(bee.position, s * std::cos(a), 0, s - s * std::sin(a));
    EXPECT_FLOAT_EQ(bee.orientation->m[2], bee.side.z);
    EXPECT_FLOAT_EQ(bee.orientation->m[8], bee.forward.x);

    // Turned a quarter right, side is -z: strafing left moves towards -z.
    Bee turned(0, 0, 0, 0, kPi / 2, 0, 1.0f);
    turned.addStrafe(2.0f);
    turned.addLift(-2.0f);
    turned.update(60);
    expectNear(turned.position, 0, -rateStep(2.0f, 5, 60), -rateStep(2.0f, 5, 60));
}

TEST(Bee, WingsFlapOnlyAtPositiveFrameRatesAndTheStateStaysFinite) {
    Bee bee(1, 2, 3, 0, 0, 0, 0.1f);
    bee.wings = new SceneObject(0, 0.65f, 1.3f, 0, 0, 0, 1.0f);
    bee.addThrust(5.0f);
    bee.addRollRate(1.0f);
    bee.update(60);
    EXPECT_EQ(bee.wingPhase, 1);
    expectNear(bee.wings->forward, 0, -std::sin(0.13f), std::cos(0.13f));
    EXPECT_EQ(bee.wings->orientation->m[9], bee.wings->forward.y);  // updated as well
    bee.restorePrevious();
    expectNear(bee.position, 1, 2, 3, 0);
    expectNear(bee.side, 1, 0, 0, 0);
    expectNear(bee.up, 0, 1, 0, 0);
    EXPECT_EQ(bee.rollRate, 0.0f);

    bee.addThrust(5.0f);
    bee.addYawRate(3.0f);
    bee.update(0);
    bee.update(-7);
    EXPECT_EQ(bee.wingPhase, 1);
    expectNear(bee.wings->forward, 0, -std::sin(0.13f), std::cos(0.13f));
    EXPECT_TRUE(std::isfinite(length(bee.position) + length(bee.forward) + bee.thrust));
    bee.update(30);
    EXPECT_EQ(bee.wingPhase, 0);
    expectNear(bee.wings->forward, 0, 0, 1);
}

TEST(Bee, MouseLookCentresTurnsAndLifts) {
    static std::vector<std::pair<int, int>> warps;
    warps.clear();
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.warpPointer = [](int x, int y) { warps.emplace_back(x, y); };
    bee.mouseLook(900, 100, 1024, 768);  // first event: only centres
    EXPECT_EQ(warps, (std::vector<std::pair<int, int>>{{512, 384}}));
    EXPECT_EQ(bee.yawRate, 0.0f);
    EXPECT_EQ(bee.lift, 0.0f);

    bee.mouseLook(612, 334, 1024, 768);  // right turns right, up lifts
    EXPECT_FLOAT_EQ(bee.yawRate, -100.0f / 1024.0f * 2.0f);
    EXPECT_FLOAT_EQ(bee.lift, 50.0f / 768.0f * 20.0f);
    EXPECT_EQ(warps.size(), 2u);

    bee.yawRate = 0.0f;
    bee.mouseLook(513, 383, 1024, 768);  // within a pixel: kept, no warp
    EXPECT_EQ(warps.size(), 2u);
    bee.mouseLook(514, 383, 1024, 768);  // counted from 513
    EXPECT_FLOAT_EQ(bee.yawRate, -2.0f / 1024.0f * 2.0f);
    EXPECT_EQ(warps.size(), 3u);

    bee.mouseLook(0, 0, 1023, 767);  // an odd window's centre rounds down
    EXPECT_EQ(warps.back(), std::make_pair(511, 383));
}

TEST(Bee, BounceSendsItBackAtTheLastSpeedInItsOwnFrame) {
    // Turned a quarter right, flying +x head-on into a wall facing -x: r = n,
    // which in the bee's frame is straight back, so thrust and not strafe.
    Bee turned(0, 0, 0, 0, kPi / 2, 0, 1.0f);
    turned.addThrust(4.0f);
    turned.addYawRate(0.5f);
    turned.update(60);
    const float speed = distance(turned.prevPosition, turned.position) * 60;
    turned.bounce(-1, 0, 0);
    expectNear(turned.position, 0, 0, 0, 0);
    EXPECT_EQ(turned.yawRate, 0.0f);
    EXPECT_NEAR(turned.thrust, -speed, speed * 0.01f);
    EXPECT_NEAR(turned.strafe, 0.0f, speed * 0.1f);

    // Diving onto the floor: the sink comes back as lift, the forward part stays.
    Bee diving(0, 5, 0, 0, 0, 0, 1.0f);
    diving.addThrust(2.0f);
    diving.addLift(-2.0f);
    diving.update(60);
    diving.bounce(0, 1, 0);
    EXPECT_NEAR(diving.thrust, rateStep(2.0f, 5, 60) * 60, 1e-4f);
    EXPECT_NEAR(diving.lift, rateStep(2.0f, 5, 60) * 60, 1e-4f);
    expectNear(diving.position, 0, 5, 0, 0);

    // No movement: no direction (never NaN), and a bounce leaves it at rest,
    // even with a normal that is no direction at all.
    Bee still(3, 4, 5, 0, 0, 0, 1.0f);
    still.addYawRate(2.0f);
    still.update(60);
    expectNear(still.movementDirection(), 0, 0, 0, 0);
    still.bounce(0, 1, 0);
    EXPECT_TRUE(still.thrust == 0.0f && still.strafe == 0.0f && still.lift == 0.0f);
    still.addThrust(3.0f);
    still.update(60);
    still.bounce(NAN, 0, 0);
    EXPECT_EQ(still.thrust, 0.0f);
    still.update(60);
    EXPECT_TRUE(std::isfinite(length(still.position) + length(still.forward)));
}

TEST(Bee, ShadowVolumesOfBeeAndWingsAreBuiltInTheBeesFrame) {
    std::unique_ptr<MeshModel> body(MeshModel::cube({0, 0, 0}, 1.0f));
    std::unique_ptr<MeshModel> wingMesh(MeshModel::cube({0, 0, 0}, 0.5f));
    Bee bee(10, 5, 0, 0, kPi / 2, 0, 2.0f);  // forward +x, side -z
    bee.update(60);
    bee.lod0Model = body->get();
    bee.wings = new SceneObject(0, 0.65f, 1.3f, 0, 0, 0, 1.0f);
    bee.wings->lod0Model = wingMesh->get();
    bee.wings->setShadowEveryFrame(true);
    // Only the every-frame switch rebuilds; the dirty flag is not read.
    bee.castShadow(-20, 100, 0);
    EXPECT_TRUE(bee.shadowDirty);
    EXPECT_EQ(bee.wings->silhouetteIndexCount, 0);

    bee.setShadowEveryFrame(true);
    bee.castShadow(-20, 100, 0);
    // The light in the bee's axes, not divided by its scale, and as the
    // wings see it from their place on the bee.
    expectNear(bee.lightPositionLocal, 0, 95, -30, 1e-4f);
    expectNear(bee.wings->lightPositionLocal, 0, 94.35f, -31.3f, 1e-4f);
    EXPECT_EQ(bee.silhouetteIndexCount, 12);  // two lit faces: six outline edges
    EXPECT_EQ(bee.wings->silhouetteIndexCount, 12);
}
