#include "app/Input.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/FocusWatch.h"
#include "app/FrameTimer.h"
#include "app/GameWindow.h"
#include "app/Gamepads.h"
#include "app/KeyState.h"
#include "app/World.h"
#include "player/Bee.h"
#include "player/Camera.h"

// Last: Xlib's macros (None, Bool) would break the headers above.
#include <GL/glx.h>
#include <X11/XKBlib.h>

bool isFullScreen = false;

namespace {

constexpr float kThrustStep = 2.0f;
constexpr float kStrafeStep = 2.0f;
constexpr float kYawStep = 0.1f;
constexpr float kPitchStep = 0.05f;
// Zooming out is deliberately slower than zooming in.
constexpr float kZoomInStep = -5.0f;
constexpr float kZoomOutStep = 2.0f;

// The right stick at full deflection turns the bee as the pointer moving
// this fast: a window's width a second turns 2.15 radians (123 degrees) a
// second once the rate settles, slow enough to line up on a flower; full up
// climbs at nearly the bee's top speed.
constexpr double kStickPixelsPerSecond = 1024.0;

// Only valid inside a key or mouse callback.
bool controlHeld() {
    return (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0;
}

// Keys let go while another window has the focus never reach the game.
FocusWatch focusWatch;

}  // namespace

void keyboard(unsigned char key, int /*x*/, int /*y*/) {
    // A held key's repeats, and a key held since before the name prompt
    // opened, type nothing.
    if (theKeyState.pressCharacter(key, controlHeld())) {
        theWorld->onKey(static_cast<char>(key));
    }
}

void keyboardUp(unsigned char key, int /*x*/, int /*y*/) {
    theKeyState.releaseCharacter(key, controlHeld());
}

bool detectKeyRepeats() {
    Display* display = glXGetCurrentDisplay();
    Bool supported = False;
    return display != nullptr && XkbSetDetectableAutoRepeat(display, True, &supported) != False &&
           supported != False;
}

void windowStatus(int state) {
    if (state == GLUT_HIDDEN) {
        theKeyState.releaseAll();
    }
}

void watchFocus() {
    glutWindowStatusFunc(windowStatus);
    focusWatch.watchCurrentWindow();
}

void special(int key, int /*x*/, int /*y*/) {
    // A function key held down switches once.
    if (!theKeyState.pressSpecial(key)) {
        return;
    }
    switch (key) {
        case GLUT_KEY_F2:
            theWorld->toggleFramerateDisplay();
            break;
        case GLUT_KEY_F3:
            theWorld->toggleWireframe();
            break;
        case GLUT_KEY_F7:
            theWorld->toggleLods();
            break;
        case GLUT_KEY_F8:
            theWorld->toggleFrustumCulling();
            break;
        case GLUT_KEY_F9:
            theWorld->toggleTransparency();
            break;
        default:
            break;
    }
}

void specialUp(int key, int /*x*/, int /*y*/) {
    theKeyState.releaseSpecial(key);
}

void mouse(int button, int state, int /*x*/, int /*y*/) {
    if (state != GLUT_DOWN) {
        return;
    }
    if (button == GLUT_LEFT_BUTTON) {
        theWorld->spawnBomb();
    } else if (button == GLUT_RIGHT_BUTTON) {
        if (isFullScreen) {
            glutReshapeWindow(theWorld->width, theWorld->height);
            isFullScreen = false;
        } else {
            isFullScreen = true;
            glutFullScreen();
        }
    }
}

void passiveMotion(int x, int y) {
    theWorld->bee->mouseLook(x, y, theWorld->width, theWorld->height);
}

void pollKeys() {
    // Whatever was held when the focus left may have been let go elsewhere;
    // a key event still on its way from before then is dropped as well.
    const bool focused = focusWatch.hasFocus();
    if (!focused) {
        theKeyState.releaseAll();
    }
    // Pumped with or without the focus, so pads plugged in or out meanwhile
    // are seen; SDL cannot tell that the focus is away, as GLUT owns the window.
    PadControls pad = theWorld->pads->poll();
    if (!focused) {
        pad = PadControls();
    }
    const auto held = [&pad](int code) { return theKeyState.isHeld(code) || pad.keys[code]; };
    Bee* bee = theWorld->bee;
    if (held(KeyState::kUp)) {
        bee->addThrust(kThrustStep);
    }
    if (held(KeyState::kDown)) {
        bee->addThrust(-kThrustStep);
    }
    if (held(KeyState::kLeft)) {
        bee->addStrafe(kStrafeStep);
    }
    if (held(KeyState::kRight)) {
        bee->addStrafe(-kStrafeStep);
    }
    if (held('S')) {
        bee->addThrust(-kThrustStep);
    }
    if (held('W')) {
        bee->addThrust(kThrustStep);
    }
    if (held('A')) {
        bee->addStrafe(kStrafeStep);
    }
    if (held('D')) {
        bee->addStrafe(-kStrafeStep);
    }
    if (held('E')) {
        theWorld->spawnBomb();
    }
    if (held('L')) {
        theCamera->addYawRate(kYawStep);
    }
    if (held('J')) {
        theCamera->addYawRate(-kYawStep);
    }
    if (held('I')) {
        theCamera->addPitchRate(kPitchStep);
    }
    if (held('K')) {
        theCamera->addPitchRate(-kPitchStep);
    }
    if (held('O')) {
        theCamera->addZoomRate(kZoomInStep);
    }
    if (held('U')) {
        theCamera->addZoomRate(kZoomOutStep);
    }
    bee->addThrust(kThrustStep * pad.forward);
    bee->addStrafe(kStrafeStep * pad.left);
    // A stick makes no motion events: it stands for a pointer moving at a
    // steady speed, so the turn in real time is the same at any frame rate.
    const auto pixels = static_cast<float>(kStickPixelsPerSecond * frameTime);
    bee->look(pad.lookRight * pixels, pad.lookUp * pixels, theWorld->width, theWorld->height);
    const bool quit = held(KeyState::kEscape);
    theKeyState.endPoll();
    if (quit) {
        // Mesa's software renderer draws on threads of its own; exiting while
        // they still work on this frame crashes in its teardown.
        glFinish();
        std::exit(0);
    }
}
