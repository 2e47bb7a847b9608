#include "app/Input.h"

#include <cstdlib>

#include "app/KeyState.h"

void keyboard(unsigned char key, int /*x*/, int /*y*/) {
    theKeyState.press(KeyState::fromCharacter(key));
}

void keyboardUp(unsigned char key, int /*x*/, int /*y*/) {
    theKeyState.release(KeyState::fromCharacter(key));
}

void special(int key, int /*x*/, int /*y*/) { theKeyState.press(KeyState::fromSpecial(key)); }

void specialUp(int key, int /*x*/, int /*y*/) { theKeyState.release(KeyState::fromSpecial(key)); }

void mouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}

void passiveMotion(int /*x*/, int /*y*/) {}

void pollKeys() {
    if (theKeyState.isHeld(KeyState::kEscape)) {
        std::exit(0);
    }
}
