#pragma once

#include <cstdint>

// The game's only clock, on the wall. A frame runs from the start of one
// display() to the start of the next, so the drawing a driver finishes inside
// the buffer swap, the swap itself and the idle update all count: a software
// renderer does most of its work in the swap. idle() turns the last frame's
// length into the integer frame rate every update divides by.

extern double frameTime;        // seconds of the last frame; 1.0 before the first
extern int64_t timerFrequency;  // clock ticks per second, re-read every frame
extern int64_t frameStart;      // tick at the start of the current frame's display
extern int64_t frameEnd;        // tick that closed the last measured frame

// At the start of display(): closes the previous frame and opens this one.
void startFrameTimer();
// After the flush. Only the very first frame, which has no previous start to
// measure from, takes its length here, so a single idle runs at rate 1.
void stopFrameTimer();

// 1 / seconds rounded to the nearest integer: truncating would make the clock
// run fast by up to one frame in fifteen at 15 fps. A frame of more than two
// seconds gives 0, which the World treats as 1. A zero or negative duration
// (impossible with a monotonic clock, but cheap to rule out) gives the
// largest int instead of undefined behaviour.
int frameRateFromFrameTime(double seconds);
