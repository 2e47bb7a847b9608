// The end of a game against the Highscores.txt that is there: the World reads
// it once, asks for a name only when the score gets into the table, shows the
// table, and says so when the new table could not be saved. What the file may
// hold and how a write fails is HighscoreFile's own business.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "app/World.h"
#include "audio/GameAudio.h"
#include "hud/Hud.h"
#include "hud/TableRows.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

using namespace std::string_literals;

namespace {

const std::string kAbsent = "<absent>";
const std::string kDirectory = "<directory>";

std::string fileState(const char* name) {
    struct stat st;
    if (stat(name, &st) != 0) {
        return kAbsent;
    }
    return S_ISDIR(st.st_mode) ? kDirectory : ScratchDirectory::contents(name);
}

}  // namespace

TEST(WorldHighscoreFile, EndOfGame) {
    std::string full, fullRows;  // 1100 down to 200: 123 points do not get in
    for (int i = 1; i <= 10; ++i) {
        const std::string row = "champ" + std::to_string(i) + " " + std::to_string(1200 - 100 * i);
        full += row + "\n";
        fullRows += row + "|";
    }
    struct Case {
        const char* what;
        std::string file;   // at the start
        bool asked;         // the name entry opened
        std::string table;  // on the HUD at the end; "" for none
        std::string after;  // the file at the end; kDirectory: one replaced it during the entry
        std::string told;   // on stderr at Enter
    };
    const Case cases[] = {
        {"room left, a junk line skipped", "ann 500\n\x01junk\0 9\nbo 300\n"s, true,
         "ann 500|bo 300|Bob 123|", "ann 500\nbo 300\nBob 123\n", ""},
        {"full", full, false, fullRows, full, ""},
        {"missing", kAbsent, false, "", kAbsent, ""},
        {"gone when saved", "ann 500\n", true, "ann 500|Bob 123|", kDirectory,
         "zumbra: could not save Highscores.txt (Is a directory); the table there is unchanged\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GlTestContext::reset();
        ScratchDirectory dir(true);
        if (c.file != kAbsent) {
            ScratchDirectory::put("Highscores.txt", c.file);
        }
        World* world = nullptr;
        {
            const Quiet quiet;
            world = new World();  // no data/: an empty level, quick to build
            world->points = 123;
            world->bombsLeft = 0;
            world->update(50);
        }
        ASSERT_TRUE(world->gameOver && world->highscoresLoaded);
        EXPECT_EQ(world->enteringName, c.asked);
        EXPECT_EQ(world->hud->askForName, c.asked);
        for (const char key : std::string("Bob")) {
            world->onKey(key);
        }
        if (c.asked) {
            EXPECT_EQ(world->hud->layoutFrame().back().text, "Bob");
        }
        if (c.after == kDirectory) {
            ASSERT_EQ(std::remove("Highscores.txt"), 0);
            ASSERT_EQ(mkdir("Highscores.txt", 0755), 0);
        }
        testing::internal::CaptureStderr();
        world->onKey('\r');
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.told);

        EXPECT_FALSE(world->enteringName || world->hud->askForName);
        if (c.table.empty()) {
            EXPECT_EQ(world->hud->highscoreTable, nullptr);
        } else {
            ASSERT_NE(world->hud->highscoreTable, nullptr);
            EXPECT_EQ(TableRows::rowsOf(*world->hud->highscoreTable), c.table);
        }
        EXPECT_EQ(fileState("Highscores.txt"), c.after);
        delete world->sound;  // frees the mixer for the next World
    }
}
