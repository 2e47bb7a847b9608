#pragma once

// GLUT input callbacks and the once-per-frame poll of held keys.
// Callbacks only record or forward events; flying, the camera and quitting
// act in pollKeys, which display() calls after the frame is drawn, so holding
// a key acts exactly once per frame however long the frame takes. The
// gamepads are read there as well, their buttons standing for keys.

// A character reaches the name entry only from a key that went down just
// now: never from a held key's repeat, nor from a key held since before the
// prompt opened (the World holds those back when it opens the prompt).
void keyboard(unsigned char key, int x, int y);
void keyboardUp(unsigned char key, int x, int y);
void special(int key, int x, int y);
void specialUp(int key, int x, int y);
void mouse(int button, int state, int x, int y);
void passiveMotion(int x, int y);

// Hidden: every held key lets go.
void windowStatus(int state);
// Registers windowStatus and starts watching the current window's keyboard
// focus, whose loss lets every held key go at the next poll.
void watchFocus();

// Asks X to report a held key's auto-repeat as presses alone, without a
// release before each, on the current GL context's connection: GLUT's repeat
// filter then has no fake release to miss. false where the server cannot.
bool detectKeyRepeats();

void pollKeys();

// The window fills the screen (right button toggles).
extern bool isFullScreen;
