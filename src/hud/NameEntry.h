#pragma once

// The keys typed into the highscore name at the end of a game. The name is
// the World's unterminated buffer of kMaxLength characters and its length.
class NameEntry {
public:
    static constexpr int kMaxLength = 20;
    static constexpr char kEnter = 13;
    static constexpr char kBackspace = 8;

    enum Result { kTyping, kFinished };

    // Enter finishes the entry and leaves the name alone. Backspace removes
    // the last character, if any. Spaces are dropped, and so are line feeds,
    // which would split the entry's line in the highscore file. Every other
    // character, control characters included, is appended while there is
    // room; past kMaxLength characters they are ignored.
    static Result type(char key, char* name, int* length);
};
