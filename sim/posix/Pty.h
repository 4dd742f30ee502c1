// The simulator's end of the serial line: a pseudo-terminal whose slave side
// the client opens as its port. Both sides are raw 9600 8N1 without flow
// control.
//
// The simulator keeps a descriptor of the slave open itself for its whole
// life. The master then never sees the hang-up (EIO, POLLHUP) that would
// otherwise repeat without pause while no client holds the port, the slave's
// line settings survive between client sessions, and the bytes a client
// left unread can be discarded through it when the client closes the port.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "UniqueFd.h"

class Pty {
public:
    Pty();  // throws SimError

    const std::string& SlavePath() const { return m_slavePath; }
    int MasterFd() const { return m_master.Get(); }

    // What the client has written so far, without waiting; may be empty.
    std::string ReadAvailable();

    // Without waiting; how many bytes the port took (fewer when its buffer
    // is full).
    std::size_t Write(std::string_view bytes);

    // Throws away what was sent to the client and not read by it, as a
    // serial port does when it is closed. A serial driver does this during
    // the close; here it happens as soon as the simulator learns of the
    // close, normally well before a reopening client pauses and reads.
    void DiscardUnread();

private:
    UniqueFd m_master;
    UniqueFd m_slaveKeeper;
    std::string m_slavePath;
};
