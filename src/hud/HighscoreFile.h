#pragma once

#include <cstddef>
#include <list>
#include <string>

#include "hud/HighscoreEntry.h"

// Reads and writes the highscore file: one entry per line, "%s %i\n".
//
// The reader takes a line as an entry when it ends in an integer written as
// "%i" reads one (decimal, 0x hex, leading-0 octal, optional sign) that fits in
// 32 bits, preceded by a blank; the text before that blank is the name, with
// surrounding spaces removed. So " 42", the line an empty name writes, is an
// entry with an empty name. Every other line (no number, junk after the
// number, a name over kMaxNameLength, a line over kMaxLineLength, a NUL byte)
// is skipped. Every table the writer writes reads back unchanged, as long as
// no name holds a line break or starts or ends with a space: names typed in
// the game never do, and neither do names the reader returns.
//
// The writer replaces the file atomically: a temporary file in the same
// directory, written, flushed to disk, then renamed over the old one. A
// failure at any step removes the temporary file and leaves the old table
// as it was; a writer killed before the rename leaves no temporary file,
// save in the moment between naming it and the rename. A symbolic link is
// written through: the file it points to is replaced, the link stays. A
// file the player may not write (or that is no plain file) is left alone,
// though the folder would allow a rename over it. Only where no new file can
// be made beside it (a read-only folder) is the file rewritten in place, the
// one write that is not atomic.
class HighscoreFile {
public:
    static constexpr const char* kFileName = "Highscores.txt";
    static constexpr size_t kMaxNameLength = 99;
    static constexpr size_t kMaxLineLength = 255;

    // Appends the entries of the file to table, in file order. false when
    // the file is missing, is no plain file (a directory, a FIFO, a device:
    // one line on stderr) or cannot be read through; the table is then left
    // as it was.
    static bool read(const char* path, std::list<HighscoreEntry*>* table);
    // The same for text held in memory (size bytes, NULs allowed).
    static void parse(const char* text, size_t size, std::list<HighscoreEntry*>* table);

    // The bytes write puts into the file.
    static std::string format(const std::list<HighscoreEntry*>& table);
    // false, with errno saying why, when the table could not be written; the
    // old file is then intact.
    static bool write(const char* path, const std::list<HighscoreEntry*>& table);
};
