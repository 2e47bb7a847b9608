#include "hud/Hud.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdio>
#include <string>

namespace {

// Every switch message shares this spot; two at once overlap.
constexpr double kMessageX = 400.0;
constexpr double kMessageY = 300.0;
constexpr double kTableFirstRowY = 250.0;
constexpr double kTableRowStep = 20.0;

void* glutFont(HudFont font) {
    return font == HudFont::kHelvetica10 ? GLUT_BITMAP_HELVETICA_10 : GLUT_BITMAP_TIMES_ROMAN_24;
}

}  // namespace

Hud::Hud()
    : points(0),
      bombs(0),
      gameOver(false),
      showFramerate(false),
      framerateMessageFrames(0),
      frameRate(0),
      wireframe(false),
      wireframeMessageFrames(0),
      frustumCulling(false),
      frustumCullingMessageFrames(0),
      transparency(false),
      transparencyMessageFrames(0),
      lods(false),
      lodsMessageFrames(0),
      minutes(0),
      seconds(0),
      name(nullptr),
      nameLength(0),
      highscoreTable(nullptr),
      askForName(false) {}

void Hud::update(int rate) {
    frameRate = rate;
}

std::vector<HudLine> Hud::layoutFrame() {
    std::vector<HudLine> lines;
    char buffer[100];
    auto add = [&lines](double x, double y, const std::string& text,
                        HudFont font = HudFont::kTimesRoman24) {
        lines.push_back(HudLine{x, y, font, text});
    };
    auto message = [&add](int* frames, bool on, const char* whenOn, const char* whenOff) {
        if (*frames > 0) {
            add(kMessageX, kMessageY, on ? whenOn : whenOff);
            --*frames;
        }
    };

    std::snprintf(buffer, sizeof buffer, "Points: %d", points);
    add(5, 30, buffer);
    std::snprintf(buffer, sizeof buffer, "Bombs: %d", bombs);
    add(155, 30, buffer);
    std::snprintf(buffer, sizeof buffer, "Time: %d:%d", minutes, seconds);
    add(305, 30, buffer);
    if (showFramerate) {
        std::snprintf(buffer, sizeof buffer, "Framerate: %d fps", frameRate);
        add(950, 10, buffer, HudFont::kHelvetica10);
    }
    if (gameOver) {
        add(350, 100, "Game Over! Press ESC to quit!");
    }
    message(&framerateMessageFrames, showFramerate, "Framerate Display On!",
            "Framerate Display Off!");
    message(&wireframeMessageFrames, wireframe, "Wireframe On!", "Wireframe Off!");
    message(&frustumCullingMessageFrames, frustumCulling, "View Frustum Culling On!",
            "View Frustum Culling Off!");
    message(&transparencyMessageFrames, transparency, "Transparency On!", "Transparency Off!");
    message(&lodsMessageFrames, lods, "LODs On!", "LODs Off!");
    if (gameOver && !askForName && highscoreTable == nullptr) {
        add(350, 200, "Calculating Score! Please wait!");
    }
    if (askForName) {
        add(300, 200, "You have been added to the High Score List!");
        add(400, 250, "Please Enter your name:");
        // The buffer has no terminator while it is typed: only nameLength counts.
        const bool typed = name != nullptr && nameLength > 0;
        add(400, 300, typed ? std::string(name, static_cast<size_t>(nameLength)) : std::string());
    }
    if (highscoreTable != nullptr) {
        add(450, 200, "HIGHSCORES");
        double y = kTableFirstRowY;
        for (const HighscoreEntry* entry : *highscoreTable) {
            if (entry == nullptr) {
                continue;
            }
            add(300, y, entry->name != nullptr ? entry->name : "");
            std::snprintf(buffer, sizeof buffer, "%d", entry->score);
            add(700, y, buffer);
            y += kTableRowStep;
        }
    }
    return lines;
}

void Hud::draw() {
    const std::vector<HudLine> lines = layoutFrame();
    // The raster position is current state that the HUD does not own.
    glPushAttrib(GL_CURRENT_BIT);
    for (const HudLine& line : lines) {
        glRasterPos2d(line.x, line.y);
        void* font = glutFont(line.font);
        for (const char c : line.text) {
            glutBitmapCharacter(font, static_cast<unsigned char>(c));
        }
    }
    glPopAttrib();
}

void Hud::setPoints(int value) {
    points = value;
}

void Hud::setBombs(int value) {
    bombs = value;
}

void Hud::setGameOver(bool value) {
    gameOver = value;
}

void Hud::setTime(int totalSeconds) {
    minutes = totalSeconds / 60;
    seconds = totalSeconds - 60 * minutes;
}

void Hud::toggleFramerate() {
    showFramerate = !showFramerate;
    framerateMessageFrames = frameRate;
}

void Hud::setWireframe(bool value) {
    wireframe = value;
    wireframeMessageFrames = frameRate;
}

void Hud::setFrustumCulling(bool value) {
    frustumCulling = value;
    frustumCullingMessageFrames = frameRate;
}

void Hud::setTransparency(bool value) {
    transparency = value;
    transparencyMessageFrames = frameRate;
}

void Hud::setLods(bool value) {
    lods = value;
    lodsMessageFrames = frameRate;
}

void Hud::setAskForName(bool value) {
    askForName = value;
}

void Hud::setNameEntry(char* text, int length) {
    name = text;
    nameLength = static_cast<int8_t>(length);
}

void Hud::setHighscoreTable(std::list<HighscoreEntry*>* table) {
    highscoreTable = table;
}
