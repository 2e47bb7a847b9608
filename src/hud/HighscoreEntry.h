#pragma once

// One row of the highscore table. The entry owns its name, a terminated heap
// string made with new[]; deleting the entry frees it.
class HighscoreEntry {
public:
    char* name;
    int score;

    HighscoreEntry();
    // Takes over name (allocated with new[]); a null name reads as "".
    HighscoreEntry(char* name, int score);
    ~HighscoreEntry();
    HighscoreEntry(const HighscoreEntry&) = delete;
    HighscoreEntry& operator=(const HighscoreEntry&) = delete;

    // A new entry holding a terminated copy of the first length characters
    // of text (none when length is negative or text is null).
    static HighscoreEntry* copyOf(const char* text, int length, int score);
};
