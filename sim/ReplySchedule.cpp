#include "ReplySchedule.h"

#include <algorithm>
#include <utility>

ReplySchedule::ReplySchedule(Clock::duration delay, unsigned bytesPerSecond)
    : m_delay(delay), m_bytesPerSecond(bytesPerSecond)
{
}

ReplySchedule::Clock::duration ReplySchedule::TimeForBytes(std::size_t count) const
{
    using std::chrono::nanoseconds;
    // Rounded up, so a byte is never due before it has fully crossed the wire.
    const auto ns = (static_cast<long long>(count) * 1'000'000'000LL + m_bytesPerSecond - 1) /
                    m_bytesPerSecond;
    return std::chrono::duration_cast<Clock::duration>(nanoseconds(ns));
}

void ReplySchedule::Add(Clock::time_point lineReceivedAt, std::string reply)
{
    Add(lineReceivedAt, std::move(reply), m_delay);
}

void ReplySchedule::Add(Clock::time_point lineReceivedAt, std::string reply, Clock::duration delay)
{
    if (reply.empty())
        return;
    Clock::time_point start = lineReceivedAt + delay;
    if (m_bytesPerSecond != 0) {
        start = std::max(start, m_lineFreeAt);
        m_lineFreeAt = start + TimeForBytes(reply.size());
    }
    m_replies.push_back({start, std::move(reply)});
}

std::size_t ReplySchedule::DueCount(const Reply& reply, Clock::time_point now) const
{
    if (now < reply.start)
        return 0;
    if (m_bytesPerSecond == 0)
        return reply.bytes.size();
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - reply.start);
    const auto count = static_cast<std::size_t>(elapsed.count() * m_bytesPerSecond / 1'000'000'000LL);
    return std::min(count, reply.bytes.size());
}

void ReplySchedule::Deliver(Clock::time_point now, bool clientPresent, const Writer& write)
{
    m_stalled = false;
    while (!m_replies.empty()) {
        Reply& reply = m_replies.front();
        const std::size_t due = DueCount(reply, now);
        if (reply.handled < due) {
            if (clientPresent) {
                const std::string_view rest =
                    std::string_view(reply.bytes).substr(reply.handled, due - reply.handled);
                reply.handled += std::min(write(rest), rest.size());
                if (reply.handled < due) {
                    m_stalled = true;
                    return;
                }
            } else {
                reply.handled = due;
            }
        }
        if (reply.handled < reply.bytes.size())
            return;
        m_replies.pop_front();
    }
}

void ReplySchedule::DropDue(Clock::time_point now)
{
    for (Reply& reply : m_replies)
        reply.handled = std::max(reply.handled, DueCount(reply, now));
    while (!m_replies.empty() && m_replies.front().handled == m_replies.front().bytes.size())
        m_replies.pop_front();
    m_stalled = false;
}

std::optional<ReplySchedule::Clock::time_point> ReplySchedule::NextDue() const
{
    if (m_stalled || m_replies.empty())
        return std::nullopt;
    const Reply& reply = m_replies.front();
    if (m_bytesPerSecond == 0)
        return reply.start;
    return reply.start + TimeForBytes(reply.handled + 1);
}
