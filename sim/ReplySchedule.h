// When each reply byte reaches the client. A reply is due a fixed delay after
// its line arrived. Without wire timing it is due whole at that moment; with
// it, the bytes follow one another at the line rate and a reply starts only
// when the one before it has been sent, as on a real serial line.
//
// Bytes that fall due while no client holds the port are lost, as they would
// be on a wire with nobody listening.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class ReplySchedule {
public:
    using Clock = std::chrono::steady_clock;
    // Takes bytes for the port; returns how many it took (fewer when the
    // port's buffer is full).
    using Writer = std::function<std::size_t(std::string_view)>;

    // 9600 baud, 8N1: start bit, eight data bits, stop bit per byte.
    static constexpr unsigned kWireBytesPerSecond = 9600 / 10;

    // bytesPerSecond 0: every reply is sent whole when due.
    ReplySchedule(Clock::duration delay, unsigned bytesPerSecond);

    void Add(Clock::time_point lineReceivedAt, std::string reply);
    // With another delay than the usual one for this reply alone. Replies
    // still go out in the order they were added: one added later never
    // overtakes one before it.
    void Add(Clock::time_point lineReceivedAt, std::string reply, Clock::duration delay);

    // Sends (client present) or loses (client away) every byte due by now.
    void Deliver(Clock::time_point now, bool clientPresent, const Writer& write);

    // The client closed the port: bytes due by now and not yet sent are lost.
    void DropDue(Clock::time_point now);

    // The last Deliver could not hand over all due bytes; wait until the
    // port can take more.
    bool Stalled() const { return m_stalled; }

    // When the next byte falls due; nothing when no reply waits or when
    // stalled (then the port's readiness is what to wait for).
    std::optional<Clock::time_point> NextDue() const;

    bool Empty() const { return m_replies.empty(); }

private:
    struct Reply {
        Clock::time_point start;
        std::string bytes;
        std::size_t handled = 0;  // sent or lost
    };

    std::size_t DueCount(const Reply& reply, Clock::time_point now) const;
    Clock::duration TimeForBytes(std::size_t count) const;

    Clock::duration m_delay;
    unsigned m_bytesPerSecond;
    std::deque<Reply> m_replies;
    Clock::time_point m_lineFreeAt{};
    bool m_stalled = false;
};
