#pragma once

#include <bitset>

// What the gamepads hold in one frame, in the terms of the keys and the mouse
// they stand for. Sticks are already past their dead zone: 0 at rest, 1 at
// full deflection, which is exactly the key (or the mouse look at its full
// speed).
struct PadControls {
    float forward = 0.0f;    // left stick: up as W, down as S
    float left = 0.0f;       // left stick: left as A, right as D
    float lookRight = 0.0f;  // right stick: as the pointer moving right
    float lookUp = 0.0f;     // right stick: as the pointer moving up
    // Virtual-key codes (as KeyState's) of the keys the held buttons stand for.
    std::bitset<256> keys;
};
