#include "assets/PlacementReader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/RegularFile.h"

namespace {

const char kTerminator[] = "$$$";
// Some 400,000 flowers: far more than a level holds.
constexpr size_t kMaxFileBytes = size_t(16) << 20;

}  // namespace

std::vector<PlacementReader::Record> PlacementReader::readFile(const char* path, Layout layout) {
    RegularFile file(path);
    std::string contents;
    if (!file.isOpen() || !file.readAll(contents, kMaxFileBytes)) {
        std::fprintf(stderr, "%s: %s, no flowers read from it\n", path, file.reason().c_str());
        return {};
    }
    return readText(contents.data(), contents.size(), layout, path);
}

std::vector<PlacementReader::Record> PlacementReader::readText(const char* text, size_t size,
                                                               Layout layout, const char* name) {
    PlacementReader reader(text, size, name);
    return reader.run(layout);
}

PlacementReader::PlacementReader(const char* text, size_t size, const char* name)
    : text(text), size(size), pos(0), lineNumber(0), name(name), line{} {}

PlacementReader::LineResult PlacementReader::readLine() {
    if (pos >= size) {
        line[0] = '\0';
        return LineResult::EndOfText;
    }
    ++lineNumber;
    const char* start = text + pos;
    const void* lf = std::memchr(start, '\n', size - pos);
    size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) : size - pos;
    pos += lf ? length + 1 : length;
    // Files written on Windows end their lines with CR LF; the CR is not data.
    if (lf && length > 0 && start[length - 1] == '\r') {
        --length;
    }
    if (length > static_cast<size_t>(kMaxLineLength)) {
        line[0] = '\0';
        std::fprintf(stderr,
                     "%s: line %d has %zu characters, at most %d expected; no more flowers "
                     "read from it\n",
                     name, lineNumber, length, kMaxLineLength);
        return LineResult::TooLong;
    }
    std::memcpy(line, start, length);
    line[length] = '\0';
    return LineResult::Line;
}

bool PlacementReader::readValues(Record& record, int alreadyRead) {
    for (int i = alreadyRead; i < 7; ++i) {
        if (readLine() != LineResult::Line) {
            return false;
        }
        record.values[i] = static_cast<float>(std::atof(line));
    }
    return true;
}

std::vector<PlacementReader::Record> PlacementReader::run(Layout layout) {
    std::vector<Record> records;
    bool separatorRead = false;
    // Nothing after "$$$" is ever used (the line after it is ignored by
    // definition), so reading ends at the terminator.
    while (pos < size) {
        Record record;
        if (layout == Layout::TerminatorBeforeRecord) {
            if (readLine() != LineResult::Line || std::strcmp(line, kTerminator) == 0) {
                break;
            }
            record.values[0] = static_cast<float>(std::atof(line));
            if (!readValues(record, 1)) {
                break;
            }
        } else {
            if (separatorRead && std::strcmp(line, kTerminator) == 0) {
                break;
            }
            if (!readValues(record, 0)) {
                break;
            }
        }
        records.push_back(record);
        // The separator: kept in line for the next pass's comparison. At the
        // end of the text the loop condition stops; a line too long stops here.
        if (readLine() == LineResult::TooLong) {
            break;
        }
        separatorRead = true;
    }
    return records;
}
