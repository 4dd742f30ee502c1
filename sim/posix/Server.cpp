#include "Server.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "SystemError.h"
#include "WireLogFormat.h"

namespace {

enum PollSlot { kStopSlot, kPortSlot, kWatchSlot, kSlotCount };

}  // namespace

Server::Server(Pty& pty, ClientWatch& watch, const StopSignals& stop, Responder& responder,
               FaultPlan& faults, ReplySchedule& schedule, WireLogFile* log)
    : m_pty(pty), m_watch(watch), m_stop(stop), m_responder(responder), m_faults(faults),
      m_schedule(schedule), m_log(log),
      m_nextUnsolicited(Clock::now() + FaultPlan::kUnsolicitedPeriod)
{
}

Server::End Server::Run()
{
    const ReplySchedule::Writer writeToPort = [this](std::string_view bytes) {
        return m_pty.Write(bytes);
    };
    for (;;) {
        if (m_hungUp)
            return End::HungUp;
        if (m_faults.SendsUnsolicited())
            SendUnsolicitedWhileAway();
        m_schedule.Deliver(Clock::now(), m_watch.ClientPresent(), writeToPort);
        if (WaitForWork())
            return End::Stopped;
    }
}

bool Server::WaitForWork()
{
    pollfd fds[kSlotCount] = {};
    fds[kStopSlot] = {m_stop.Fd(), POLLIN, 0};
    fds[kPortSlot] = {m_pty.MasterFd(),
                      static_cast<short>(POLLIN | (m_schedule.Stalled() ? POLLOUT : 0)), 0};
    // A negative descriptor is skipped by poll.
    fds[kWatchSlot] = {m_watch.Fd(), POLLIN, 0};

    std::optional<Clock::time_point> wakeAt = m_schedule.NextDue();
    if (m_faults.SendsUnsolicited() && !m_watch.ClientPresent())
        wakeAt = wakeAt ? std::min(*wakeAt, m_nextUnsolicited) : m_nextUnsolicited;

    timespec timeout{};
    timespec* timeoutPointer = nullptr;
    if (wakeAt) {
        const auto wait = std::max(Clock::duration::zero(), *wakeAt - Clock::now());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        timeoutPointer = &timeout;
    }

    if (::ppoll(fds, kSlotCount, timeoutPointer, nullptr) < 0) {
        if (errno == EINTR)
            return false;
        throw SystemError("cannot wait for the port", errno);
    }
    if (fds[kStopSlot].revents != 0)
        return true;
    if (fds[kPortSlot].revents & POLLHUP) {
        // Cannot happen while the slave is held open; should it anyway, pace
        // the loop instead of spinning on the hang-up.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    TakeInput();
    return false;
}

void Server::TakeInput()
{
    // Read the port before taking in opens and closes: a close, or a close and
    // reopen, that happened before these bytes were written is then known
    // before they are cut into lines, so they land in the right session.
    const std::string received = m_pty.ReadAvailable();
    const Clock::time_point receivedAt = Clock::now();

    const ClientWatch::Change change = m_watch.Drain();
    if (change.left) {
        m_schedule.DropDue(receivedAt);
        m_pty.DiscardUnread();
    }
    if (change.left || change.arrived)
        m_assembler.Reset();
    if (change.arrived && m_faults.SendsUnsolicited()) {
        // Through the schedule, so a reply to a line that arrives meanwhile
        // follows these bytes instead of overtaking them.
        m_schedule.Add(receivedAt, std::string(FaultPlan::kUnsolicitedBytes),
                       FaultPlan::kUnsolicitedAfterOpen);
    }

    for (const LineAssembler::Piece& piece : m_assembler.Feed(received)) {
        if (m_log != nullptr)
            m_log->Append(FormatWireLogEntry(receivedAt, piece.bytes));
        // Lines behind the one that cut the line are still logged: the log
        // is the record of what the client sent.
        if (m_hungUp)
            continue;
        FaultAction action = m_faults.Shape(m_responder.Answer(piece));
        if (action.hangUp) {
            m_hungUp = true;
            continue;
        }
        if (action.delay)
            m_schedule.Add(receivedAt, std::move(action.reply), *action.delay);
        else
            m_schedule.Add(receivedAt, std::move(action.reply));
    }
}

void Server::SendUnsolicitedWhileAway()
{
    const Clock::time_point now = Clock::now();
    if (now < m_nextUnsolicited)
        return;
    m_nextUnsolicited = now + FaultPlan::kUnsolicitedPeriod;
    // Take in opens and closes first, so the bytes go out only while nobody
    // holds the port. They wait in the port's input queue, as bytes do in a
    // line driver that nobody reads; a client that opens the port must not
    // take them for a reply.
    TakeInput();
    if (!m_watch.ClientPresent() && !m_hungUp)
        m_pty.Write(FaultPlan::kUnsolicitedBytes);
}
