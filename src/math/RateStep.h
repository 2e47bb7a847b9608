#pragma once

// The control response shared by the chase camera and the bee. Input only
// ever adds to a rate; each frame the rate drives its angle or position
// through a saturating step, then decays on its own so motion settles.

// Per-frame step of a rate: atan(tanh(rate / 2)) * gain / frameRate, in
// single precision with the division by the frame rate last. However large
// the rate grows, the step stays below pi/4 * gain per second.
float rateStep(float rate, float gain, int frameRate);

// The rate after one frame's decay: exactly 0 when it lies strictly inside
// (-snap, +snap), otherwise rate * (1 - 4.5 / frameRate). Frame rates below
// 5 give a negative factor, so the rate flips sign every frame.
float decayRate(float rate, float snap, int frameRate);
