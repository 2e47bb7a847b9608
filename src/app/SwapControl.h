#pragma once

// Asks the driver not to wait for the display's refresh in glutSwapBuffers.
// The frame timer leaves the swap out, so a swap that blocked would make the
// game's clock run slow. Tries GLX_EXT_swap_control, then the MESA and SGI
// variants; returns true when one of them accepted an interval of 0.
bool disableSwapSync();
