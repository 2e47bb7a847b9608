#include "hud/HighscoreTable.h"

bool HighscoreTable::qualifies(const std::list<HighscoreEntry*>& table, int points) {
    if (table.size() < kTrimSize || table.back() == nullptr) {
        return true;
    }
    return table.back()->score < points;
}

void HighscoreTable::insert(std::list<HighscoreEntry*>* table, HighscoreEntry* entry) {
    if (table == nullptr || entry == nullptr) {
        delete entry;
        return;
    }
    table->push_back(entry);
    // std::list::sort is stable.
    table->sort([](const HighscoreEntry* a, const HighscoreEntry* b) {
        const int scoreA = a != nullptr ? a->score : 0;
        const int scoreB = b != nullptr ? b->score : 0;
        return scoreA > scoreB;
    });
    if (table->size() >= kTrimSize) {
        delete table->back();
        table->pop_back();
    }
}
