#include "hud/HighscoreTable.h"

#include <gtest/gtest.h>

#include <string>

#include "hud/NameEntry.h"
#include "hud/TableRows.h"

namespace {

// count rows "p0 100", "p1 90", ...
std::string fileOf(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "p" + std::to_string(i) + " " + std::to_string(100 - 10 * i) + "\n";
    }
    return text;
}

// The keys typed, then the name they leave.
std::string typeKeys(const std::string& keys, int startLength = 0) {
    char name[NameEntry::kMaxLength] = {};
    int length = startLength;
    for (const char key : keys) {
        EXPECT_EQ(NameEntry::type(key, name, &length), NameEntry::kTyping);
    }
    return std::string(name, static_cast<size_t>(length));
}

}  // namespace

TEST(HighscoreTable, QualifiesWithRoomOrMorePointsThanTheLast) {
    EXPECT_TRUE(HighscoreTable::qualifies({}, -5));
    TableRows nine(fileOf(9));
    EXPECT_TRUE(HighscoreTable::qualifies(nine.entries, -5));  // room left, whatever the score
    TableRows ten(fileOf(10));
    EXPECT_FALSE(HighscoreTable::qualifies(ten.entries, 10));  // equal to the last: no place
    EXPECT_FALSE(HighscoreTable::qualifies(ten.entries, 9));
    EXPECT_TRUE(HighscoreTable::qualifies(ten.entries, 11));
    // Only the last row counts, sorted or not (a hand-edited file is not).
    ten.add("k", 1000);
    EXPECT_FALSE(HighscoreTable::qualifies(ten.entries, 1000));
    EXPECT_TRUE(HighscoreTable::qualifies(ten.entries, 1001));
}

TEST(HighscoreTable, InsertSortsStablyAndTrimsOnce) {
    TableRows t("first 50\nsecond 50\nlow 10\n");
    HighscoreTable::insert(&t.entries, HighscoreEntry::copyOf("new", 3, 50));
    HighscoreTable::insert(&t.entries, HighscoreEntry::copyOf("top", 3, 99));
    HighscoreTable::insert(&t.entries, HighscoreEntry::copyOf("neg", 3, -1));
    EXPECT_EQ(t.rows(), "top 99|first 50|second 50|new 50|low 10|neg -1|");

    // An unsorted file is sorted by the first insert, ties kept in file order.
    TableRows unsorted("x 1\ny 5\nz 1\nw 5\n");
    HighscoreTable::insert(&unsorted.entries, HighscoreEntry::copyOf("v", 1, 3));
    EXPECT_EQ(unsorted.rows(), "y 5|w 5|v 3|x 1|z 1|");

    // Nine plus one is the first size trimmed: back to nine, the lowest gone.
    TableRows nine(fileOf(9));
    HighscoreTable::insert(&nine.entries, HighscoreEntry::copyOf("bo", 2, 55));
    EXPECT_EQ(nine.rows(), "p0 100|p1 90|p2 80|p3 70|p4 60|bo 55|p5 50|p6 40|p7 30|");
    TableRows eight(fileOf(8));
    HighscoreTable::insert(&eight.entries, HighscoreEntry::copyOf("bo", 2, 5));
    EXPECT_EQ(eight.entries.size(), 9u);

    // Twelve rows from a long file plus one: one removed, not down to nine.
    TableRows twelve(fileOf(12));
    HighscoreTable::insert(&twelve.entries, HighscoreEntry::copyOf("m", 1, 1000));
    EXPECT_EQ(twelve.entries.size(), 12u);
    EXPECT_EQ(twelve.rows().substr(0, 7), "m 1000|");
    EXPECT_EQ(twelve.entries.back()->score, 0);  // "p10 0" stays, "p11 -10" went
}

TEST(HighscoreTable, NameEntryKeys) {
    EXPECT_EQ(typeKeys("Bob\bb"), "Bob");
    // Backspace on an empty name does nothing; spaces and line feeds are
    // dropped; other control characters are stored like letters.
    EXPECT_EQ(typeKeys("\b\bA B\tC\nD\x1b"), "AB\tCD\x1b");
    // Room for twenty: the 21st is ignored; Backspace then frees a place.
    EXPECT_EQ(typeKeys("abcdefghijklmnopqrstU\bZ"), "abcdefghijklmnopqrsZ");
    // A length from outside the buffer is pulled back into it before use.
    EXPECT_EQ(typeKeys("!", -3), "!");
    EXPECT_EQ(typeKeys("\b", 25).size(), 19u);

    // Enter finishes and leaves the name alone.
    char name[] = "Bob";
    int length = 3;
    EXPECT_EQ(NameEntry::type(NameEntry::kEnter, name, &length), NameEntry::kFinished);
    EXPECT_EQ(length, 3);
}
