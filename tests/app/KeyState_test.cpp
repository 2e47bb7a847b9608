#include "app/KeyState.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

TEST(KeyState, MapsGlutKeysToVirtualKeyCodes) {
    EXPECT_EQ(KeyState::fromCharacter('w'), 0x57);
    EXPECT_EQ(KeyState::fromCharacter('W'), 0x57);
    EXPECT_EQ(KeyState::fromCharacter(27), 0x1B);
    EXPECT_EQ(KeyState::fromCharacter('1'), KeyState::kNone);
    EXPECT_EQ(KeyState::fromCharacter(13), KeyState::kNone);
    // Escape stays Escape with Ctrl; Tab alone is no key.
    EXPECT_EQ(KeyState::fromCharacter(27, true), 0x1B);
    EXPECT_EQ(KeyState::fromCharacter(9), KeyState::kNone);
    EXPECT_EQ(KeyState::fromSpecial(GLUT_KEY_LEFT), 0x25);
    EXPECT_EQ(KeyState::fromSpecial(GLUT_KEY_F2), KeyState::kNone);
}

// Held across polls: the poll's own test.
TEST(KeyState, HoldsUntilReleasedAndATapBetweenTwoPollsActsOnce) {
    KeyState keys;
    keys.press(KeyState::kUp);
    // Codes outside the table are ignored rather than written out of bounds.
    keys.press(KeyState::kNone);
    keys.press(1000);
    EXPECT_FALSE(keys.isHeld(1000));
    EXPECT_FALSE(keys.isHeld(-1));
    keys.releaseAll();
    EXPECT_FALSE(keys.isHeld(KeyState::kUp));

    // A tap between two polls: the next poll sees it, and only that one.
    keys.press(KeyState::kEscape);
    keys.release(KeyState::kEscape);
    EXPECT_TRUE(keys.isHeld(KeyState::kEscape));
    keys.endPoll();
    EXPECT_FALSE(keys.isHeld(KeyState::kEscape));
    // Latched only by a press since the last poll.
    keys.press('W');
    keys.endPoll();
    keys.release('W');
    EXPECT_FALSE(keys.isHeld('W'));
}

// A key pressed with Ctrl arrives as its control code (Tab and Ctrl+I both
// as 9). Released with Ctrl still down it arrives as the same code; after
// Ctrl went up, as the plain code (Tab) or as the plain letter. Its repeats
// after Ctrl went up come as the plain code too.
TEST(KeyState, EveryControlCodeLetsGoOfWhatItsPressHeld) {
    for (unsigned char code = 1; code <= 26; ++code) {
        const int letter = 'A' + code - 1;
        const struct {
            unsigned char key;
            bool withControl;
        } releases[] = {
            {code, true}, {code, false}, {static_cast<unsigned char>(letter + 32), false}};
        for (const auto& release : releases) {
            KeyState keys;
            keys.pressCharacter(code, true);
            keys.pressCharacter(code, false);  // repeating after Ctrl went up
            keys.endPoll();
            ASSERT_TRUE(keys.isHeld(letter)) << "code " << int(code);
            keys.releaseCharacter(release.key, release.withControl);
            EXPECT_FALSE(keys.isHeld(letter))
                << "code " << int(code) << " released as " << int(release.key)
                << (release.withControl ? " with Ctrl" : " without Ctrl");
        }
    }
    // A release lets go of its own key only.
    KeyState keys;
    keys.pressCharacter(9, true);
    keys.pressCharacter('w', false);
    keys.releaseCharacter(9, false);
    keys.endPoll();
    EXPECT_FALSE(keys.isHeld('I'));
    EXPECT_TRUE(keys.isHeld('W'));
}
