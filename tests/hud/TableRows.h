#pragma once

#include <list>
#include <string>

#include "hud/HighscoreEntry.h"
#include "hud/HighscoreFile.h"

// A highscore list the test owns, and its rows as one string
// ("ann 300|bob 8|") so whole tables compare in one expectation.
class TableRows {
public:
    // From rows in the file's own format, read by the reader under test.
    explicit TableRows(const std::string& file = "") {
        HighscoreFile::parse(file.data(), file.size(), &entries);
    }
    ~TableRows() { clear(); }
    TableRows(const TableRows&) = delete;
    TableRows& operator=(const TableRows&) = delete;

    void add(const std::string& name, int score) {
        entries.push_back(
            HighscoreEntry::copyOf(name.data(), static_cast<int>(name.size()), score));
    }
    void clear() {
        for (HighscoreEntry* e : entries) {
            delete e;
        }
        entries.clear();
    }
    std::string rows() const { return rowsOf(entries); }
    static std::string rowsOf(const std::list<HighscoreEntry*>& table) {
        std::string out;
        for (const HighscoreEntry* e : table) {
            out += std::string(e->name) + " " + std::to_string(e->score) + "|";
        }
        return out;
    }

    std::list<HighscoreEntry*> entries;
};
