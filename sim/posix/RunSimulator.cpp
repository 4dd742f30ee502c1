#include "RunSimulator.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "ClientWatch.h"
#include "ComPortNames.h"
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

}  // namespace

int RunSimulator(const SimOptions& options)
{
    StopSignals stop;
    Pty pty;
    ClientWatch watch(pty.SlavePath());
    if (!watch.Problem().empty())
        std::fprintf(stderr,
                     "vadire-terminal-sim: warning: %s; bytes a client leaves unread will not be "
                     "discarded when it closes the port\n",
                     watch.Problem().c_str());

    const std::string directory = PreparePortLinkDirectory();
    std::unique_ptr<WireLogFile> log;
    if (!options.logPath.empty())
        log = std::make_unique<WireLogFile>(options.logPath);

    PortLinkClaim claim(directory, pty.SlavePath(), options.comNumber);
    if (!claim.Note().empty())
        std::fprintf(stderr, "vadire-terminal-sim: note: %s\n", claim.Note().c_str());

    Responder responder = MakeResponder(options);
    ReplySchedule schedule(std::chrono::milliseconds(options.delayMs),
                           options.wireTiming ? ReplySchedule::kWireBytesPerSecond : 0);

    std::printf("vadire-terminal-sim: COM%u on %s\n", claim.ComNumber(), pty.SlavePath().c_str());
    std::fflush(stdout);

    Server(pty, watch, stop, responder, schedule, log.get()).Run();
    return 0;
}
