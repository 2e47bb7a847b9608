#include "app/KeyState.h"

#include <GL/freeglut.h>

KeyState theKeyState;

KeyState::KeyState() {
    releaseAll();
}

void KeyState::press(int code) {
    if (code >= 0 && code < 256) {
        held[code] = true;
        latched[code] = true;
    }
}

void KeyState::release(int code) {
    if (code >= 0 && code < 256) {
        held[code] = false;
    }
}

void KeyState::pressCharacter(unsigned char key, bool withControl) {
    const int code = fromCharacter(key, withControl);
    heldByCharacter[key] = code;
    press(code);
}

void KeyState::releaseCharacter(unsigned char key, bool withControl) {
    int code = heldByCharacter[key];
    if (code == kNone) {
        code = fromCharacter(key, withControl);
    }
    // Whichever character's press held the key, it is let go now.
    for (int& by : heldByCharacter) {
        if (by == code) {
            by = kNone;
        }
    }
    release(code);
}

bool KeyState::isHeld(int code) const {
    return code >= 0 && code < 256 && (held[code] || latched[code]);
}

void KeyState::endPoll() {
    for (bool& l : latched) {
        l = false;
    }
}

void KeyState::releaseAll() {
    for (bool& h : held) {
        h = false;
    }
    for (int& by : heldByCharacter) {
        by = kNone;
    }
    endPoll();
}

int KeyState::fromCharacter(unsigned char key, bool withControl) {
    if (withControl && key >= 1 && key <= 26) {
        return key - 1 + 'A';
    }
    if (key >= 'a' && key <= 'z') {
        return key - 'a' + 'A';
    }
    if (key >= 'A' && key <= 'Z') {
        return key;
    }
    if (key == 27) {
        return kEscape;
    }
    return kNone;
}

int KeyState::fromSpecial(int key) {
    switch (key) {
        case GLUT_KEY_LEFT:
            return kLeft;
        case GLUT_KEY_UP:
            return kUp;
        case GLUT_KEY_RIGHT:
            return kRight;
        case GLUT_KEY_DOWN:
            return kDown;
        default:
            return kNone;
    }
}
