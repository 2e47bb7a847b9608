// Entry point of the GL test program: one real GLUT window (and so one GL
// context) for the whole run, created before any test. Under Xvfb this is
// Mesa's software renderer with a depth and a stencil buffer.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/GameWindow.h"
#include "support/GlTestContext.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    // The game's own display mode, so the tests see the buffers the game gets.
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(GlTestContext::kWidth, GlTestContext::kHeight);
    glutCreateWindow("zumbra-gl-tests");
    GlTestContext::markReady();
    return RUN_ALL_TESTS();
}
