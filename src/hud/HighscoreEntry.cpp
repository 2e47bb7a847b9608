#include "hud/HighscoreEntry.h"

#include <cstring>

namespace {

char* emptyName() {
    char* name = new char[1];
    name[0] = '\0';
    return name;
}

}  // namespace

HighscoreEntry::HighscoreEntry() : name(emptyName()), score(0) {}

HighscoreEntry::HighscoreEntry(char* name, int score)
    : name(name != nullptr ? name : emptyName()), score(score) {}

HighscoreEntry::~HighscoreEntry() {
    delete[] name;
}

HighscoreEntry* HighscoreEntry::copyOf(const char* text, int length, int score) {
    if (text == nullptr || length < 0) {
        length = 0;
    }
    char* name = new char[length + 1];
    if (length > 0) {
        std::memcpy(name, text, static_cast<size_t>(length));
    }
    name[length] = '\0';
    return new HighscoreEntry(name, score);
}
