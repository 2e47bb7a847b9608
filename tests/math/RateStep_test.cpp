#include "math/RateStep.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(RateStep, StepSaturatesAndDecaySnapsStrictlyInsideTheThresholdAndFlipsBelowFiveFps) {
    EXPECT_FLOAT_EQ(rateStep(1.0f, 5.0f, 60), std::atan(std::tanh(0.5f)) * 5.0f / 60.0f);
    EXPECT_NEAR(rateStep(1e6f, 10.0f, 1), 3.14159265f / 4.0f * 10.0f, 1e-5f);
    EXPECT_EQ(rateStep(-3.0f, 10.0f, 30), -rateStep(3.0f, 10.0f, 30));

    const float snap = 0.00001f;
    // The threshold itself decays; just inside it the rate stops dead.
    EXPECT_FLOAT_EQ(decayRate(snap, snap, 60), snap * 0.925f);
    EXPECT_FLOAT_EQ(decayRate(-snap, snap, 60), -snap * 0.925f);
    EXPECT_EQ(decayRate(0.0000099f, snap, 60), 0.0f);
    EXPECT_EQ(decayRate(0.00005f, 0.0001f, 60), 0.0f);

    // Factor 1 - 4.5 / f: growing and alternating at 1 and 2 fps, shrinking
    // and alternating at 3 and 4.
    EXPECT_FLOAT_EQ(decayRate(1.0f, snap, 1), -3.5f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, snap, 2), -1.25f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, snap, 3), -0.5f);
    EXPECT_FLOAT_EQ(decayRate(1.0f, snap, 4), -0.125f);

    // Left alone at 60 fps, 0.1 drops below 1e-5 after 119 decays and the
    // next one snaps it to exactly 0.
    float rate = 0.1f;
    int frames = 0;
    for (; rate != 0.0f && frames < 1000; ++frames) {
        rate = decayRate(rate, snap, 60);
    }
    EXPECT_EQ(frames, 120);
}
