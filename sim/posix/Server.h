// The serving loop: reads what the client writes, answers each line after the
// reply delay, follows the client opening and closing the port, and returns
// when a stop signal arrives.
#pragma once

#include "ClientWatch.h"
#include "LineAssembler.h"
#include "Pty.h"
#include "ReplySchedule.h"
#include "Responder.h"
#include "StopSignals.h"
#include "WireLogFile.h"

class Server {
public:
    // log may be null (no wire log).
    Server(Pty& pty, ClientWatch& watch, const StopSignals& stop, Responder& responder,
           ReplySchedule& schedule, WireLogFile* log);

    void Run();  // throws SimError

private:
    // True when a stop signal arrived.
    bool WaitForWork();
    void TakeInput();

    Pty& m_pty;
    ClientWatch& m_watch;
    const StopSignals& m_stop;
    Responder& m_responder;
    ReplySchedule& m_schedule;
    WireLogFile* m_log;
    LineAssembler m_assembler;
};
