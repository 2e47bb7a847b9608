#pragma once

// Which keys are held right now, for the once-per-frame key poll. GLUT only
// reports key events, so the down and up callbacks record them here, indexed
// by the virtual-key codes the controls are written in: arrows 0x25-0x28,
// letters by their upper-case code, Escape 0x1B.
//
// A press also latches until the next poll, so a tap shorter than a frame
// (easy on a slow machine) still acts once instead of being lost between
// the key-down and key-up events.
class KeyState {
public:
    static constexpr int kEscape = 0x1B;
    static constexpr int kLeft = 0x25;
    static constexpr int kUp = 0x26;
    static constexpr int kRight = 0x27;
    static constexpr int kDown = 0x28;
    static constexpr int kNone = -1;

    KeyState();

    void press(int code);
    void release(int code);
    // A GLUT character key went down or up, with Ctrl held or not. The
    // release lets go of exactly what the press of the same character held:
    // Ctrl+Tab arrives as 9 and holds I, and Tab let go after Ctrl arrives
    // as a plain 9, which alone maps to no key. A character whose press
    // came under another code (Shift or Ctrl changed in between) lets go of
    // what it maps to now. Characters the poll never asks about (digits,
    // Enter, Backspace) are held as well, under codes of their own.
    //
    // A press returns true when the key went down just now and was not held
    // back: false for a press of a key already down, which is how X reports
    // a held key's auto-repeat when asked (detectable auto-repeat).
    bool pressCharacter(unsigned char key, bool withControl);
    void releaseCharacter(unsigned char key, bool withControl);
    // The same for GLUT's special keys (arrows, function keys).
    bool pressSpecial(int key);
    void releaseSpecial(int key);
    // Held now, or pressed since the last endPoll.
    bool isHeld(int code) const;
    // The poll has seen this frame's taps.
    void endPoll();
    void releaseAll();
    // The keys down now stay held back, their presses returning false, until
    // a poll finds them let go. Where X cannot report repeats as presses
    // alone, it sends a held key's repeat as a release and a press, and
    // GLUT lets such a pair through now and then; the two arrive together,
    // never with a poll between them.
    void holdBack();

    // Virtual-key code of a GLUT character key, or kNone for keys the poll
    // never asks about. Upper and lower case map to one code, so a key
    // pressed as 'w' and released as 'W' (Shift in between) still lets go.
    // With Ctrl held GLUT reports a letter as its control code (W as 23):
    // withControl maps codes 1 to 26 back to their letters, while Tab or
    // Enter alone stay no key.
    static int fromCharacter(unsigned char key, bool withControl = false);
    // Virtual-key code of a GLUT special key (arrows), or kNone.
    static int fromSpecial(int key);

private:
    // Past the virtual-key codes: a character with none, then a special key with none.
    static constexpr int kCharacterKeys = 256;
    static constexpr int kSpecialKeys = 512;
    static constexpr int kKeys = 768;

    static int keyOfCharacter(unsigned char key, bool withControl);
    static int keyOfSpecial(int key);
    bool goDown(int code);

    bool held[kKeys];
    bool latched[kKeys];
    bool heldBack[kKeys];
    // Per character code: the key its last press held, or kNone.
    int heldByCharacter[256];
};

// The one table, filled by the GLUT key callbacks and read by pollKeys; lives
// for the whole run.
extern KeyState theKeyState;
