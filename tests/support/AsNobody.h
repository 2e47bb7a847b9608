#pragma once

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// What asNobody returns when root's privileges could not be dropped.
constexpr int kCannotDropPrivileges = -1;

// Root ignores file permissions, and CI runs as root: a test of what a
// read-only file or folder does runs f as the user nobody, in a child
// process, since dropped privileges cannot be taken back. Anyone else is
// bound by permissions already and runs f directly. Returns f's result
// (0..254), 128 + the signal that killed the child (a crash, as the shell
// reports one), or kCannotDropPrivileges.
inline int asNobody(const std::function<int()>& f) {
    if (geteuid() != 0) {
        return f();
    }
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        return kCannotDropPrivileges;
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
    if (child < 0 || waitpid(child, &status, 0) != child) {
        return 128 + SIGKILL;  // no child ran f: as bad as a crash
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status) == 255 ? kCannotDropPrivileges : WEXITSTATUS(status);
}

// Gives path to nobody when running as root, so nobody's permission bits apply.
inline bool giveToNobody(const char* path) {
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    return geteuid() != 0 ||
           (nobody != nullptr && lchown(path, nobody->pw_uid, nobody->pw_gid) == 0);
}
