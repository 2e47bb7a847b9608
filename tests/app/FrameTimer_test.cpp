#include "app/FrameTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>

TEST(FrameTimer, FrameRateIsTheRoundedReciprocal) {
    EXPECT_EQ(frameRateFromFrameTime(1.0), 1);  // the first idle, before any display
    EXPECT_EQ(frameRateFromFrameTime(1.5), 1);
    EXPECT_EQ(frameRateFromFrameTime(2.5), 0);  // a very slow frame gives 0; the World copes
    EXPECT_EQ(frameRateFromFrameTime(0.02), 50);
    EXPECT_EQ(frameRateFromFrameTime(1.0 / 60.4), 60);
    EXPECT_EQ(frameRateFromFrameTime(1.0 / 14.6), 15);  // truncation would say 14
    EXPECT_EQ(frameRateFromFrameTime(0.0), INT_MAX);
    EXPECT_EQ(frameRateFromFrameTime(1e-12), INT_MAX);
}

// Read from the marks the timer leaves rather than waited for: a step runs
// from one idle to the next, whatever display() drew between them, if anything.
TEST(FrameTimer, AStepRunsFromOneIdleToTheNext) {
    EXPECT_EQ(frameTime, 1.0);  // what the first idle sees
    startFrameTimer();
    const int64_t beforeFirst = frameStart;
    stepFrameTimer();
    EXPECT_EQ(frameTime, 1.0);  // nothing before the first step to measure from
    EXPECT_EQ(timerFrequency, 1000000000);
    startFrameTimer();
    const int64_t afterFirst = frameStart;
    // Two milliseconds of frames drawn between the steps: they close no step.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
    while (std::chrono::steady_clock::now() < until) {
        startFrameTimer();
        stopFrameTimer();
    }
    EXPECT_GE(frameEnd, frameStart);
    EXPECT_EQ(frameTime, 1.0);
    const int64_t beforeSecond = frameStart;
    stepFrameTimer();
    startFrameTimer();
    EXPECT_GE(frameTime, static_cast<double>(beforeSecond - afterFirst) / 1e9);
    EXPECT_LE(frameTime, static_cast<double>(frameStart - beforeFirst) / 1e9);
}
