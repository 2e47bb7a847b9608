// The pads are polled once per displayed frame, pad or no pad, so a poll must
// stay far below a frame's budget: at most 0.05 ms. With a pad, its stick
// moves between polls, as a player's does, so SDL has events to hand over.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include "app/Gamepads.h"

namespace {

void BM_PollNoPad(benchmark::State& state) {
    Gamepads pads;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pads.poll());
    }
}
BENCHMARK(BM_PollNoPad);

void BM_PollOnePadMoving(benchmark::State& state) {
    Gamepads pads;
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    Sint16 x = 0;
    for (auto _ : state) {
        x = static_cast<Sint16>(x + 997);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, static_cast<Sint16>(-x));
        benchmark::DoNotOptimize(pads.poll());
    }
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
}
BENCHMARK(BM_PollOnePadMoving);

}  // namespace

BENCHMARK_MAIN();
