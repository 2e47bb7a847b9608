#include "app/FrameTimer.h"

#include <gtest/gtest.h>

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

// Read from the marks the timer leaves rather than waited for: a frame
// runs from one start to the next.
TEST(FrameTimer, AFrameRunsFromOneStartToTheNext) {
    EXPECT_EQ(frameTime, 1.0);  // what the first idle sees

    // The first frame has no previous start: it is measured up to its stop.
    startFrameTimer();
    const int64_t firstStart = frameStart;
    stopFrameTimer();
    EXPECT_EQ(timerFrequency, 1000000000);
    EXPECT_GE(frameEnd, firstStart);
    EXPECT_EQ(frameTime, static_cast<double>(frameEnd - firstStart) / 1e9);

    // From then on the swap and the idle after the stop count as well.
    const int64_t firstEnd = frameEnd;
    startFrameTimer();
    EXPECT_GE(frameStart, firstEnd);
    EXPECT_EQ(frameEnd, frameStart);
    EXPECT_EQ(frameTime, static_cast<double>(frameStart - firstStart) / 1e9);

    const double closed = frameTime;
    stopFrameTimer();
    EXPECT_EQ(frameTime, closed);
}
