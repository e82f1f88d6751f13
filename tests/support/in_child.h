#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace tesselo::testing {

// Runs `body` in a child process and returns its exit status (100 plus the
// signal when one ended it), so that limits, mounts and identities set up
// for one case stay in that case.
template <typename Body>
int InChild(Body body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

} // namespace tesselo::testing
