#include "app/FrameTimer.h"

#include <chrono>
#include <climits>

double frameTime = 1.0;
int64_t timerFrequency = 0;
int64_t frameStart = 0;
int64_t frameEnd = 0;

namespace {

int64_t ticksNow() {
    return static_cast<int64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

void startFrameTimer() {
    using Period = std::chrono::steady_clock::period;
    timerFrequency = static_cast<int64_t>(Period::den / Period::num);
    frameStart = ticksNow();
}

void stopFrameTimer() {
    frameEnd = ticksNow();
    frameTime = static_cast<double>(frameEnd - frameStart) / static_cast<double>(timerFrequency);
}

int frameRateFromFrameTime(double seconds) {
    if (!(seconds > 0.0)) {
        return INT_MAX;
    }
    const double rate = 1.0 / seconds;
    if (rate >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(rate);
}
