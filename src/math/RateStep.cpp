#include "math/RateStep.h"

#include <cmath>

namespace {
// How much of a rate is lost per second of decay.
constexpr double kRateDecay = 4.5;
}  // namespace

float rateStep(float rate, float gain, int frameRate) {
    return std::atan(std::tanh(rate / 2.0f)) * gain / static_cast<float>(frameRate);
}

float decayRate(float rate, float snap, int frameRate) {
    if (rate > -snap && rate < snap) {
        return 0.0f;
    }
    return static_cast<float>(rate * (1.0 - kRateDecay / frameRate));
}
