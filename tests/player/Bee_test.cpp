#include "player/Bee.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "player/Camera.h"
#include "support/MeshModel.h"

namespace {

constexpr float kPi = 3.14159265358979f;

bool finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void expectVector(const Vector3& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

// Records where the bee sends the pointer instead of moving the real one.
std::vector<std::pair<int, int>> warps;
void recordWarp(int x, int y) {
    warps.emplace_back(x, y);
}

// The per-frame move of a rate, as the bee's rate step defines it.
float moveStep(float rate, int frameRate) {
    return std::atan(std::tanh(rate / 2.0f)) * 5.0f / static_cast<float>(frameRate);
}

}  // namespace

TEST(Bee, HeldThrustSettlesBelowTheSpeedCeiling) {
    Bee bee(-20, 20, 0, 0, 0, 0, 0.1f);
    const int f = 60;
    const float ceiling = kPi / 4.0f * 5.0f;  // units per second
    float rateBeforeUpdate = 0.0f;
    Vector3 secondAgo = bee.position;
    for (int frame = 1; frame <= 600; ++frame) {
        bee.addThrust(2.0f);  // the forward key, held
        rateBeforeUpdate = bee.thrust;
        const Vector3 before = bee.position;
        bee.update(f);
        // Never faster than the ceiling, in any single frame.
        EXPECT_LE(distance(before, bee.position), ceiling / f * 1.001f);
        if (frame == 540) {
            secondAgo = bee.position;
        }
    }
    // The rate settles where the decay takes away what the key adds.
    EXPECT_NEAR(rateBeforeUpdate, 2.0f * f / 4.5f, 0.01f);
    // Over the last second the bee flew straight ahead at nearly the ceiling.
    const float lastSecond = distance(secondAgo, bee.position);
    EXPECT_NEAR(lastSecond, ceiling, ceiling * 0.001f);
    EXPECT_FLOAT_EQ(bee.position.x, -20.0f);
    EXPECT_FLOAT_EQ(bee.position.y, 20.0f);

    // Released, it glides to a halt and thrust snaps to exactly 0.
    for (int frame = 0; frame < 600; ++frame) {
        bee.update(f);
    }
    EXPECT_EQ(bee.thrust, 0.0f);
    const Vector3 stopped = bee.position;
    bee.update(f);
    EXPECT_EQ(bee.position.z, stopped.z);
}

TEST(Bee, ThrustSnapsTenTimesSoonerThanTheOtherRates) {
    // At 9 frames per second the decay halves a rate each frame.
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.addThrust(0.00009f);
    bee.addYawRate(0.00009f);
    bee.addStrafe(0.000009f);
    bee.addLift(-0.00001f);  // on the threshold: not strictly inside
    bee.addPitchRate(0.0001f);
    bee.addRollRate(-0.000011f);
    bee.update(9);
    EXPECT_EQ(bee.thrust, 0.0f);
    EXPECT_FLOAT_EQ(bee.yawRate, 0.000045f);
    EXPECT_EQ(bee.strafe, 0.0f);
    EXPECT_FLOAT_EQ(bee.lift, -0.000005f);
    EXPECT_FLOAT_EQ(bee.pitchRate, 0.00005f);
    EXPECT_FLOAT_EQ(bee.rollRate, -0.0000055f);

    // Thrust on its threshold is not snapped either; half of it is.
    Bee edge(0, 0, 0, 0, 0, 0, 1.0f);
    edge.addThrust(0.0001f);
    edge.update(9);
    EXPECT_FLOAT_EQ(edge.thrust, 0.00005f);
    edge.update(9);
    EXPECT_EQ(edge.thrust, 0.0f);
}

TEST(Bee, RatesApplyInOrderEachOnTheFrameTheLastOneLeft) {
    // Thrust moves along the old forward, the yaw turns, then strafe moves
    // along the new side (the bee's left).
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.addThrust(2.0f);
    bee.addYawRate(1.0f);
    bee.addStrafe(2.0f);
    bee.update(30);
    const float a = std::atan(std::tanh(0.5f)) * 10.0f / 30.0f;
    const float s = moveStep(2.0f, 30);
    expectVector(bee.forward, std::sin(a), 0.0f, std::cos(a));
    expectVector(bee.side, std::cos(a), 0.0f, -std::sin(a));
    expectVector(bee.position, s * std::cos(a), 0.0f, s - s * std::sin(a));
    // The orientation matrix follows the axes in the same update.
    const float* m = bee.orientation->data();
    EXPECT_FLOAT_EQ(m[0], bee.side.x);
    EXPECT_FLOAT_EQ(m[2], bee.side.z);
    EXPECT_FLOAT_EQ(m[5], bee.up.y);
    EXPECT_FLOAT_EQ(m[8], bee.forward.x);
    EXPECT_FLOAT_EQ(m[10], bee.forward.z);

    // Turned a quarter to the right, strafing left moves it towards -z, and
    // lift moves it along up.
    Bee turned(0, 0, 0, 0, kPi / 2, 0, 1.0f);
    turned.addStrafe(2.0f);
    turned.addLift(-2.0f);
    turned.update(60);
    expectVector(turned.position, 0.0f, -moveStep(2.0f, 60), -moveStep(2.0f, 60));
}

TEST(Bee, RestorePreviousAndTheFlapSkippedAtFrameRateZero) {
    Camera camera;  // the wings' own update asks it whether they are in view
    theCamera = &camera;
    Bee bee(1, 2, 3, 0, 0, 0, 0.1f);
    bee.wings = new SceneObject(0, 0.65f, 1.3f, 0, 0, 0, 1.0f);
    bee.wings->radius = 1.0f;
    testing::internal::CaptureStdout();  // culling lines, if any

    bee.addThrust(5.0f);
    bee.addRollRate(1.0f);
    bee.update(60);
    EXPECT_EQ(bee.frameRate, 60);
    EXPECT_EQ(bee.wingPhase, 1);
    expectVector(bee.wings->forward, 0.0f, -std::sin(0.13f), std::cos(0.13f));
    const Vector3 moved = bee.position;
    bee.restorePrevious();
    expectVector(bee.position, 1, 2, 3, 0.0f);
    expectVector(bee.side, 1, 0, 0, 0.0f);
    EXPECT_EQ(bee.thrust, 0.0f);
    EXPECT_EQ(bee.rollRate, 0.0f);
    EXPECT_NE(moved.z, bee.position.z);

    // Frame rate 0 or less: no flap, phase kept, and still a finite state.
    bee.addThrust(5.0f);
    bee.addYawRate(3.0f);
    bee.update(0);
    bee.update(-7);
    EXPECT_EQ(bee.wingPhase, 1);
    expectVector(bee.wings->forward, 0.0f, -std::sin(0.13f), std::cos(0.13f));
    EXPECT_TRUE(finite(bee.position) && finite(bee.forward) && finite(bee.side));
    EXPECT_TRUE(std::isfinite(bee.thrust) && std::isfinite(bee.yawRate));

    // The next real frame tilts the wings back to rest.
    bee.update(30);
    EXPECT_EQ(bee.wingPhase, 0);
    expectVector(bee.wings->forward, 0.0f, 0.0f, 1.0f);
    testing::internal::GetCapturedStdout();
    theCamera = nullptr;
}

TEST(Bee, MouseLookCentresTurnsAndLifts) {
    warps.clear();
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.warpPointer = recordWarp;

    // The first event only centres the pointer.
    bee.mouseLook(900, 100, 1024, 768);
    EXPECT_EQ(warps, (std::vector<std::pair<int, int>>{{512, 384}}));
    EXPECT_EQ(bee.yawRate, 0.0f);
    EXPECT_EQ(bee.lift, 0.0f);
    EXPECT_EQ(bee.lastMouseX, 512);

    // Right turns right (negative yaw rate), up lifts; then back to the centre.
    bee.mouseLook(612, 334, 1024, 768);
    EXPECT_FLOAT_EQ(bee.yawRate, -100.0f / 1024.0f * 2.0f);
    EXPECT_FLOAT_EQ(bee.lift, 50.0f / 768.0f * 20.0f);
    EXPECT_EQ(warps.size(), 2u);
    EXPECT_EQ(warps.back(), std::make_pair(512, 384));
    EXPECT_EQ(bee.lastMouseY, 384);

    // Within one pixel of the centre: remembered, not warped. The next
    // motion counts from there.
    bee.yawRate = bee.lift = 0.0f;
    bee.mouseLook(513, 383, 1024, 768);
    EXPECT_EQ(warps.size(), 2u);
    EXPECT_EQ(bee.lastMouseX, 513);
    EXPECT_EQ(bee.lastMouseY, 383);
    EXPECT_FLOAT_EQ(bee.yawRate, -1.0f / 1024.0f * 2.0f);
    bee.mouseLook(514, 383, 1024, 768);
    EXPECT_FLOAT_EQ(bee.yawRate, -2.0f / 1024.0f * 2.0f);
    EXPECT_EQ(warps.size(), 3u);

    // Odd sizes: the centre rounds down.
    Bee odd(0, 0, 0, 0, 0, 0, 1.0f);
    odd.warpPointer = recordWarp;
    odd.mouseLook(0, 0, 1023, 767);
    EXPECT_EQ(warps.back(), std::make_pair(511, 383));
}

TEST(Bee, MovementDirectionIsNeverNaN) {
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    expectVector(bee.movementDirection(), 0, 0, 0, 0.0f);  // before any update
    bee.update(60);
    expectVector(bee.movementDirection(), 0, 0, 0, 0.0f);
    bee.addThrust(1.0f);
    bee.addLift(1.0f);
    bee.update(60);
    const float r = std::sqrt(0.5f);
    expectVector(bee.movementDirection(), 0.0f, r, r);
}

TEST(Bee, BounceSendsTheBeeBackAtItsLastSpeedInItsOwnFrame) {
    // Head-on into a wall: the new rates point straight back with the size
    // of the last step's velocity.
    Bee bee(0, 0, 0, 0, 0, 0, 1.0f);
    bee.addThrust(10.0f);
    bee.addPitchRate(0.2f);
    bee.update(50);
    const float step = distance(bee.prevPosition, bee.position);
    const Vector3 turnedForward = bee.forward;
    bee.bounce(0, 0, -1);
    expectVector(bee.position, 0, 0, 0, 0.0f);
    EXPECT_EQ(bee.forward.z, 1.0f);
    EXPECT_NE(turnedForward.z, 1.0f);
    EXPECT_EQ(bee.pitchRate, 0.0f);
    EXPECT_EQ(bee.yawRate, 0.0f);
    EXPECT_EQ(bee.rollRate, 0.0f);
    // The pitch turned the frame a little during the step, so the mirrored
    // direction is not exactly backwards in it.
    EXPECT_NEAR(bee.thrust, -step * 50.0f, step * 50.0f * 0.01f);
    EXPECT_NEAR(bee.lift, 0.0f, step * 50.0f * 0.2f);

    // Turned a quarter right and flying along +x into a wall facing -x: the
    // rates are in the bee's frame, so it is thrust, not strafe.
    Bee turned(0, 0, 0, 0, kPi / 2, 0, 1.0f);
    turned.addThrust(4.0f);
    turned.update(60);
    const float s = distance(turned.prevPosition, turned.position);
    turned.bounce(-1, 0, 0);
    EXPECT_NEAR(turned.thrust, -s * 60.0f, 1e-5f);
    EXPECT_NEAR(turned.strafe, 0.0f, 1e-5f);
    EXPECT_NEAR(turned.lift, 0.0f, 1e-5f);

    // Diving onto the floor: the climb comes back as lift, the forward part stays.
    Bee diving(0, 5, 0, 0, 0, 0, 1.0f);
    diving.addThrust(2.0f);
    diving.addLift(-2.0f);
    diving.update(60);
    const float m = moveStep(2.0f, 60);
    diving.bounce(0, 1, 0);
    EXPECT_NEAR(diving.thrust, m * 60.0f, 1e-4f);
    EXPECT_NEAR(diving.lift, m * 60.0f, 1e-4f);
    EXPECT_NEAR(diving.strafe, 0.0f, 1e-5f);
    expectVector(diving.position, 0, 5, 0, 0.0f);
}

TEST(Bee, BounceWithoutMovementLeavesTheBeeAtRest) {
    Bee bee(3, 4, 5, 0, 0, 0, 1.0f);
    bee.addYawRate(2.0f);  // turning on the spot: no movement
    bee.update(60);
    bee.bounce(0, 1, 0);
    expectVector(bee.position, 3, 4, 5, 0.0f);
    EXPECT_EQ(bee.thrust, 0.0f);
    EXPECT_EQ(bee.strafe, 0.0f);
    EXPECT_EQ(bee.lift, 0.0f);
    EXPECT_EQ(bee.yawRate, 0.0f);

    // Even a normal that is no direction at all keeps the state finite.
    bee.addThrust(3.0f);
    bee.update(60);
    bee.bounce(NAN, 0, 0);
    EXPECT_TRUE(finite(bee.position));
    EXPECT_EQ(bee.thrust, 0.0f);
    bee.update(60);
    EXPECT_TRUE(finite(bee.position) && finite(bee.forward));
}

TEST(Bee, ShadowVolumesOfBeeAndWingsAreBuiltInTheBeesFrame) {
    std::unique_ptr<MeshModel> body(MeshModel::cube({0, 0, 0}, 1.0f));
    std::unique_ptr<MeshModel> wingMesh(MeshModel::cube({0, 0, 0}, 0.5f));
    // Turned a quarter to the right and scaled: forward is +x, side is -z.
    Bee bee(10, 5, 0, 0, kPi / 2, 0, 2.0f);
    bee.update(60);
    bee.lod0Model = body->get();
    bee.setShadowEveryFrame(true);
    bee.wings = new SceneObject(0, 0.65f, 1.3f, 0, 0, 0, 1.0f);
    bee.wings->lod0Model = wingMesh->get();
    bee.wings->setShadowEveryFrame(true);

    bee.castShadow(-20, 100, 0);
    // The light relative to the bee, in its axes, not divided by its scale.
    expectVector(bee.lightPositionLocal, 0.0f, 95.0f, -30.0f, 1e-4f);
    // The wings see that light from their place on the bee.
    expectVector(bee.wings->lightPositionLocal, 0.0f, 94.35f, -31.3f, 1e-4f);
    // Two faces of each cube are lit: six outline edges each.
    EXPECT_EQ(bee.silhouetteIndexCount, 12);
    EXPECT_EQ(bee.wings->silhouetteIndexCount, 12);
    ASSERT_NE(bee.shadowQuads, nullptr);
    ASSERT_NE(bee.wings->shadowQuads, nullptr);

    // The bee rebuilds only on the every-frame switch and never reads or
    // clears the dirty flag; without the switch the wings are left alone too.
    Bee resting(0, 0, 0, 0, 0, 0, 1.0f);
    resting.lod0Model = body->get();
    resting.wings = new SceneObject(0, 0.65f, 1.3f, 0, 0, 0, 1.0f);
    resting.wings->lod0Model = wingMesh->get();
    resting.wings->setShadowEveryFrame(true);
    resting.lightPositionLocal = Vector3(7, 7, 7);
    resting.castShadow(-20, 100, 0);
    expectVector(resting.lightPositionLocal, 7, 7, 7, 0.0f);
    EXPECT_TRUE(resting.shadowDirty);
    EXPECT_EQ(resting.silhouetteIndexCount, 0);
    EXPECT_EQ(resting.wings->silhouetteIndexCount, 0);
}
