#include "app/FrameTimer.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>

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

// Only lower bounds on durations: a shared machine can stretch a sleep, never
// shorten it.
TEST(FrameTimer, AFrameRunsFromOneStartToTheNext) {
    using std::chrono::milliseconds;
    EXPECT_EQ(frameTime, 1.0);  // what the first idle sees

    // The first frame has no previous start: it is measured up to its stop.
    startFrameTimer();
    std::this_thread::sleep_for(milliseconds(20));
    stopFrameTimer();
    EXPECT_EQ(timerFrequency, 1000000000);
    EXPECT_GE(frameTime, 0.019);
    EXPECT_LT(frameTime, 1000.0);

    // From then on the swap and the idle after the stop count as well.
    std::this_thread::sleep_for(milliseconds(40));
    startFrameTimer();
    EXPECT_GE(frameTime, 0.059);
    EXPECT_EQ(frameEnd, frameStart);

    const double closed = frameTime;
    stopFrameTimer();
    EXPECT_EQ(frameTime, closed);
}
