#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Root ignores file permissions, and CI runs as root: a test of what a
// read-only file or folder does runs f as the user nobody, in a child
// process, since dropped privileges cannot be taken back. Anyone else is
// bound by permissions already and runs f directly. Returns f's result
// (0..254), or -1 when the privileges could not be dropped.
inline int asNobody(const std::function<int()>& f) {
    if (geteuid() != 0) {
        return f();
    }
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        return -1;
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) {
            _exit(255);
        }
        _exit(f());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Gives path to nobody when running as root, so nobody's permission bits apply.
inline bool giveToNobody(const char* path) {
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    return geteuid() != 0 ||
           (nobody != nullptr && lchown(path, nobody->pw_uid, nobody->pw_gid) == 0);
}
