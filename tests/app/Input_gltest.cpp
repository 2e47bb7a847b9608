// The once-per-frame poll: which control each held key or gamepad control
// moves, and by how much, on a World of its own (no data/: every model is
// refused); and which key presses type the highscore name. Virtual pads of
// SDL's standard layout stand in for real ones.
#include "app/Input.h"

#include <GL/freeglut.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/FrameTimer.h"
#include "app/GameWindow.h"
#include "app/Gamepads.h"
#include "app/KeyState.h"
#include "app/World.h"
#include "hud/Hud.h"
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

// Pushes, or lets go: a virtual pad rests at 0, which on a trigger is just
// short of half its travel.
void set(SDL_Joystick* pad, const Push& push, bool letGo = false) {
    for (const auto& [control, value] : push) {
        const Sint16 v = letGo ? 0 : value;
        control >= kButton ? SDL_JoystickSetVirtualButton(pad, control - kButton, v)
                           : SDL_JoystickSetVirtualAxis(pad, control, v);
    }
}

}  // namespace

TEST(Input, EachKeyOrPadControlActsOncePerPollOrPressWhilePluggedInAndFocused) {
    GlTestContext::reset();
    const ScratchDirectory scratch(true);
    World* const savedWorld = theWorld;
    const double savedFrameTime = frameTime;
    {
        const Quiet quiet;
        theWorld = new World();  // never deleted, as in the game
    }
    frameTime = 1.0 / 64;  // the right stick: 16 pixels of pointer motion a frame
    // Plugged in during the round; rows alternate between them.
    SDL_Joystick* const pads[] = {plugPad(), plugPad()};
    const auto inside = static_cast<Sint16>(0.96f * Gamepads::kDeadZone * kFull);
    const auto halfPast = static_cast<Sint16>((Gamepads::kDeadZone + 1) / 2 * kFull);
    // Full deflection aslant (0.6, 0.8): the keys' steps shared out, not snapped to an axis.
    const Push aslant = {{SDL_CONTROLLER_AXIS_LEFTX, -19660}, {SDL_CONTROLLER_AXIS_LEFTY, -26214}};
    constexpr float kPixels = 16;
    const struct {
        std::vector<int> keys;
        Push pad;  // the same step as the keys, or alone
        Controls step;
    } rows[] = {
        {{KeyState::kUp, 'W'}, {{SDL_CONTROLLER_AXIS_LEFTY, kBack}}, {2}},
        {{KeyState::kDown, 'S'}, {{SDL_CONTROLLER_AXIS_LEFTY, kFull}}, {-2}},
        {{KeyState::kLeft, 'A'}, {{SDL_CONTROLLER_AXIS_LEFTX, kBack}}, {0, 2}},
        {{KeyState::kRight, 'D'}, {{SDL_CONTROLLER_AXIS_LEFTX, kFull}}, {0, -2}},
        {{'L'}, {{kButton + SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1}}, {0, 0, 0, 0, 0.1f}},
        {{'J'}, {{kButton + SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1}}, {0, 0, 0, 0, -0.1f}},
        {{'I'}, {{kButton + SDL_CONTROLLER_BUTTON_DPAD_UP, 1}}, {0, 0, 0, 0, 0, 0.05f}},
        {{'K'}, {{kButton + SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1}}, {0, 0, 0, 0, 0, -0.05f}},
        {{'O'}, {{kButton + SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1}}, {0, 0, 0, 0, 0, 0, -5}},
        {{'U'}, {{kButton + SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1}}, {0, 0, 0, 0, 0, 0, 2}},
        {{'E'}, {{kButton + SDL_CONTROLLER_BUTTON_A, 1}}, {0, 0, 0, 0, 0, 0, 0, 1}},
        // The trigger as E: the virtual one reads 16384 of 32767 at 1, 16383 at 0.
        {{}, {{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1}}, {0, 0, 0, 0, 0, 0, 0, 1}},
        {{}, {{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0}}, {}},
        {{}, {{SDL_CONTROLLER_AXIS_LEFTY, inside}, {SDL_CONTROLLER_AXIS_RIGHTX, inside}}, {}},
        {{}, {{SDL_CONTROLLER_AXIS_LEFTY, -halfPast}}, {1}},
        {{}, aslant, {1.6f, 1.2f}},
        // The mouse look: 16 pixels right, then up, in a 1024 by 768 window.
        {{}, {{SDL_CONTROLLER_AXIS_RIGHTX, kFull}}, {0, 0, kPixels / 1024 * -2}},
        {{}, {{SDL_CONTROLLER_AXIS_RIGHTY, kBack}}, {0, 0, 0, kPixels / 768 * 20}},
    };
    for (size_t row = 0; row < std::size(rows); ++row) {
        const auto& [keys, push, step] = rows[row];
        // Each key alone, then the pad alone.
        for (size_t way = 0; way <= keys.size(); ++way) {
            const bool byPad = way == keys.size();
            if (byPad && push.empty()) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "row " << row << ", way " << way);
            const Controls before = controls();
            byPad ? set(pads[row % 2], push) : theKeyState.press(keys[way]);
            poll();
            poll();  // still held: a second step
            const Controls after = controls();
            for (size_t i = 0; i < after.size(); ++i) {
                EXPECT_NEAR(after[i] - before[i], 2 * step[i], 1e-3) << "control " << i;
            }
            byPad ? set(pads[row % 2], push, true) : theKeyState.release(keys[way]);
        }
    }
    // Pressed and let go between two polls, as SDL reads a quick tap: the
    // button, then the trigger, drops one bomb.
    for (const Push& tap : {Push{{kButton + SDL_CONTROLLER_BUTTON_A, 1}},
                            Push{{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, kFull}}}) {
        const Controls before = controls();
        for (const bool letGo : {false, true}) {
            set(pads[1], tap, letGo);
            SDL_PumpEvents();
        }
        poll();
        poll();
        EXPECT_EQ(controls()[7] - before[7], 1);
    }
    // Held on both pads (the stronger of the two, not their sum) and on a
    // key: ignored without the focus, from the start (the window manager may
    // keep it elsewhere) or later; the key, whose release may go to another
    // window, is let go; the pads are let go when pulled out.
    for (SDL_Joystick* pad : pads) {
        set(pad, {{SDL_CONTROLLER_AXIS_LEFTY, kBack}, {kButton + SDL_CONTROLLER_BUTTON_A, 1}});
    }
    Display* const x = glXGetCurrentDisplay();
    const auto focusAndPoll = [x](Window to) {  // the steps of one poll
        XSetInputFocus(x, to, RevertToNone, CurrentTime);
        XSync(x, False);
        Controls steps = controls();
        poll();
        std::transform(steps.begin(), steps.end(), controls().begin(), steps.begin(),
                       [](float before, float after) { return after - before; });
        return steps;
    };
    XSetInputFocus(x, None, RevertToNone, CurrentTime);
    XSync(x, False);
    watchFocus();
    EXPECT_EQ(focusAndPoll(None), Controls{});
    theKeyState.press('L');
    const auto window = glXGetCurrentDrawable();
    const Controls steps = focusAndPoll(window);
    EXPECT_NEAR(steps[0], 2, 1e-3);
    EXPECT_NE(steps[4], 0);
    EXPECT_EQ(focusAndPoll(None), Controls{});
    const Controls again = focusAndPoll(window);  // the pads act again; the key was let go
    EXPECT_NEAR(again[0], 2, 1e-3);
    EXPECT_EQ(again[4], 0);
    for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
        SDL_JoystickDetachVirtual(i);  // a real pad is not let go
    }
    EXPECT_EQ(focusAndPoll(window), Controls{});

    // The name prompt opens with E and 1 held. With detectable auto-repeat X
    // repeats them as presses alone; without it, as a release and a press
    // each, which GLUT's filter lets through now and then, always together.
    const auto keys = [](const char* downUp) {  // 'd' or 'u', then the key
        for (; downUp[0] != '\0'; downUp += 2) {
            downUp[0] == 'd' ? keyboard(downUp[1], 0, 0) : keyboardUp(downUp[1], 0, 0);
        }
    };
    {
        const Quiet quiet;                            // GLUT's modifiers asked outside a callback
        ScratchDirectory::put("Highscores.txt", "");  // any score goes into an empty table
        keys("ded1");
        special(GLUT_KEY_F2, 0, 0);
        theWorld->loadHighscores();
        keys("dedEd1uede");  // repeats as presses, then as a release and a press
        pollKeys();          // still held: still held back
        keys("uede");
        special(GLUT_KEY_F2, 0, 0);  // a function key's repeat switches nothing either
        keys("ueu1");
        pollKeys();          // let go
        keys("dZuZdedeue");  // a new press types, its repeat does not
    }
    EXPECT_EQ(std::string(theWorld->playerName, size_t(theWorld->playerNameLength)), "Ze");
    EXPECT_TRUE(theWorld->hud->showFramerate);
    theKeyState.releaseAll();
    theWorld = savedWorld;
    frameTime = savedFrameTime;
}
