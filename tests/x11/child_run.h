#pragma once
// Runs a call that must not block in a child process, so that a call that does block fails the
// test (the child is ended by an alarm long after any working call has returned) instead of
// hanging the whole test program.

#include <sys/wait.h>
#include <unistd.h>

#include <string>

// The child's exit code (what call returned, 0 to 255), or a text saying how it ended otherwise.
template <typename Call>
std::string ExitOfChild(Call call) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(60);
        _exit(call());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return "no child";
    if (WIFEXITED(status)) return std::to_string(WEXITSTATUS(status));
    return "ended by signal " + std::to_string(WTERMSIG(status)) + " (blocked?)";
}
