#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "hud/HighscoreEntry.h"
#include "hud/HudLine.h"
#include "scene/Node.h"

// The text over the 3D view: score, bombs, clock, the optional frame rate,
// the one-second confirmations of the option switches and the end-of-game
// screens. It keeps copies of what it shows; the World and the input code
// push them in. Not part of the scene graph: the World calls update and,
// inside its 2D overlay, draw.
class Hud : public Node {
public:
    int points;
    int bombs;
    bool gameOver;
    bool showFramerate;
    int framerateMessageFrames;
    int frameRate;
    bool wireframe;
    int wireframeMessageFrames;
    bool frustumCulling;
    int frustumCullingMessageFrames;
    bool transparency;
    int transparencyMessageFrames;
    bool lods;
    int lodsMessageFrames;
    int minutes;
    int seconds;
    char* name;  // the World's name buffer while it is typed; not owned
    int8_t nameLength;
    std::list<HighscoreEntry*>* highscoreTable;  // the World's table once shown; not owned
    bool askForName;

    Hud();

    void update(int frameRate) override;
    // Issues layoutFrame's lines as bitmap text. Expects the overlay's
    // projection; leaves the current colour and raster position as it found
    // them.
    void draw() override;

    // What this frame shows, in drawing order; like draw, counts every shown
    // switch message down by one frame, so a message lasts as many frames as
    // the frame rate was when it was switched: about a second.
    std::vector<HudLine> layoutFrame();

    void setPoints(int value);
    void setBombs(int value);
    void setGameOver(bool value);
    // Whole seconds, shown as minutes:seconds without leading zeros (65 -> 1:5).
    void setTime(int totalSeconds);
    void toggleFramerate();
    void setWireframe(bool value);
    void setFrustumCulling(bool value);
    void setTransparency(bool value);
    void setLods(bool value);
    void setAskForName(bool value);
    void setNameEntry(char* text, int length);
    void setHighscoreTable(std::list<HighscoreEntry*>* table);
};
