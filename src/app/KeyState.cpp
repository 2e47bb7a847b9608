#include "app/KeyState.h"

#include <GL/freeglut.h>

KeyState theKeyState;

KeyState::KeyState() {
    releaseAll();
}

void KeyState::press(int code) {
    if (code >= 0 && code < kKeys) {
        held[code] = true;
        latched[code] = true;
    }
}

void KeyState::release(int code) {
    if (code >= 0 && code < kKeys) {
        held[code] = false;
    }
}

bool KeyState::goDown(int code) {
    const bool fresh = code >= 0 && code < kKeys && !held[code] && !heldBack[code];
    press(code);
    return fresh;
}

bool KeyState::pressCharacter(unsigned char key, bool withControl) {
    // A repeat of Ctrl+Tab, say, comes as a plain Tab once Ctrl is let go:
    // the same key still, held as I.
    const int before = heldByCharacter[key];
    if (before != kNone && held[before]) {
        return false;
    }
    const int code = keyOfCharacter(key, withControl);
    heldByCharacter[key] = code;
    return goDown(code);
}

void KeyState::releaseCharacter(unsigned char key, bool withControl) {
    int code = heldByCharacter[key];
    if (code == kNone) {
        code = keyOfCharacter(key, withControl);
    }
    // Whichever character's press held the key, it is let go now.
    for (int& by : heldByCharacter) {
        if (by == code) {
            by = kNone;
        }
    }
    release(code);
}

bool KeyState::pressSpecial(int key) {
    return goDown(keyOfSpecial(key));
}

void KeyState::releaseSpecial(int key) {
    release(keyOfSpecial(key));
}

bool KeyState::isHeld(int code) const {
    return code >= 0 && code < kKeys && (held[code] || latched[code]);
}

void KeyState::endPoll() {
    for (int code = 0; code < kKeys; ++code) {
        latched[code] = false;
        heldBack[code] = held[code] && heldBack[code];
    }
}

void KeyState::holdBack() {
    for (int code = 0; code < kKeys; ++code) {
        heldBack[code] = held[code];
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

int KeyState::keyOfCharacter(unsigned char key, bool withControl) {
    const int code = fromCharacter(key, withControl);
    return code != kNone ? code : kCharacterKeys + key;
}

int KeyState::keyOfSpecial(int key) {
    const int code = fromSpecial(key);
    if (code != kNone || key < 0 || key >= kSpecialKeys - kCharacterKeys) {
        return code;
    }
    return kSpecialKeys + key;
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
