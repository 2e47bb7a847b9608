#include "app/Gamepads.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

// SDL's handlers would turn Ctrl-C into a quit event that nothing reads. The
// child starts from SDL's default, whatever an earlier test set, and from
// the default action (a shell starts background jobs ignoring SIGINT).
TEST(GamepadsDeathTest, CtrlCStillEndsTheGameWithPadsRunning) {
    const auto startAndInterrupt = [] {
        SDL_ResetHint(SDL_HINT_NO_SIGNAL_HANDLERS);
        std::signal(SIGINT, SIG_DFL);
        const Gamepads pads;
        return pads.running() ? std::raise(SIGINT) : 2;  // 2: nothing to test
    };
    EXPECT_EXIT(std::_Exit(startAndInterrupt()), testing::KilledBySignal(SIGINT), "");
}
