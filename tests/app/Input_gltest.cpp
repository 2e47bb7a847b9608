// The once-per-frame poll: which control each held key or gamepad control
// moves, and by how much, on a World of its own (no data/: every model is
// refused). Virtual pads of SDL's standard layout stand in for real ones.
#include "app/Input.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <utility>
#include <vector>

#include "app/FrameTimer.h"
#include "app/GameWindow.h"
#include "app/Gamepads.h"
#include "app/KeyState.h"
#include "app/World.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "scene/Bomb.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

// Last: Xlib's macros (None, Bool) would break gtest's templates.
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

// thrust, strafe, bee yaw rate, lift, camera yaw, pitch and zoom rates, bombs dropped
using Controls = std::array<float, 8>;

Controls controls() {
    const Bee* bee = theWorld->bee;
    return {bee->thrust,         bee->strafe,
            bee->yawRate,        bee->lift,
            theCamera->yawRate,  theCamera->pitchRate,
            theCamera->zoomRate, float(theWorld->bombs->size())};
}

void poll() {
    const Quiet quiet;  // a bomb names the model it cannot find
    pollKeys();
}

// A pad control: SDL's axis number, or kButton plus its button number.
constexpr int kButton = 100;
using Push = std::vector<std::pair<int, Sint16>>;
constexpr Sint16 kFull = SDL_JOYSTICK_AXIS_MAX;
constexpr Sint16 kBack = SDL_JOYSTICK_AXIS_MIN;

SDL_Joystick* plugPad() {
    return SDL_JoystickOpen(SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0));
}

void unplug(SDL_Joystick* pad) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
        }
    }
}

// Everything at rest (triggers let go), then the push.
void set(SDL_Joystick* pad, const Push& push) {
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
        SDL_JoystickSetVirtualAxis(pad, a, a < SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 0 : kBack);
    }
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        SDL_JoystickSetVirtualButton(pad, b, 0);
    }
    for (const auto& [control, value] : push) {
        control >= kButton ? SDL_JoystickSetVirtualButton(pad, control - kButton, value)
                           : SDL_JoystickSetVirtualAxis(pad, control, value);
    }
}

class Input : public testing::Test {
protected:
    void SetUp() override {
        GlTestContext::reset();
        const Quiet quiet;
        theWorld = new World();  // never deleted, as in the game
        frameTime = 1.0 / 64;    // the right stick: 16 pixels of pointer motion a frame
    }
    void TearDown() override {
        theWorld = savedWorld;
        frameTime = savedFrameTime;
    }
    const ScratchDirectory scratch{true};
    World* const savedWorld = theWorld;
    const double savedFrameTime = frameTime;
};

}  // namespace

TEST_F(Input, EachHeldKeyOrPadControlStepsItsOwnControlOncePerPoll) {
    // Plugged in during the round; rows alternate between them.
    SDL_Joystick* const pads[] = {plugPad(), plugPad()};
    const auto inside = static_cast<Sint16>(0.96f * Gamepads::kDeadZone * kFull);
    const auto halfPast = static_cast<Sint16>((Gamepads::kDeadZone + 1) / 2 * kFull);
    const auto aslantX = static_cast<Sint16>(0.6 * kBack);
    const auto aslantY = static_cast<Sint16>(0.8 * kBack);
    constexpr float kPixels = 16;
    const struct {
        int key;
        Push pad;  // the same step as the key, or alone
        Controls step;
    } rows[] = {
        {KeyState::kUp, {}, {2, 0, 0, 0, 0, 0, 0, 0}},
        {'W', {{SDL_CONTROLLER_AXIS_LEFTY, kBack}}, {2, 0, 0, 0, 0, 0, 0, 0}},
        {KeyState::kDown, {}, {-2, 0, 0, 0, 0, 0, 0, 0}},
        {'S', {{SDL_CONTROLLER_AXIS_LEFTY, kFull}}, {-2, 0, 0, 0, 0, 0, 0, 0}},
        {KeyState::kLeft, {}, {0, 2, 0, 0, 0, 0, 0, 0}},
        {'A', {{SDL_CONTROLLER_AXIS_LEFTX, kBack}}, {0, 2, 0, 0, 0, 0, 0, 0}},
        {KeyState::kRight, {}, {0, -2, 0, 0, 0, 0, 0, 0}},
        {'D', {{SDL_CONTROLLER_AXIS_LEFTX, kFull}}, {0, -2, 0, 0, 0, 0, 0, 0}},
        {'L', {{kButton + SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1}}, {0, 0, 0, 0, 0.1f, 0, 0, 0}},
        {'J', {{kButton + SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1}}, {0, 0, 0, 0, -0.1f, 0, 0, 0}},
        {'I', {{kButton + SDL_CONTROLLER_BUTTON_DPAD_UP, 1}}, {0, 0, 0, 0, 0, 0.05f, 0, 0}},
        {'K', {{kButton + SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1}}, {0, 0, 0, 0, 0, -0.05f, 0, 0}},
        {'O', {{kButton + SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1}}, {0, 0, 0, 0, 0, 0, -5, 0}},
        {'U', {{kButton + SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1}}, {0, 0, 0, 0, 0, 0, 2, 0}},
        {'E', {{kButton + SDL_CONTROLLER_BUTTON_A, 1}}, {0, 0, 0, 0, 0, 0, 0, 1}},
        // As E too. The virtual trigger's middle (0) reads as 16383 of 32767.
        {KeyState::kNone, {{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1}}, {0, 0, 0, 0, 0, 0, 0, 1}},
        {KeyState::kNone, {{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0}}, {}},
        {KeyState::kNone,
         {{SDL_CONTROLLER_AXIS_LEFTY, inside}, {SDL_CONTROLLER_AXIS_RIGHTX, inside}},
         {}},
        {KeyState::kNone, {{SDL_CONTROLLER_AXIS_LEFTY, -halfPast}}, {1, 0, 0, 0, 0, 0, 0, 0}},
        // Full deflection aslant: the key's step shared out, not snapped to an axis.
        {KeyState::kNone,
         {{SDL_CONTROLLER_AXIS_LEFTX, aslantX}, {SDL_CONTROLLER_AXIS_LEFTY, aslantY}},
         {1.6f, 1.2f, 0, 0, 0, 0, 0, 0}},
        // The mouse look: 16 pixels right, then up, in a 1024 by 768 window.
        {KeyState::kNone,
         {{SDL_CONTROLLER_AXIS_RIGHTX, kFull}},
         {0, 0, kPixels / 1024 * -2, 0, 0, 0, 0, 0}},
        {KeyState::kNone,
         {{SDL_CONTROLLER_AXIS_RIGHTY, kBack}},
         {0, 0, 0, kPixels / 768 * 20, 0, 0, 0, 0}},
    };
    for (size_t row = 0; row < std::size(rows); ++row) {
        const auto& [key, push, step] = rows[row];
        SDL_Joystick* const pad = pads[row % 2];
        for (const bool byPad : {false, true}) {
            if (byPad ? push.empty() : key == KeyState::kNone) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "row " << row << (byPad ? ", pad" : ", key"));
            const Controls before = controls();
            byPad ? set(pad, push) : theKeyState.press(key);
            poll();
            poll();  // still held: a second step
            const Controls after = controls();
            for (size_t i = 0; i < after.size(); ++i) {
                EXPECT_NEAR(after[i] - before[i], 2 * step[i], 1e-3) << "control " << i;
            }
            byPad ? set(pad, {}) : theKeyState.release(key);
        }
    }
    for (SDL_Joystick* pad : pads) {
        unplug(pad);
    }
}

TEST_F(Input, APadLetsGoWhenUnpluggedAndActsNotWhileTheWindowLacksFocus) {
    SDL_Joystick* const pad = plugPad();
    set(pad, {{SDL_CONTROLLER_AXIS_LEFTY, kBack}, {kButton + SDL_CONTROLLER_BUTTON_A, 1}});
    Display* const x = glXGetCurrentDisplay();
    const auto window = glXGetCurrentDrawable();
    const auto focus = [x](Window to) {
        XSetInputFocus(x, to, RevertToNone, CurrentTime);
        XSync(x, False);
    };
    watchFocus();
    focus(window);
    Controls before = controls();
    poll();
    EXPECT_NE(controls(), before);  // flies and bombs
    focus(None);
    before = controls();
    poll();
    EXPECT_EQ(controls(), before);
    focus(window);
    poll();
    EXPECT_NE(controls(), before);  // held on, acting again
    unplug(pad);
    before = controls();
    poll();
    EXPECT_EQ(controls(), before);
}
