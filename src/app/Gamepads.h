#pragma once

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_gamecontroller.h>

#include <bitset>
#include <vector>

#include "app/PadControls.h"

// Gamepads through SDL's game-controller API, which gives every common pad
// the same layout. GLUT owns the window and SDL has none, so nothing runs
// SDL's event loop but poll: once per displayed frame it pumps SDL's events,
// opens the pads plugged in and closes the ones pulled out, then reads what
// every open pad holds. Pads are kept by instance id: a device index shifts
// whenever another pad comes or goes. A button pressed since the last poll
// counts as held in this one, let go already or not, as a tapped key does:
// at 15 frames a second a quick tap falls between two polls.
//
// With no pad, a frame costs one pump and nothing is printed. A subsystem
// that cannot start costs one line on standard error; the game plays on
// without pads.
class Gamepads {
public:
    // Of a stick's full travel, in any direction: a worn stick can rest a
    // fifth of the way out, and must not fly the bee by itself.
    static constexpr float kDeadZone = 0.25f;

    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // The subsystem started.
    bool running() const { return started; }
    // Pumps SDL's events and reads the pads. With two pads, each control
    // takes the stronger of the two, so either pad plays.
    PadControls poll();

private:
    struct Pad {
        SDL_JoystickID id;
        SDL_GameController* controller;
    };

    void handle(const SDL_Event& event);
    void open(int deviceIndex);
    void close(SDL_JoystickID id);

    bool started;
    std::vector<Pad> pads;
    // Keys whose button (or the trigger past half) went down since the last poll.
    std::bitset<256> tapped;
};
