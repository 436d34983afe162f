#pragma once

// Runs part of a test in a child process, where it may give up root's privileges or
// lower a resource limit without touching the test runner itself.

// fork, users and resource limits are POSIX's: the tests that use them are skipped on
// Windows, saying so.
#ifndef _WIN32

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirvane::testing {

// The user an unprivileged run becomes when the tests run as root.
inline constexpr uid_t NobodyId = 65534;

// The body's result (0 to 125), or -1 when the child did not end normally.
inline int inChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Inside a child: gives up root for the nobody user, so permission bits count.
// False when that fails.
inline bool becomeUnprivileged() {
    if (::geteuid() != 0) {
        return true;
    }
    return ::setgroups(0, nullptr) == 0 && ::setgid(NobodyId) == 0 && ::setuid(NobodyId) == 0;
}

// Inside a child: no file may grow beyond `bytes`; a write past it fails (EFBIG)
// instead of killing the process.
inline bool limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

} // namespace mirvane::testing

#endif
