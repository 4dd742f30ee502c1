// Runs vadire-terminal-sim to its end, for start-ups that are meant to fail.
#pragma once

#include <string>
#include <vector>

struct SimCommandResult {
    int exitStatus = -1;  // -1: did not exit normally within the time
    std::string stdoutText;
    std::string stderrText;
};

SimCommandResult RunSimToExit(const std::vector<std::string>& args);
