// The end of a game against a Highscores.txt that is junk, huge, missing, a
// directory, or on a read-only or a full file system: the World reads it
// once, asks for a name only when it got a table the score gets into, shows
// the table, and a write that fails leaves the old file as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/World.h"
#include "audio/GameAudio.h"
#include "hud/Hud.h"
#include "hud/TableRows.h"
#include "support/FileSizeLimit.h"
#include "support/GlTestContext.h"
#include "support/ScratchDirectory.h"

namespace {

constexpr const char* kAbsent = "<absent>";
constexpr const char* kDirectory = "<directory>";

// A small tmpfs over a directory, made the working directory. Mounting
// needs root; ok() says whether it worked.
class ScratchMount {
public:
    ScratchMount(const std::string& path, const char* options) : path(path) {
        mounted = mount("tmpfs", path.c_str(), "tmpfs", 0, options) == 0;
        entered = mounted && chdir(path.c_str()) == 0;
    }
    ~ScratchMount() {
        if (entered) {
            (void)!chdir("/");
        }
        if (mounted) {
            umount2(path.c_str(), MNT_DETACH);
        }
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool ok() const { return entered; }
    bool makeReadOnly() const {
        return mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string path;
    bool mounted;
    bool entered = false;
};

// Fills the file system of the working directory up to the last block.
void fillFileSystem() {
    const std::string block(4096, 'f');
    if (FILE* filler = std::fopen("filler", "w")) {
        setvbuf(filler, nullptr, _IONBF, 0);
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
        }
        std::fclose(filler);
    }
}

// Lines the reader must skip: random bytes, every line ending in a NUL.
std::string junk(size_t bytes) {
    std::string text;
    uint32_t x = 12345;
    while (text.size() < bytes) {
        x = x * 1103515245u + 12345u;
        const char c = static_cast<char>(x >> 24);
        text += c == '\n' ? std::string("\0\n", 2) : std::string(1, c);
    }
    return text + std::string("\0\n", 2);
}

// Ten entries, 1100 down to 200: 123 points do not get in.
std::string fullTable(const char* separator) {
    std::string text;
    for (int i = 1; i <= 10; ++i) {
        text += "champ" + std::to_string(i) + " " + std::to_string(1200 - 100 * i) + separator;
    }
    return text;
}

std::string fileState(const char* name) {
    struct stat st;
    if (stat(name, &st) != 0) {
        return kAbsent;
    }
    return S_ISDIR(st.st_mode) ? kDirectory : ScratchDirectory::contents(name);
}

}  // namespace

TEST(WorldHighscoreFile, EndOfGameAgainstABadFile) {
    const std::string huge = junk(8 << 20) + fullTable("\n");
    struct Case {  // NOLINT(clang-analyzer-optin.performance.Padding): read as a table
        const char* what;
        // Prepares the working directory; false when this machine cannot.
        std::function<bool(ScratchDirectory& dir, std::unique_ptr<ScratchMount>& mount)> setUp;
        bool asked;          // the name entry opened
        std::string table;   // on the HUD at the end; "" for none
        std::string after;   // the file at the end
        bool tinyFileLimit;  // Enter under a file size limit
    };
    const auto put = [](const std::string& text) {
        return [text](ScratchDirectory&, std::unique_ptr<ScratchMount>&) {
            ScratchDirectory::put("Highscores.txt", text);
            return true;
        };
    };
    Case cases[] = {
        {"junk", put(junk(64 << 10)), true, "Bob 123|", "Bob 123\n", false},
        {"junk between entries", put("ann 500\n" + junk(300) + "bo 300\n"), true,
         "ann 500|bo 300|Bob 123|", "ann 500\nbo 300\nBob 123\n", false},
        {"huge, ending in a full table", put(huge), false, fullTable("|"), huge, false},
        {"missing", [](ScratchDirectory&, std::unique_ptr<ScratchMount>&) { return true; }, false,
         "", kAbsent, false},
        {"a directory",
         [](ScratchDirectory&, std::unique_ptr<ScratchMount>&) {
             return mkdir("Highscores.txt", 0755) == 0;
         },
         false, "", kDirectory, false},
        {"on a read-only file system",
         [](ScratchDirectory& dir, std::unique_ptr<ScratchMount>& mount) {
             mount = std::make_unique<ScratchMount>(dir.path, "size=64k");
             ScratchDirectory::put("Highscores.txt", "ann 500\n");
             return mount->ok() && mount->makeReadOnly();
         },
         true, "ann 500|Bob 123|", "ann 500\n", false},
        {"on a full file system",
         [](ScratchDirectory& dir, std::unique_ptr<ScratchMount>& mount) {
             mount = std::make_unique<ScratchMount>(dir.path, "size=64k");
             ScratchDirectory::put("Highscores.txt", "ann 500\n");
             fillFileSystem();
             return mount->ok();
         },
         true, "ann 500|Bob 123|", "ann 500\n", false},
        {"written past a file size limit", put("ann 500\n"), true, "ann 500|Bob 123|", "ann 500\n",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GlTestContext::reset();
        ScratchDirectory dir(true);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        World* world = new World();  // no data/: an empty level, quick to build
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        std::unique_ptr<ScratchMount> mount;
        if (!c.setUp(dir, mount)) {
            // Only the mounts can fail: not root, or no tmpfs. The size
            // limit case then stands in for the full disk.
            std::fprintf(stderr, "skipped '%s': cannot mount a tmpfs here\n", c.what);
            delete world->sound;
            continue;
        }

        world->points = 123;
        world->bombsLeft = 0;
        testing::internal::CaptureStdout();
        world->update(50);
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(world->gameOver && world->highscoresLoaded);
        EXPECT_EQ(world->enteringName, c.asked);
        EXPECT_EQ(world->hud->askForName, c.asked);
        const auto type = [world] {
            for (const char key : std::string("Bob\r")) {
                world->onKey(key);
            }
        };
        testing::internal::CaptureStderr();
        c.tinyFileLimit ? withTinyFileSizeLimit(type) : type();
        const std::string told = testing::internal::GetCapturedStderr();

        EXPECT_FALSE(world->enteringName);
        // A score that did not reach the file is never lost silently. (The
        // size limit cuts the captured stderr short as well.)
        const bool saved = c.after.find("Bob 123") != std::string::npos;
        if (!c.tinyFileLimit) {
            EXPECT_EQ(told.find("zumbra: could not save Highscores.txt (") == 0, c.asked && !saved)
                << told;
        }
        if (c.table.empty()) {
            EXPECT_EQ(world->hud->highscoreTable, nullptr);
        } else {
            ASSERT_NE(world->hud->highscoreTable, nullptr);
            EXPECT_EQ(TableRows::rowsOf(*world->hud->highscoreTable), c.table);
        }
        EXPECT_TRUE(fileState("Highscores.txt") == c.after);  // not printed: it may be huge
        for (const std::string& name : dir.list()) {
            EXPECT_TRUE(name == "Highscores.txt" || name == "filler") << name << " left behind";
        }
        delete world->sound;  // frees the mixer for the next World
        world->sound = nullptr;
    }
}
