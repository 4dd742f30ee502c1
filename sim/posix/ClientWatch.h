// Tells when a client opens and closes the port. A pseudo-terminal master
// cannot tell this while the simulator holds the slave itself, and a close
// followed at once by a reopen (as the device link does between the two
// steps of an operation) would slip past a hang-up check anyway. The kernel
// reports every open and close of the slave device through inotify instead,
// in order, however quickly they follow one another.
//
// The kernel merges two identical events in a row that have not been read
// yet, so two clients holding the port at once can make the count come out
// low; one client at a time, as a serial port is used, is counted exactly.
//
// Where inotify does not report on the device, the watch says so and takes
// the client as always present: the simulator still answers, but cannot
// discard what a client left unread.
#pragma once

#include <string>

#include "UniqueFd.h"

class ClientWatch {
public:
    explicit ClientWatch(const std::string& slavePath);

    // Empty when the watch works; otherwise why it does not.
    const std::string& Problem() const { return m_problem; }

    // To poll for readability; -1 when the watch does not work.
    int Fd() const { return m_inotify.Get(); }

    struct Change {
        bool left = false;     // the last client closed the port
        bool arrived = false;  // a client opened the port while nobody held it
    };
    // Takes in the opens and closes reported since the last call.
    Change Drain();

    bool ClientPresent() const { return !m_inotify || m_openCount > 0; }

private:
    void GiveUp(std::string problem);

    UniqueFd m_inotify;
    int m_openCount = 0;
    std::string m_problem;
};
