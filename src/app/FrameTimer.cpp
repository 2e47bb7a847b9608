#include "app/FrameTimer.h"

#include <chrono>
#include <climits>
#include <cmath>

double frameTime = 1.0;
int64_t timerFrequency = 0;
int64_t frameStart = 0;
int64_t frameEnd = 0;

namespace {

bool stepped = false;
int64_t lastStep = 0;

int64_t ticksNow() {
    using Period = std::chrono::steady_clock::period;
    timerFrequency = static_cast<int64_t>(Period::den / Period::num);
    return static_cast<int64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

void startFrameTimer() {
    frameStart = ticksNow();
}

void stopFrameTimer() {
    frameEnd = ticksNow();
}

void stepFrameTimer() {
    const int64_t now = ticksNow();
    if (stepped) {
        frameTime = static_cast<double>(now - lastStep) / static_cast<double>(timerFrequency);
    }
    lastStep = now;
    stepped = true;
}

int frameRateFromFrameTime(double seconds) {
    if (!(seconds > 0.0)) {
        return INT_MAX;
    }
    const double rate = std::round(1.0 / seconds);
    if (rate >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(rate);
}
