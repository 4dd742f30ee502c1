// Runs vadire-terminal-sim as a child process for a test: starts it with a
// log file, waits for its ready line ("vadire-terminal-sim: COM<n> on <pty>"),
// and stops it with SIGTERM when the object goes. The port-link directory is
// the one of the current XDG_RUNTIME_DIR (see ScopedRuntimeDir).
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "TempDir.h"

class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> extraArgs = {});
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    unsigned ComNumber() const { return m_comNumber; }
    // The port text an operator would pick, such as "5".
    std::string PortText() const { return std::to_string(m_comNumber); }
    // The Windows-style path the device link forms, such as "\\.\COM5".
    std::string ComPath() const { return "\\\\.\\COM" + PortText(); }
    const std::string& PtyPath() const { return m_ptyPath; }
    const std::string& LogPath() const { return m_logPath; }

    // Every line the simulator received so far, as the exact bytes (CR LF
    // included), in order of arrival.
    std::vector<std::string> WireLines() const;

    // Stops the simulator (SIGTERM) and returns its exit status; further
    // calls return the same status.
    int Stop();

private:
    TempDir m_logDir;
    std::string m_logPath;
    pid_t m_pid = -1;
    int m_status = -1;
    unsigned m_comNumber = 0;
    std::string m_ptyPath;
};
