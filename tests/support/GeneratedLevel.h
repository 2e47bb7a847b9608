#pragma once

#include <cstdint>
#include <vector>

#include <GL/gl.h>

class Flower;
class World;

// The generated level in a World built once per test program and kept for
// the rest of the run, as the game keeps its own; with one tulip placed
// pitched and rolled at (-20, 0, 10), which the game draws upright, so its
// volume must be cut and counted as drawn. Null without generated content.
class GeneratedLevel {
public:
    static World* world();
    static Flower* tiltedTulip();
    // The top of the floor, where the World cuts the shadow volumes.
    static float floorTop();
};

// A frame of any size with depth and stencil, drawn into instead of the
// window while it lives, with a viewport and the World's perspective for
// its shape.
class OffscreenFrame {
public:
    OffscreenFrame(int width, int height);
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    bool complete() const;
    // RGBA, bottom row first.
    std::vector<uint32_t> pixels() const;

    const int width;
    const int height;

private:
    GLuint frame = 0;
    GLuint buffers[2] = {0, 0};
};
