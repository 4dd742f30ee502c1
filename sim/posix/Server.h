// The serving loop: reads what the client writes, answers each line after the
// reply delay, follows the client opening and closing the port, carries out
// the chosen terminal fault, and returns when a stop signal arrives or when
// the fault cuts the line.
#pragma once

#include "ClientWatch.h"
#include "FaultPlan.h"
#include "LineAssembler.h"
#include "Pty.h"
#include "ReplySchedule.h"
#include "Responder.h"
#include "StopSignals.h"
#include "WireLogFile.h"

class Server {
public:
    enum class End {
        Stopped,  // a stop signal arrived
        HungUp,   // the fault cut the line: this pseudo-terminal is done
    };

    // log may be null (no wire log). The responder and the fault plan outlive
    // the server: the terminal and its line count carry on over a hang-up.
    Server(Pty& pty, ClientWatch& watch, const StopSignals& stop, Responder& responder,
           FaultPlan& faults, ReplySchedule& schedule, WireLogFile* log);

    End Run();  // throws SimError

private:
    using Clock = ReplySchedule::Clock;

    // True when a stop signal arrived.
    bool WaitForWork();
    void TakeInput();
    // The unasked bytes a terminal sends while nobody holds the port.
    void SendUnsolicitedWhileAway();

    Pty& m_pty;
    ClientWatch& m_watch;
    const StopSignals& m_stop;
    Responder& m_responder;
    FaultPlan& m_faults;
    ReplySchedule& m_schedule;
    WireLogFile* m_log;
    LineAssembler m_assembler;
    bool m_hungUp = false;
    Clock::time_point m_nextUnsolicited;
};
