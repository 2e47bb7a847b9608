#include "math/RateStep.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr float kPi = 3.14159265358979f;
}

TEST(RateStep, SaturatesAndIsOddInTheRate) {
    // Small rates: about rate / 2 * gain per second.
    EXPECT_NEAR(rateStep(0.01f, 10.0f, 1), 0.05f, 1e-5f);
    EXPECT_NEAR(rateStep(0.01f, 10.0f, 50), 0.001f, 1e-7f);
    // The frame rate divides last, the gain multiplies.
    EXPECT_FLOAT_EQ(rateStep(1.0f, 5.0f, 60), std::atan(std::tanh(0.5f)) * 5.0f / 60.0f);
    // However large the rate, the step stays at pi/4 * gain per second.
    EXPECT_NEAR(rateStep(1e6f, 10.0f, 1), kPi / 4.0f * 10.0f, 1e-5f);
    EXPECT_NEAR(rateStep(1e6f, 5.0f, 1), kPi / 4.0f * 5.0f, 1e-5f);
    EXPECT_LE(rateStep(1e30f, 10.0f, 60), kPi / 4.0f * 10.0f / 60.0f + 1e-7f);
    EXPECT_EQ(rateStep(-3.0f, 10.0f, 30), -rateStep(3.0f, 10.0f, 30));
    EXPECT_EQ(rateStep(0.0f, 10.0f, 30), 0.0f);
}

TEST(RateStep, DecaySnapsOnlyStrictlyInsideTheThreshold) {
    const float snap = 0.00001f;
    // The threshold itself is decayed, not snapped.
    EXPECT_FLOAT_EQ(decayRate(snap, snap, 60), snap * (1.0f - 4.5f / 60.0f));
    EXPECT_FLOAT_EQ(decayRate(-snap, snap, 60), -snap * (1.0f - 4.5f / 60.0f));
    EXPECT_NE(decayRate(snap, snap, 60), 0.0f);
    // Just inside it: exactly zero.
    EXPECT_EQ(decayRate(0.0000099f, snap, 60), 0.0f);
    EXPECT_EQ(decayRate(-0.0000099f, snap, 60), 0.0f);
    // The thrust threshold is ten times wider.
    EXPECT_EQ(decayRate(0.00005f, 0.0001f, 60), 0.0f);
    EXPECT_NE(decayRate(0.00005f, snap, 60), 0.0f);
}

TEST(RateStep, DecayFactorByFrameRate) {
    // Below 4.5 frames per second the factor turns negative: the rate flips
    // sign every frame, growing at 1 and 2 and shrinking at 3 and 4.
    EXPECT_FLOAT_EQ(decayRate(1.0f, 0.00001f, 1), -3.5f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, 0.00001f, 2), -1.25f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, 0.00001f, 3), -0.5f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, 0.00001f, 4), -0.125f);
    EXPECT_FLOAT_EQ(decayRate(-2.0f, 0.00001f, 9), -1.0f);
    EXPECT_FLOAT_EQ(decayRate(0.1f, 0.00001f, 60), 0.1f * 0.925f);

    // Held at 60 fps, a rate shrinks geometrically and then stops dead.
    float rate = 0.1f;
    int frames = 0;
    while (rate != 0.0f && frames < 1000) {
        const float next = decayRate(rate, 0.00001f, 60);
        if (next != 0.0f) {
            EXPECT_LT(next, rate);
            EXPECT_GT(next, 0.0f);
        } else {
            EXPECT_LT(rate, 0.00001f);
        }
        rate = next;
        ++frames;
    }
    EXPECT_EQ(rate, 0.0f);
    // 0.1 * 0.925^n drops below 1e-5 after 119 decays; the next frame snaps it.
    EXPECT_EQ(frames, 120);
}
