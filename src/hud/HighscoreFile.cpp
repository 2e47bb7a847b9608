#include "hud/HighscoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "assets/RegularFile.h"

namespace {

// Blanks separate the name from the score. A line break never reaches here.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// An integer as "%i" reads it, and nothing else: the whole token must be
// used and the value must fit in an int.
bool parseScore(const char* token, size_t size, int* score) {
    if (size == 0 || size > HighscoreFile::kMaxLineLength) {
        return false;
    }
    char digits[HighscoreFile::kMaxLineLength + 1];
    std::memcpy(digits, token, size);
    digits[size] = '\0';
    // strtoll would skip leading blanks; a token never starts with one.
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(digits, &end, 0);
    if (end != digits + size || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return false;
    }
    *score = static_cast<int>(value);
    return true;
}

// One line without its line break; appends an entry when it holds one.
void parseLine(const char* line, size_t size, std::list<HighscoreEntry*>* table) {
    if (size > HighscoreFile::kMaxLineLength || std::memchr(line, '\0', size) != nullptr) {
        return;
    }
    while (size > 0 && isBlank(line[size - 1])) {
        --size;
    }
    size_t separator = size;
    while (separator > 0 && !isBlank(line[separator - 1])) {
        --separator;
    }
    if (separator == 0) {
        return;  // no blank before the number: a name alone, or a number alone
    }
    int score = 0;
    if (!parseScore(line + separator, size - separator, &score)) {
        return;
    }
    size_t nameBegin = 0;
    size_t nameEnd = separator - 1;
    while (nameBegin < nameEnd && line[nameBegin] == ' ') {
        ++nameBegin;
    }
    while (nameEnd > nameBegin && line[nameEnd - 1] == ' ') {
        --nameEnd;
    }
    if (nameEnd - nameBegin > HighscoreFile::kMaxNameLength) {
        return;
    }
    table->push_back(
        HighscoreEntry::copyOf(line + nameBegin, static_cast<int>(nameEnd - nameBegin), score));
}

// Cuts a stream of bytes into lines. Memory stays bounded however long a
// line is: past kMaxLineLength the rest of it is dropped and the line skipped.
class LineSplitter {
public:
    explicit LineSplitter(std::list<HighscoreEntry*>* table) : table(table) {}

    void feed(const char* data, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == '\n') {
                endLine();
            } else if (line.size() <= HighscoreFile::kMaxLineLength) {
                line.push_back(data[i]);
            }
        }
    }

    // The last line may lack its line break.
    void finish() {
        if (!line.empty()) {
            endLine();
        }
    }

private:
    void endLine() {
        parseLine(line.data(), line.size(), table);
        line.clear();
    }

    std::list<HighscoreEntry*>* table;
    std::string line;
};

bool writeAll(int fd, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;  // nothing written and no error: the disk took no more
            }
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// The new file gets the old one's permissions, or what a plain fopen would
// have given it.
mode_t modeFor(const char* path) {
    struct stat old;
    if (stat(path, &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

// The new table is written into a file without a name, so a game killed
// while it writes leaves nothing behind; it gets its temporary name only
// just before the rename. Where the file system has no unnamed files, a
// named temporary file from the start.
struct TemporaryFile {
    int fd = -1;
    bool named = false;
    std::string name;

    explicit TemporaryFile(const std::string& path) : name(path + ".XXXXXX") {
#ifdef O_TMPFILE
        // Naming it later goes through /proc, which a bare chroot may lack.
        if (access("/proc/self/fd", X_OK) == 0) {
            fd = open(directoryOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        }
#endif
        if (fd < 0) {
            fd = mkstemp(&name[0]);
            named = fd >= 0;
        }
    }

    // Links the unnamed file in under a fresh name of the mkstemp pattern.
    bool giveName() {
        if (named) {
            return true;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        static const char kLetters[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        unsigned seed = static_cast<unsigned>(getpid()) * 2654435761u ^
                        static_cast<unsigned>(now.tv_nsec) ^ static_cast<unsigned>(fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            for (size_t i = name.size() - 6; i < name.size(); ++i) {
                seed = seed * 1103515245u + 12345u + static_cast<unsigned>(attempt);
                name[i] = kLetters[(seed >> 16) % (sizeof kLetters - 1)];
            }
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                named = true;
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }
};

// Where a chain of symbolic links ends: the file to replace. A link's
// relative target is relative to the link's own folder. Past as many links
// as the kernel follows, or at a target too long to read whole, the chain
// is taken to end.
std::string followLinks(const std::string& path) {
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char target[4096];
        const ssize_t n = readlink(current.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<size_t>(n) == sizeof target) {
            break;  // not a link (or gone): the chain ends here
        }
        std::string next;
        if (target[0] != '/' && current.find('/') != std::string::npos) {
            next = directoryOf(current) + "/";
        }
        next.append(target, static_cast<size_t>(n));
        current = next;
    }
    return current;
}

// The fallback where no temporary file can be made: the old file rewritten
// in place, then cut to the new length.
bool writeInPlace(const std::string& path, const std::string& text) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok =
        writeAll(fd, text) && ftruncate(fd, static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
    const int reason = errno;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        errno = reason;
    }
    return ok;
}

// Makes the rename itself durable. A failure here loses nothing that the
// rename has not already put in place, so it is not reported.
void syncDirectoryOf(const std::string& path) {
    const int fd = open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool HighscoreFile::read(const char* path, std::list<HighscoreEntry*>* table) {
    if (path == nullptr || table == nullptr) {
        return false;
    }
    RegularFile file(path);
    if (!file.isOpen()) {
        // No table yet is the normal first game; anything else is worth a line.
        if (!file.isMissing()) {
            std::fprintf(stderr, "zumbra: %s: %s; the highscore table is not read\n", path,
                         file.reason().c_str());
        }
        return false;
    }
    // Collected apart, so that a file that cannot be read through adds nothing.
    std::list<HighscoreEntry*> entries;
    LineSplitter splitter(&entries);
    char chunk[4096];
    long got;
    while ((got = file.read(chunk, sizeof chunk)) > 0) {
        splitter.feed(chunk, static_cast<size_t>(got));
    }
    if (got < 0) {
        for (HighscoreEntry* entry : entries) {
            delete entry;
        }
        return false;
    }
    splitter.finish();
    table->splice(table->end(), entries);
    return true;
}

void HighscoreFile::parse(const char* text, size_t size, std::list<HighscoreEntry*>* table) {
    if (text == nullptr || table == nullptr) {
        return;
    }
    LineSplitter splitter(table);
    splitter.feed(text, size);
    splitter.finish();
}

std::string HighscoreFile::format(const std::list<HighscoreEntry*>& table) {
    std::string text;
    for (const HighscoreEntry* entry : table) {
        if (entry == nullptr) {
            continue;
        }
        char line[kMaxLineLength + 32];
        std::snprintf(line, sizeof line, " %i\n", entry->score);
        text += entry->name != nullptr ? entry->name : "";
        text += line;
    }
    return text;
}

bool HighscoreFile::write(const char* path, const std::list<HighscoreEntry*>& table) {
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    const std::string target = followLinks(path);
    struct stat old;
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // Read-only is the player's word, even where the folder would allow the
    // rename that replaces the file.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    const std::string text = format(table);
    TemporaryFile temporary(target);
    if (temporary.fd < 0) {
        const bool folderClosed = errno == EACCES || errno == EPERM;
        return exists && folderClosed && writeInPlace(target, text);
    }
    fchmod(temporary.fd,
           modeFor(target.c_str()));  // a file with the wrong mode still holds the table
    bool ok = writeAll(temporary.fd, text) && fsync(temporary.fd) == 0 && temporary.giveName();
    ok = close(temporary.fd) == 0 && ok;
    ok = ok && std::rename(temporary.name.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int reason = errno;
        if (temporary.named) {
            unlink(temporary.name.c_str());
        }
        errno = reason;
        return false;
    }
    syncDirectoryOf(target);
    return true;
}
