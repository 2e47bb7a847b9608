// The once-per-frame key poll: which control each held key moves, and by how
// much, on a World of its own (no data/: every model is refused).
#include "app/Input.h"

#include <gtest/gtest.h>

#include <array>

#include "app/GameWindow.h"
#include "app/KeyState.h"
#include "app/World.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "scene/Bomb.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

TEST(Input, EachHeldKeyStepsItsOwnControlOncePerPoll) {
    GlTestContext::reset();
    const ScratchDirectory scratch(true);
    World* const saved = theWorld;
    {
        const Quiet quiet;
        theWorld = new World();  // never deleted, as in the game
    }
    // thrust, strafe, camera yaw, pitch and zoom rates, bombs dropped
    using Controls = std::array<float, 6>;
    const auto controls = [bee = theWorld->bee] {
        return Controls{bee->thrust,          bee->strafe,         theCamera->yawRate,
                        theCamera->pitchRate, theCamera->zoomRate, float(theWorld->bombs->size())};
    };
    const std::pair<int, Controls> keys[] = {
        {KeyState::kUp, {2, 0, 0, 0, 0, 0}},
        {'W', {2, 0, 0, 0, 0, 0}},
        {KeyState::kDown, {-2, 0, 0, 0, 0, 0}},
        {'S', {-2, 0, 0, 0, 0, 0}},
        {KeyState::kLeft, {0, 2, 0, 0, 0, 0}},
        {'A', {0, 2, 0, 0, 0, 0}},
        {KeyState::kRight, {0, -2, 0, 0, 0, 0}},
        {'D', {0, -2, 0, 0, 0, 0}},
        {'L', {0, 0, 0.1f, 0, 0, 0}},
        {'J', {0, 0, -0.1f, 0, 0, 0}},
        {'I', {0, 0, 0, 0.05f, 0, 0}},
        {'K', {0, 0, 0, -0.05f, 0, 0}},
        {'O', {0, 0, 0, 0, -5, 0}},
        {'U', {0, 0, 0, 0, 2, 0}},  // out slower
        {'E', {0, 0, 0, 0, 0, 1}},
    };
    const auto poll = [] {
        const Quiet quiet;  // a bomb names the model it cannot find
        pollKeys();
    };
    for (const auto& [key, step] : keys) {
        SCOPED_TRACE(key);
        const Controls before = controls();
        theKeyState.press(key);
        poll();
        poll();  // still held: a second step
        const Controls after = controls();
        for (size_t i = 0; i < after.size(); ++i) {
            EXPECT_FLOAT_EQ(after[i] - before[i], 2 * step[i]) << "control " << i;
        }
        theKeyState.release(key);
    }
    theWorld = saved;
}
