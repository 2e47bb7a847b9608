#include "app/GameWindow.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/FrameCheck.h"
#include "app/FrameTimer.h"
#include "app/Input.h"
#include "app/World.h"

int windowWidth = 1024;
int windowHeight = 768;
World* theWorld = nullptr;

namespace {

// While the window is hidden GLUT draws nothing between two idles; the game
// then steps at this pace instead of spinning a core, and the step clock
// keeps the round in real time.
constexpr std::chrono::milliseconds kHiddenStep(25);

// Cleared by each step, set by each displayed frame.
bool displayedSinceStep = true;

// Far more than a step prints, even at start, so a step's lines never split.
char outputBuffer[1 << 16];

}  // namespace

void keepFreedHeap() {
    // Frees stay in the heap up to this much; below the mmap threshold every
    // block comes from the heap, where the freed ones are reused.
    constexpr int kKeep = 128 << 20;
    constexpr int kMapAbove = 32 << 20;
    constexpr int kGrowBy = 16 << 20;
    mallopt(M_TRIM_THRESHOLD, kKeep);
    mallopt(M_MMAP_THRESHOLD, kMapAbove);
    mallopt(M_TOP_PAD, kGrowBy);
}

void bufferStandardOutput() {
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
}

void initGL() {
    applyFixedGlState();
    theWorld = new World();
    theWorld->width = windowWidth;
    theWorld->height = windowHeight;
}

void applyFixedGlState() {
    glShadeModel(GL_SMOOTH);
    glClearColor(1.0f, 0.7f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void display() {
    beginFrame();
    theWorld->render();
    endFrame();
}

void beginFrame() {
    startFrameTimer();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
}

void endFrame() {
    glPopMatrix();
    pollKeys();
    glFlush();
    stopFrameTimer();
    glutSetCursor(GLUT_CURSOR_NONE);
    glutSwapBuffers();
    displayedSinceStep = true;
#ifdef ZUMBRA_GL_CHECKS
    checkFrame();
#endif
}

void idle() {
    if (!displayedSinceStep) {
        std::this_thread::sleep_for(kHiddenStep);
    }
    displayedSinceStep = false;
    stepFrameTimer();
    const int frameRate = frameRateFromFrameTime(frameTime);
    theWorld->update(frameRate);
    // The step's lines and the frame's before them together, shown or hidden.
    std::fflush(stdout);
    glutPostRedisplay();
}

void reshape(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    theWorld->aspect = static_cast<double>(width) / static_cast<double>(height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(theWorld->fieldOfView, theWorld->aspect, theWorld->nearPlane,
                   theWorld->farPlane);
    glMatrixMode(GL_MODELVIEW);
}
