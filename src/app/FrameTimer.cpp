#include "app/FrameTimer.h"

#include <chrono>
#include <climits>
#include <cmath>

double frameTime = 1.0;
int64_t timerFrequency = 0;
int64_t frameStart = 0;
int64_t frameEnd = 0;

namespace {

bool firstFrame = true;

int64_t ticksNow() {
    return static_cast<int64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

void closeFrameAt(int64_t tick) {
    frameEnd = tick;
    frameTime = static_cast<double>(frameEnd - frameStart) / static_cast<double>(timerFrequency);
}

}  // namespace

void startFrameTimer() {
    using Period = std::chrono::steady_clock::period;
    timerFrequency = static_cast<int64_t>(Period::den / Period::num);
    const int64_t now = ticksNow();
    if (!firstFrame) {
        closeFrameAt(now);
    }
    frameStart = now;
}

void stopFrameTimer() {
    if (firstFrame) {
        closeFrameAt(ticksNow());
        firstFrame = false;
    }
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
