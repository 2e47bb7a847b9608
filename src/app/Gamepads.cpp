#include "app/Gamepads.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// A finger resting on the trigger must not drop bombs.
constexpr Sint16 kTriggerHalf = SDL_JOYSTICK_AXIS_MAX / 2;
constexpr int kTriggerKey = 'E';

struct ButtonKey {
    SDL_GameControllerButton button;
    int key;
};

constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_A, 'E'},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 'J'},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'L'},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 'I'},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 'K'},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 'U'},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 'O'},
};

// One more step reaches -32768 than 32767: both ends are full deflection.
float axis(SDL_GameController* pad, SDL_GameControllerAxis which) {
    const float value = SDL_GameControllerGetAxis(pad, which);
    return std::clamp(value / SDL_JOYSTICK_AXIS_MAX, -1.0f, 1.0f);
}

// Right and up. The dead zone is a circle, so a stick pushed near an axis is
// not snapped onto it; past it the travel left is stretched to reach 1 at
// the rim, which keeps small pushes small.
std::pair<float, float> stick(SDL_GameController* pad, SDL_GameControllerAxis x,
                              SDL_GameControllerAxis y) {
    const float right = axis(pad, x);
    const float up = -axis(pad, y);  // SDL's y grows downwards
    const float length = std::hypot(right, up);
    if (length <= Gamepads::kDeadZone) {
        return {0.0f, 0.0f};
    }
    const float past =
        (std::min(length, 1.0f) - Gamepads::kDeadZone) / (1.0f - Gamepads::kDeadZone);
    return {right / length * past, up / length * past};
}

float stronger(float a, float b) {
    return std::abs(b) > std::abs(a) ? b : a;
}

// The one thing a player can do about such a pad is write its mapping, which
// needs the GUID as mappings spell it: without the name's checksum (bytes 2
// and 3) that SDL puts into a device's GUID.
void reportUnmapped(int deviceIndex) {
    SDL_JoystickGUID id = SDL_JoystickGetDeviceGUID(deviceIndex);
    id.data[2] = id.data[3] = 0;
    char guid[33];
    SDL_JoystickGetGUIDString(id, guid, sizeof guid);
    const char* name = SDL_JoystickNameForIndex(deviceIndex);
    std::fprintf(stderr,
                 "gamepad: %s (GUID %s) has no game-controller mapping and is ignored; "
                 "give it one in SDL_GAMECONTROLLERCONFIG\n",
                 name != nullptr ? name : "a joystick", guid);
}

}  // namespace

Gamepads::Gamepads() : started(false) {
    // As for the sound: SDL would turn Ctrl-C and SIGTERM into a quit event
    // that nothing here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr,
                     "gamepad: cannot start SDL's game controllers (%s); no pad will play\n",
                     SDL_GetError());
        return;
    }
    started = true;
    // SDL announces the pads already plugged in only when the subsystem
    // first starts, and it may be running already; an announcement that does
    // come finds them open.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i)) {
            open(i);
        }
    }
}

Gamepads::~Gamepads() {
    for (const Pad& pad : pads) {
        SDL_GameControllerClose(pad.controller);
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

PadControls Gamepads::poll() {
    PadControls held;
    if (!started) {
        return held;
    }
    SDL_PumpEvents();
    // Nothing else in the game reads SDL's queue: left there, every stick
    // motion would pile up in it.
    SDL_Event events[16];
    int count;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < count; ++i) {
            handle(events[i]);
        }
    }
    for (const Pad& pad : pads) {
        const auto [moveRight, moveUp] =
            stick(pad.controller, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY);
        const auto [lookRight, lookUp] =
            stick(pad.controller, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY);
        held.forward = stronger(held.forward, moveUp);
        held.left = stronger(held.left, -moveRight);
        held.lookRight = stronger(held.lookRight, lookRight);
        held.lookUp = stronger(held.lookUp, lookUp);
        for (const ButtonKey& b : kButtonKeys) {
            if (SDL_GameControllerGetButton(pad.controller, b.button) != 0) {
                held.keys.set(b.key);
            }
        }
        if (SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >
            kTriggerHalf) {
            held.keys.set(kTriggerKey);
        }
    }
    held.keys |= tapped;
    tapped.reset();
    return held;
}

void Gamepads::handle(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        open(event.cdevice.which);
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        close(event.cdevice.which);
    } else if (event.type == SDL_JOYDEVICEADDED && !SDL_IsGameController(event.jdevice.which)) {
        reportUnmapped(event.jdevice.which);
    } else if (event.type == SDL_CONTROLLERBUTTONDOWN) {
        for (const ButtonKey& b : kButtonKeys) {
            if (b.button == event.cbutton.button) {
                tapped.set(b.key);
            }
        }
    } else if (event.type == SDL_CONTROLLERAXISMOTION &&
               event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT &&
               event.caxis.value > kTriggerHalf) {
        tapped.set(kTriggerKey);
    }
}

void Gamepads::open(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    const bool known =
        std::any_of(pads.begin(), pads.end(), [id](const Pad& pad) { return pad.id == id; });
    // A pad announced twice stays one pad.
    if (id < 0 || known) {
        return;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        std::fprintf(stderr, "gamepad: cannot open a pad (%s); it is ignored\n", SDL_GetError());
        return;
    }
    pads.push_back({id, controller});
}

void Gamepads::close(SDL_JoystickID id) {
    const auto pad =
        std::find_if(pads.begin(), pads.end(), [id](const Pad& p) { return p.id == id; });
    if (pad != pads.end()) {
        SDL_GameControllerClose(pad->controller);
        pads.erase(pad);
    }
}
