#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Reads a flower placement file: plain text, one number per line, in records
// of eight lines (x, y, z, pitch, yaw, roll, scale, then a separator line that
// is never converted). The list ends at a line that is exactly "$$$"; the one
// line after it is read and ignored.
//
// Where "$$$" may stand depends on the file:
//   TerminatorBeforeRecord  (flowerA.txt): in place of a record's first line;
//                           separator lines are never compared.
//   TerminatorAsSeparator   (flowerB-D.txt): in place of a record's separator;
//                           a "$$$" in a first line is just the number 0.
//
// Lines end at LF; a CR right before the LF is not part of the line. A line
// holds at most kMaxLineLength characters. Numbers go through atof, so
// "12.5abc" is 12.5 and a line without a number is 0.
//
// Guarantees: the reader always stops. A file that cannot be opened or a line
// that is too long ends the list there (one line on stderr); a record whose
// seven numbers are not all in the file makes no flower, so neither does a
// trailing line break.
class PlacementReader {
public:
    enum class Layout { TerminatorBeforeRecord, TerminatorAsSeparator };

    // x, y, z, pitch, yaw, roll, scale, as written in the file.
    struct Record {
        float values[7];
    };

    static constexpr int kMaxLineLength = 29;

    // name only labels the messages on stderr.
    static std::vector<Record> readFile(const char* path, Layout layout);
    static std::vector<Record> readText(const char* text, size_t size, Layout layout,
                                        const char* name);

private:
    enum class LineResult { Line, EndOfText, TooLong };

    PlacementReader(const char* text, size_t size, const char* name);

    // Copies the next line into line (NUL-terminated) and moves past it.
    LineResult readLine();
    // Reads the seven numbers of a record; false ends the list.
    bool readValues(Record& record, int alreadyRead);
    std::vector<Record> run(Layout layout);

    const char* text;
    size_t size;
    size_t pos;
    int lineNumber;
    const char* name;
    char line[kMaxLineLength + 1];
};
