#pragma once

// Diagnostics of the GL-check build (ZUMBRA_GL_CHECKS): display() calls
// checkFrame at the end of every frame. Everything goes to standard error;
// standard output keeps only the game's console lines.

// Frames between two "zumbra: frame N" lines, by which scripts count frames.
constexpr long kFrameMarkInterval = 100;

// Writes every pending GL error to standard error as one line naming the
// frame, and returns how many there were. Stops after a few dozen: without
// a context some drivers report the same error forever.
int reportGlErrors(long frame);

// Counts the frame, reports its GL errors and every kFrameMarkInterval
// frames writes "zumbra: frame N".
void checkFrame();
