// Feeds arbitrary bytes to the highscore reader, then writes what it read
// and reads that back: the reader must never crash or overflow, and what
// the game writes must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>

#include "hud/HighscoreFile.h"

namespace {

void clear(std::list<HighscoreEntry*>* table) {
    for (HighscoreEntry* e : *table) {
        delete e;
    }
    table->clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::list<HighscoreEntry*> first;
    HighscoreFile::parse(reinterpret_cast<const char*>(data), size, &first);
    for (const HighscoreEntry* e : first) {
        if (e->name == nullptr || std::strlen(e->name) > HighscoreFile::kMaxNameLength) {
            std::abort();
        }
    }

    const std::string written = HighscoreFile::format(first);
    std::list<HighscoreEntry*> second;
    HighscoreFile::parse(written.data(), written.size(), &second);
    if (second.size() != first.size()) {
        std::abort();
    }
    for (auto a = first.begin(), b = second.begin(); a != first.end(); ++a, ++b) {
        if ((*a)->score != (*b)->score || std::strcmp((*a)->name, (*b)->name) != 0) {
            std::abort();
        }
    }
    if (HighscoreFile::format(second) != written) {
        std::abort();
    }
    clear(&first);
    clear(&second);
    return 0;
}
