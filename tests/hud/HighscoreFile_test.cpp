#include "hud/HighscoreFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <string>
#include <vector>

#include "hud/TableRows.h"
#include "support/AsNobody.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchDirectory.h"

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

std::string parsed(const std::string& text) {
    return TableRows(text).rows();
}

}  // namespace

TEST(HighscoreFile, ReadsEntriesAsPercentIDoesAndTheEmptyName) {
    EXPECT_EQ(parsed("ann 300\nbo 010\ncy 0x10\ndi 0X1f\ned -0x10\nfay +5\ngus -7\n"
                     "max 2147483647\nmin -2147483648\n"),
              "ann 300|bo 8|cy 16|di 31|ed -16|fay 5|gus -7|max 2147483647|min -2147483648|");
    // The line an empty name writes; a name typed with a Tab; CRLF; a tab as
    // separator; extra spaces; a last line without its line break.
    EXPECT_EQ(parsed(" 42\n\t 7\na\tb 3\ncrlf 9\r\ntabbed\t11\n   pad    12   \n    13\nlast 1"),
              " 42|\t 7|a\tb 3|crlf 9|tabbed 11|pad 12| 13|last 1|");
}

TEST(HighscoreFile, SkipsEveryOtherLineHugeOnesIncluded) {
    const std::string name99(99, 'n');
    // The blanks before a name are no part of it, nor of its length.
    EXPECT_EQ(parsed("\njustaname\n123\nb 12abc\nb 08\nb 0x\nb -\nb 2147483648\nb -2147483649\n"
                     "b 99999999999999999999999999\nb 1 junk\nnul\0 5\n"s +
                     std::string(100, 'n') + " 5\n   " + name99 + " 6\nkept 1\n"),
              name99 + " 6|kept 1|");

    const std::string huge(1 << 20, 'x');
    const std::string text = "first 1\n" + huge + " 5\nsecond 2\nname " +
                             std::string(1 << 20, '7') + "\nthird 3\n" + std::string(300, ' ') +
                             "4\n" + huge;
    EXPECT_EQ(parsed(text), "first 1|second 2|third 3|");
    ScratchDirectory dir;  // the file reader cuts lines the same way
    ScratchDirectory::put(dir.file("big.txt"), text);
    TableRows fromFile;
    ASSERT_TRUE(HighscoreFile::read(dir.file("big.txt").c_str(), &fromFile.entries));
    EXPECT_EQ(fromFile.rows(), "first 1|second 2|third 3|");
}

TEST(HighscoreFile, EveryTableTheGameWritesReadsBackUnchanged) {
    std::string control;  // what a player can type besides Enter, Backspace and line feed
    for (char c = 1; c < 32; ++c) {
        if (c != '\n' && c != '\r' && c != 8) {
            control.push_back(c);
        }
    }
    TableRows table;
    for (const std::string& name :
         {"ann"s, ""s, "\t"s, "ends\t"s, control.substr(0, 20), control.substr(10),
          "\xe4\xf6\xfc\xff"s, std::string(99, 'q')}) {
        table.add(name, static_cast<int>(name.size()) * 1000 - 7);
    }
    table.add("min", -2147483647 - 1);
    const std::string text = HighscoreFile::format(table.entries);
    EXPECT_EQ(text.substr(0, 15), "ann 2993\n -7\n\t ");
    EXPECT_EQ(parsed(text), table.rows());

    ScratchDirectory dir;
    const std::string path = dir.file("Highscores.txt");
    ASSERT_TRUE(HighscoreFile::write(path.c_str(), table.entries));
    EXPECT_EQ(ScratchDirectory::contents(path), text);  // read as parse() reads: see above

    // A shorter table replaces it whole, and the file keeps its permissions.
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    TableRows shorter("new 9\n");
    ASSERT_TRUE(HighscoreFile::write(path.c_str(), shorter.entries));
    EXPECT_EQ(ScratchDirectory::contents(path), "new 9\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.list(), std::vector<std::string>{"Highscores.txt"});  // no temporary left

    // A missing file is reported and adds nothing; an empty one is an empty table.
    const std::string rows = table.rows();
    EXPECT_FALSE(HighscoreFile::read(dir.file("absent").c_str(), &table.entries));
    ScratchDirectory::put(dir.file("empty"), "");
    EXPECT_TRUE(HighscoreFile::read(dir.file("empty").c_str(), &table.entries));
    EXPECT_EQ(table.rows(), rows);
}

TEST(HighscoreFile, FailedWriteLeavesTheOldFileAsItWas) {
    ScratchDirectory dir;
    TableRows table("new 9\nnewer 8\nnewest 7\n");

    // No directory to make the temporary file in.
    EXPECT_FALSE(HighscoreFile::write(dir.file("missing/Highscores.txt").c_str(), table.entries));
    EXPECT_TRUE(dir.list().empty());
    EXPECT_FALSE(HighscoreFile::write("", table.entries));

    // The disk fills up mid-write.
    const std::string path = dir.file("Highscores.txt");
    ScratchDirectory::put(path, "old 1\n");
    bool written = true;
    withTinyFileSizeLimit([&] { written = HighscoreFile::write(path.c_str(), table.entries); });
    EXPECT_FALSE(written);
    EXPECT_EQ(ScratchDirectory::contents(path), "old 1\n");
    EXPECT_EQ(dir.list(), std::vector<std::string>{"Highscores.txt"});
}

// A directory, a FIFO or a device where the table belongs: read at once as
// no table with one line naming it (never a wait for a FIFO's writer or an
// endless read), and never replaced by a write.
TEST(HighscoreFile, NoPlainFileIsReadOrReplaced) {
    ScratchDirectory dir;
    const std::string path = dir.file("Highscores.txt");
    const std::function<int()> make[] = {
        [&] { return mkdir(path.c_str(), 0755); },
        [&] { return mkfifo(path.c_str(), 0644); },
        [&] { return symlink("/dev/zero", path.c_str()); },
    };
    for (const auto& m : make) {
        ASSERT_EQ(m(), 0);
        struct stat before, after;
        ASSERT_EQ(lstat(path.c_str(), &before), 0);
        TableRows table;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(HighscoreFile::read(path.c_str(), &table.entries));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.rfind("zumbra: " + path + ": is a ", 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(table.rows(), "");

        TableRows scores("new 9\n");
        EXPECT_FALSE(HighscoreFile::write(path.c_str(), scores.entries));
        ASSERT_EQ(lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(dir.list(), std::vector<std::string>{"Highscores.txt"});
        ASSERT_EQ(remove(path.c_str()), 0);
    }
}

// What the folder and the file allow, with the user's permissions: a
// read-only table stays as it was though the folder would let a rename
// replace it; in a read-only folder a writable table is rewritten in place;
// a link is written through and stays a link.
TEST(HighscoreFile, WriteHonoursPermissionsAndLinks) {
    struct Case {
        const char* what;
        mode_t fileMode;
        mode_t folderMode;
        bool link;  // Highscores.txt links to real/scores.txt
        bool saved;
    };
    const Case cases[] = {
        {"read-only file, writable folder", 0444, 0755, false, false},
        {"writable file, read-only folder", 0644, 0555, false, true},
        {"read-only file, read-only folder", 0444, 0555, false, false},
        {"link to a writable file", 0644, 0755, true, true},
        {"link to a read-only file", 0444, 0755, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDirectory dir;
        const std::string folder = c.link ? dir.file("real") : dir.path;
        const std::string file = c.link ? folder + "/scores.txt" : dir.file("Highscores.txt");
        ASSERT_TRUE(!c.link || mkdir(folder.c_str(), 0755) == 0);
        ScratchDirectory::put(file, "old 1\n");
        ASSERT_TRUE(!c.link || symlink("real/scores.txt", dir.file("Highscores.txt").c_str()) == 0);
        for (const std::string& p : {dir.path, folder, file}) {
            ASSERT_TRUE(giveToNobody(p.c_str())) << p;
        }
        ASSERT_EQ(chmod(file.c_str(), c.fileMode), 0);
        ASSERT_EQ(chmod(folder.c_str(), c.folderMode), 0);

        TableRows table("new 9\n");
        const int status = asNobody([&] {
            return HighscoreFile::write(dir.file("Highscores.txt").c_str(), table.entries) ? 0 : 1;
        });
        chmod(folder.c_str(), 0755);
        if (status == kCannotDropPrivileges) {
            GTEST_SKIP() << "cannot drop root's privileges to run the writer as nobody";
        }
        ASSERT_TRUE(status == 0 || status == 1) << "the writer ended with status " << status;
        EXPECT_EQ(status == 0, c.saved);
        EXPECT_EQ(ScratchDirectory::contents(file), c.saved ? "new 9\n" : "old 1\n");
        struct stat st;
        ASSERT_EQ(lstat(dir.file("Highscores.txt").c_str(), &st), 0);
        EXPECT_EQ(S_ISLNK(st.st_mode), c.link);
        // Nothing left beside the table.
        const auto entries =
            std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        EXPECT_EQ(entries, 1);
    }
}
