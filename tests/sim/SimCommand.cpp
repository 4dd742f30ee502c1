#include "SimCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

// Reads both pipes until both are closed or the time is up.
void Collect(int outFd, int errFd, SimCommandResult& result)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&result.stdoutText, &result.stderrText};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || ::poll(fds, 2, static_cast<int>(left.count())) <= 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[1024];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            else
                fds[i].fd = -1;
        }
    }
}

}  // namespace

SimCommandResult RunSimToExit(const std::vector<std::string>& args)
{
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");

    std::vector<std::string> all{VADIRE_SIM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);

    SimCommandResult result;
    Collect(out[0], err[0], result);
    ::close(out[0]);
    ::close(err[0]);

    // Its pipes close as it exits; give it a moment to become reapable.
    int status = 0;
    pid_t reaped = 0;
    for (int tries = 0; tries < 200 && reaped == 0; ++tries) {
        reaped = ::waitpid(pid, &status, WNOHANG);
        if (reaped == 0)
            ::usleep(10'000);
    }
    if (reaped == 0) {
        // Still running: it was meant to fail at start-up.
        ::kill(pid, SIGTERM);
        ::waitpid(pid, &status, 0);
        return result;
    }
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    return result;
}
