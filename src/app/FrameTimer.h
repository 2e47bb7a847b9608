#pragma once

#include <cstdint>

// The game's only clock. display() measures its own render, key poll and
// flush; idle() turns that into the integer frame rate every update divides by.
// The swap and the update are deliberately outside the measured span.

extern double frameTime;        // seconds of the last measured frame; 1.0 before the first
extern int64_t timerFrequency;  // clock ticks per second, re-read every frame
extern int64_t frameStart;      // tick at startFrameTimer
extern int64_t frameEnd;        // tick at stopFrameTimer

void startFrameTimer();
void stopFrameTimer();

// 1 / seconds truncated toward zero: a 1.5 s frame gives 0, which the World
// treats as 1. A zero or negative duration (impossible with a monotonic clock,
// but cheap to rule out) gives the largest int instead of undefined behaviour.
int frameRateFromFrameTime(double seconds);
