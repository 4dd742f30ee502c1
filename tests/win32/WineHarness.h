// What the Windows tests need of the world outside Wine: Linux paths as
// Wine sees them, and the terminal simulator that scripts/test-windows runs
// on the Linux side (its COM port and its wire log).
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// A Linux path on Wine's drive Z:, which maps the root: /a/b -> Z:\a\b.
std::string WinePath(const std::string& unixPath);

// The port text of the simulated terminal, such as "3" (VADIRE_SIM_PORT).
// The test fails when it is not set.
std::string SimulatorPort();

// The lines the simulator received after this object was made, as the
// exact bytes (CR LF included), from its JSON-lines log (VADIRE_SIM_LOG).
class CWireLog {
public:
    CWireLog();

    // Every line received since construction.
    std::vector<std::string> NewLines() const;
    // Waits until at least nCount lines have arrived, at most timeout.
    std::vector<std::string> WaitForLines(std::size_t nCount,
                                          std::chrono::milliseconds timeout) const;

private:
    std::vector<std::string> AllLines() const;

    std::string m_strPath;
    std::size_t m_nMark = 0;
};
