#include "assets/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "is a directory, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "is a FIFO, not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "is a device, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "is a socket, not a file";
    }
    return "is not a regular file";
}

}  // namespace

RegularFile::RegularFile(const char* path) : fd(-1), missing(false), sizeWhenOpened(0) {
    if (path == nullptr) {
        why = "no file name";
        return;
    }
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
    const int opened = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0) {
        missing = errno == ENOENT;
        why = std::string("cannot be opened (") + std::strerror(errno) + ")";
        return;
    }
    struct stat st;
    if (fstat(opened, &st) != 0) {
        why = std::string("cannot be read (") + std::strerror(errno) + ")";
        close(opened);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        why = kindOf(st.st_mode);
        close(opened);
        return;
    }
    fd = opened;
    sizeWhenOpened = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
}

RegularFile::~RegularFile() {
    if (fd >= 0) {
        close(fd);
    }
}

long RegularFile::read(void* buffer, size_t size) {
    if (fd < 0) {
        errno = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) {
            return static_cast<long>(got);
        }
    }
}

// Reads straight into out, sized at first by what the file measured when it
// was opened: growing a buffer chunk by chunk made a model load three times
// slower, each bigger buffer being fresh memory the system has to hand over.
bool RegularFile::readAll(std::string& out, size_t limit) {
    const size_t start = out.size();
    size_t total = 0;
    out.resize(start + std::min(sizeWhenOpened, limit) + 1);
    for (;;) {
        if (start + total == out.size()) {
            out.resize(out.size() + std::max(out.size() - start, size_t(65536)));
        }
        const long got = read(&out[start + total], out.size() - start - total);
        if (got == 0) {
            out.resize(start + total);
            return true;
        }
        if (got < 0) {
            why = std::string("cannot be read (") + std::strerror(errno) + ")";
            out.resize(start + total);
            return false;
        }
        total += static_cast<size_t>(got);
        if (total > limit) {
            why = "is larger than " + std::to_string(limit) + " bytes";
            out.resize(start + total);
            return false;
        }
    }
}

bool RegularFile::check(const char* path, std::string* reason) {
    RegularFile file(path);
    if (!file.isOpen() && reason != nullptr) {
        *reason = file.reason();
    }
    return file.isOpen();
}
