#include "RunSimulator.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "ClientWatch.h"
#include "ComPortNames.h"
#include "FaultPlan.h"
#include "PortLinkClaim.h"
#include "Pty.h"
#include "ReplySchedule.h"
#include "Responder.h"
#include "Server.h"
#include "StopSignals.h"
#include "SystemError.h"
#include "WireLogFile.h"

namespace {

std::string PreparePortLinkDirectory()
{
    const std::string directory = comnames::PortLinkDirectory();
    const int err = comnames::EnsurePortLinkDirectory(directory);
    if (err == EACCES || err == ENOTDIR)
        throw SimError("port-link directory " + directory +
                       " is unsafe: it must be a directory owned by you that nobody else can "
                       "write to; refusing to run");
    if (err != 0)
        throw SystemError("cannot create port-link directory " + directory, err);
    return directory;
}

Responder MakeResponder(const SimOptions& options)
{
    if (options.silent)
        return Responder(Responder::Mode::Silent);
    if (options.replyBytes)
        return Responder(Responder::Mode::FixedLength, *options.replyBytes);
    return Responder(Responder::Mode::Terminal);
}

// Waits out the time a cut line stays away. True when a stop signal came.
bool StoppedWhileDown(const StopSignals& stop, unsigned downMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(downMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd p{stop.Fd(), POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready > 0)
            return true;
        if (ready == 0)
            return false;
        if (errno != EINTR)
            throw SystemError("cannot wait for stop signals", errno);
    }
}

}  // namespace

int RunSimulator(const SimOptions& options)
{
    StopSignals stop;
    const std::string directory = PreparePortLinkDirectory();
    std::unique_ptr<WireLogFile> log;
    if (!options.logPath.empty())
        log = std::make_unique<WireLogFile>(options.logPath);

    // The terminal and the fault's line count carry on over a hang-up; the
    // line (pseudo-terminal, port link, replies on their way) does not.
    Responder responder = MakeResponder(options);
    FaultPlan faults(options.fault, options.faultOn);
    std::optional<unsigned> comNumber = options.comNumber;

    for (bool first = true;; first = false) {
        {
            Pty pty;
            ClientWatch watch(pty.SlavePath());
            if (first && !watch.Problem().empty())
                std::fprintf(stderr,
                             "vadire-terminal-sim: warning: %s; bytes a client leaves unread will "
                             "not be discarded when it closes the port\n",
                             watch.Problem().c_str());

            PortLinkClaim claim(directory, pty.SlavePath(), comNumber);
            if (first && !claim.Note().empty())
                std::fprintf(stderr, "vadire-terminal-sim: note: %s\n", claim.Note().c_str());
            comNumber = claim.ComNumber();

            ReplySchedule schedule(std::chrono::milliseconds(options.delayMs),
                                   options.wireTiming ? ReplySchedule::kWireBytesPerSecond : 0);

            if (first) {
                std::printf("vadire-terminal-sim: COM%u on %s\n", claim.ComNumber(),
                            pty.SlavePath().c_str());
                std::fflush(stdout);
            } else {
                std::fprintf(stderr, "vadire-terminal-sim: COM%u is back on %s\n",
                             claim.ComNumber(), pty.SlavePath().c_str());
            }

            const Server::End end =
                Server(pty, watch, stop, responder, faults, schedule, log.get()).Run();
            if (end == Server::End::Stopped)
                return 0;
            // Leaving this scope removes the port link first, so nobody opens
            // the old device any more, then closes the pseudo-terminal, which
            // makes the client's port fail.
        }
        std::fprintf(stderr, "vadire-terminal-sim: COM%u hung up; back in %u ms\n", *comNumber,
                     options.downMs);
        if (StoppedWhileDown(stop, options.downMs))
            return 0;
    }
}
