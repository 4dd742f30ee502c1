#include "SimulatorProcess.h"

#include "WireLogLines.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <stdexcept>

SimulatorProcess::SimulatorProcess(std::vector<std::string> extraArgs)
    : m_logPath(m_logDir.Path() + "/wire.jsonl")
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");

    std::vector<std::string> args{VADIRE_SIM_PATH, "--log", m_logPath};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);

    // Read the ready line, at most a few seconds.
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{out[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buf[256];
        const ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0)
            break;
        line.append(buf, static_cast<std::size_t>(n));
    }
    ::close(out[0]);

    static const std::regex ready(R"(COM(\d+) on (\S+))");
    std::smatch m;
    if (!std::regex_search(line, m, ready)) {
        Stop();
        throw std::runtime_error("simulator did not start: '" + line + "'");
    }
    m_comNumber = static_cast<unsigned>(std::stoul(m[1]));
    m_ptyPath = m[2];
}

SimulatorProcess::~SimulatorProcess()
{
    Stop();
}

int SimulatorProcess::Stop()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, &m_status, 0);
        m_pid = -1;
    }
    return m_status;
}

std::vector<std::string> SimulatorProcess::WireLines() const
{
    std::ifstream log(m_logPath, std::ios::binary);
    return WireLogLines(log);
}
