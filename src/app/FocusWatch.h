#pragma once

// Tells whether the game's window has the keyboard focus. GLUT reports no
// focus changes, and a key let go while another window has the focus never
// reaches the game, so the held keys must be let go while the focus is away.
//
// A second connection to the X server of the GL context selects the focus
// events of the game's window: each X client selects events of its own, so
// GLUT's connection and what it reads stay as they are. The connection is
// read without blocking, once per frame. Only the state after all events
// read counts: moving the focus from the root window to the game sends a
// focus-out and a focus-in at once, and a key pressed just after must not
// be lost to that.
class FocusWatch {
public:
    FocusWatch() = default;
    ~FocusWatch();
    FocusWatch(const FocusWatch&) = delete;
    FocusWatch& operator=(const FocusWatch&) = delete;

    // Watches the window of the current GL context; false when there is
    // none or its X server cannot be reached a second time.
    bool watchCurrentWindow();
    // Reads the focus events so far: false while another window has the
    // focus, as found when the watch began and changed since. True when not
    // watching.
    bool hasFocus();

private:
    void* display = nullptr;  // the Xlib Display of the second connection
    bool focused = true;
};
