// Drives the placement reader with arbitrary text. The first byte picks the
// layout (even: terminator before a record, odd: terminator as separator);
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/PlacementReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const PlacementReader::Layout layout = (data[0] & 1)
                                               ? PlacementReader::Layout::TerminatorAsSeparator
                                               : PlacementReader::Layout::TerminatorBeforeRecord;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;
    const std::vector<PlacementReader::Record> records =
        PlacementReader::readText(text, length, layout, "fuzz");

    // Every record needs seven lines of its own: more records than that would
    // mean a line was used twice or made up.
    size_t lines = 0;
    for (size_t i = 0; i < length; ++i) {
        lines += text[i] == '\n';
    }
    if (length > 0 && text[length - 1] != '\n') {
        ++lines;
    }
    if (records.size() * 7 > lines) {
        std::abort();
    }
    return 0;
}
