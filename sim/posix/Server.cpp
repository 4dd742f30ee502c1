#include "Server.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "SystemError.h"
#include "WireLogFormat.h"

namespace {

using Clock = ReplySchedule::Clock;

enum PollSlot { kStopSlot, kPortSlot, kWatchSlot, kSlotCount };

}  // namespace

Server::Server(Pty& pty, ClientWatch& watch, const StopSignals& stop, Responder& responder,
               ReplySchedule& schedule, WireLogFile* log)
    : m_pty(pty), m_watch(watch), m_stop(stop), m_responder(responder), m_schedule(schedule),
      m_log(log)
{
}

void Server::Run()
{
    const ReplySchedule::Writer writeToPort = [this](std::string_view bytes) {
        return m_pty.Write(bytes);
    };
    for (;;) {
        m_schedule.Deliver(Clock::now(), m_watch.ClientPresent(), writeToPort);
        if (WaitForWork())
            return;
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

    timespec timeout{};
    timespec* timeoutPointer = nullptr;
    if (const auto due = m_schedule.NextDue()) {
        const auto wait = std::max(Clock::duration::zero(), *due - Clock::now());
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

    for (const LineAssembler::Piece& piece : m_assembler.Feed(received)) {
        if (m_log != nullptr)
            m_log->Append(FormatWireLogEntry(receivedAt, piece.bytes));
        m_schedule.Add(receivedAt, m_responder.Answer(piece));
    }
}
