#pragma once

#include <cstdint>

// The game's only clock, on the wall. A step of the World runs from one
// idle() to the next, so everything between two updates counts: the
// drawing, the drawing a driver finishes inside the buffer swap (a software
// renderer does most of its work there), the swap and the idle itself.
// While the window shows, that is one displayed frame; while it is hidden
// GLUT stops calling display() but goes on calling idle(), and the round
// still runs in real time. idle() turns the last step's length into the
// integer frame rate every update divides by.

extern double frameTime;        // seconds of the last step; 1.0 before the second
extern int64_t timerFrequency;  // clock ticks per second, re-read every frame
extern int64_t frameStart;      // tick at the start of the current frame's display
extern int64_t frameEnd;        // tick at the end of its drawing, after the flush

// At the start of display() and after its flush: mark the frame's drawing.
void startFrameTimer();
void stopFrameTimer();
// At the start of idle(): closes the step since the previous call. The
// first call has nothing to measure from and leaves frameTime at 1.0.
void stepFrameTimer();

// 1 / seconds rounded to the nearest integer: truncating would make the clock
// run fast by up to one frame in fifteen at 15 fps. A frame of more than two
// seconds gives 0, which the World treats as 1. A zero or negative duration
// (impossible with a monotonic clock, but cheap to rule out) gives the
// largest int instead of undefined behaviour.
int frameRateFromFrameTime(double seconds);
