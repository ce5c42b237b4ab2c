#pragma once
// Runs a piece of a test as an unprivileged user. Tests run as root in CI, and folder permissions
// do not bind the superuser, so checks of refused writes run in a child that became "nobody".

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace tally::test {

// Runs `work` (which returns a small number, 0..254) without root rights and returns its result:
// directly when the tests do not run as root, otherwise in a forked child that switched to
// "nobody" (65534). Returns -1 when the child could not be started or did not end normally.
inline int runUnprivileged(const std::function<int()>& work) {
    if (::geteuid() != 0) return work();
    pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
        ::_exit(work() & 0xFF);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace tally::test
