#pragma once

#include <sys/resource.h>

#include <csignal>
#include <functional>

// Runs f with the file size limit at a few bytes: besides a full disk, the
// one sure way to make writing fail, even for root.
inline void withTinyFileSizeLimit(const std::function<void()>& f) {
    struct rlimit saved, tiny;
    getrlimit(RLIMIT_FSIZE, &saved);
    tiny = saved;
    tiny.rlim_cur = 8;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}
