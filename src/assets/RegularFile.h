#pragma once

#include <cstddef>
#include <string>

// A file opened for reading only when it is a plain file. A directory, FIFO,
// device or socket where a data file belongs is refused before a byte is
// read: a FIFO without a writer would block the open, a device may never end,
// and a directory "reads" as a huge size. Opening never blocks.
class RegularFile {
public:
    explicit RegularFile(const char* path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return fd >= 0; }
    // The path names nothing at all.
    bool isMissing() const { return missing; }
    // Why it is not open, e.g. "is a directory, not a file".
    const std::string& reason() const { return why; }

    // Up to size bytes; 0 at the end, -1 on an error (errno set).
    long read(void* buffer, size_t size);
    // Appends everything up to the end, which is what the file holds now,
    // whatever size it reported. false, with reason set, on a read error or
    // past limit bytes.
    bool readAll(std::string& out, size_t limit);

    // For a library that opens the file itself: true when path is a plain
    // file that opens for reading, else false with reason set.
    static bool check(const char* path, std::string* reason);

private:
    int fd;
    bool missing;
    size_t sizeWhenOpened;  // a first guess at the buffer, never trusted as the length
    std::string why;
};
