#pragma once

#include <cstddef>
#include <list>

#include "hud/HighscoreEntry.h"

// The rules of the highscore table, highest score first. A table that
// reaches kTrimSize entries loses its last one, so a table built by play
// holds at most nine entries; a longer file is shown as it is.
class HighscoreTable {
public:
    static constexpr size_t kTrimSize = 10;

    // Whether points earn a place: always with fewer than kTrimSize entries,
    // otherwise only with more points than the last entry.
    static bool qualifies(const std::list<HighscoreEntry*>& table, int points);

    // Takes over entry: appends it, sorts by score keeping the order of equal
    // scores (so it lands below entries it ties with), then, if the table
    // holds kTrimSize or more entries, deletes the last one, which may be
    // entry itself.
    static void insert(std::list<HighscoreEntry*>* table, HighscoreEntry* entry);
};
