#include "app/FrameTimer.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>

TEST(FrameTimer, FrameRateIsTheTruncatedReciprocal) {
    EXPECT_EQ(frameRateFromFrameTime(1.0), 1);  // the first idle, before any display
    EXPECT_EQ(frameRateFromFrameTime(1.5), 0);  // a slow frame gives 0; the World copes
    EXPECT_EQ(frameRateFromFrameTime(0.02), 50);
    EXPECT_EQ(frameRateFromFrameTime(1.0 / 60.5), 60);
    EXPECT_EQ(frameRateFromFrameTime(0.0999), 10);
    EXPECT_EQ(frameRateFromFrameTime(0.0), INT_MAX);
    EXPECT_EQ(frameRateFromFrameTime(1e-12), INT_MAX);
}

TEST(FrameTimer, MeasuresTheSpanBetweenStartAndStop) {
    // The initial value is what the first idle sees.
    EXPECT_EQ(frameTime, 1.0);
    startFrameTimer();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stopFrameTimer();
    EXPECT_EQ(timerFrequency, 1000000000);
    EXPECT_GE(frameEnd, frameStart);
    // Only a lower bound: a shared machine can stretch a sleep, never shorten it.
    EXPECT_GE(frameTime, 0.019);
    EXPECT_LT(frameTime, 1000.0);
}
