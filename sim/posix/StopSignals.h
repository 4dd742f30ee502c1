// SIGINT, SIGTERM and SIGHUP, taken as a readable descriptor instead of
// handlers, so the serving loop ends in order and removes its port link.
// Construct it before anything else: the signals are blocked from then on,
// and one arriving during start-up waits for the loop.
#pragma once

#include "UniqueFd.h"

class StopSignals {
public:
    StopSignals();  // throws SimError
    int Fd() const { return m_fd.Get(); }

private:
    UniqueFd m_fd;
};
