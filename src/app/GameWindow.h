#pragma once

#include <GL/freeglut.h>

class World;

// The window, its fixed GL state and the frame loop callbacks.

// A double-buffered RGBA window with stencil for the shadows. GLUT_DEPTH as
// well: Mesa and most X visuals give no depth buffer unless asked for one.
constexpr unsigned int kDisplayMode = GLUT_RGBA | GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH;

extern int windowWidth;   // 1024
extern int windowHeight;  // 768

// The one World, created by initGL; lives for the whole run.
extern World* theWorld;

// Keeps the memory freed inside a frame for the next one. Mesa's software
// renderer allocates and frees a large vertex buffer for every big draw;
// glibc handed the top of the heap back to the system at each free and
// asked for it again at the next draw, a page fault for every page, a dozen
// times a frame while bombs fall. Call first thing in main.
void keepFreedHeap();
// Standard output fully buffered wherever it goes (a terminal, a pipe, a
// log): idle flushes it once a step, so a frame's lines leave in one write
// rather than one write each. Before anything is printed.
void bufferStandardOutput();
// Sets the GL state that holds for the whole run and creates the World.
void initGL();
// The part of initGL that holds for the whole run: depth test, culling,
// colour material, blending, the clear values.
void applyFixedGlState();
// beginFrame, the World's render, endFrame.
void display();
// The frame around the World's drawing: the timer, the clear and the pushed
// modelview before it; the pop, the key poll, the flush and the swap after.
// A frame drawn between them counts as shown, so the next step does not wait.
void beginFrame();
void endFrame();
void idle();
void reshape(int width, int height);
