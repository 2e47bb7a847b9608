#pragma once

#include <string>

// The two bitmap faces the HUD uses: the large serif one for everything but
// the frame-rate line.
enum class HudFont { kTimesRoman24, kHelvetica10 };

// One line of HUD text: a raster position in the 1024 by 768 overlay (origin
// top left, y down) and the characters drawn from there. text may hold any
// byte, NULs included; each is one bitmap character call.
struct HudLine {
    double x;
    double y;
    HudFont font;
    std::string text;
};
