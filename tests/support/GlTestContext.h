#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>

// What the GL tests share: the size of the one test window, a reset to the
// state the game's initGL leaves, and reading pixels back.
class GlTestContext {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 256;

    static void markReady();
    static bool ready();

    // Default GL state, identity matrices, viewport over the whole window,
    // everything cleared to black; shadow volumes at their full length.
    static void reset();

    // RGBA of the back-buffer pixel at (x, y), origin bottom left.
    static std::array<uint8_t, 4> pixel(int x, int y);
    static int stencilAt(int x, int y);
    static GLint integer(GLenum name);
    static GLenum drainErrors();
};
