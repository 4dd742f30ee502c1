// Terminal faults, each chosen on the command line: what a broken or badly
// behaved terminal does on the wire. The plan counts the lines received and
// says, for each, what happens instead of the terminal's usual answer; the
// serving loop carries it out (cutting the line, sending unasked bytes).
//
//   hangup       the wire is cut as a command line arrives: the client's
//                port fails (the pseudo-terminal goes away, as an unplugged
//                USB adapter does); the port comes back later on a new one
//   nul-gbk      the answer holds NUL bytes and byte sequences that are not
//                GBK text
//   4k           the answer is 4 KiB long
//   late         the answer comes only after 300 ms
//   unsolicited  the terminal sends bytes nobody asked for: over and over
//                while no client holds the port, and once just after a client
//                opens it
//
// hangup, nul-gbk, 4k and late hit every line, or only the Nth one.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class FaultKind { None, Hangup, NulGbk, FourKiB, Late, Unsolicited };

// "hangup", "nul-gbk", "4k", "late", "unsolicited"; nothing for another word.
std::optional<FaultKind> ParseFaultKind(std::string_view name);

// What to do about one received line.
struct FaultAction {
    bool hangUp = false;  // cut the line instead of answering
    std::string reply;    // what goes back (empty: nothing)
    // Instead of the usual reply delay.
    std::optional<std::chrono::milliseconds> delay;
};

class FaultPlan {
public:
    static constexpr std::chrono::milliseconds kLateDelay{300};
    static constexpr std::size_t kOversizedReplyBytes = 4096;
    // A weighing terminal's weight report, as one that streams its readings
    // would push it out.
    static constexpr std::string_view kUnsolicitedBytes = "ST,GS,+0000.000kg\r\n";
    // How often the unasked bytes come while no client holds the port, and
    // how soon after a client opens the port.
    static constexpr std::chrono::milliseconds kUnsolicitedPeriod{50};
    static constexpr std::chrono::milliseconds kUnsolicitedAfterOpen{30};

    // onLine: only that line (1 = the first line received); nothing: every
    // line. Not used by unsolicited, which follows the port's opens and
    // closes instead.
    explicit FaultPlan(FaultKind kind = FaultKind::None, std::optional<std::uint64_t> onLine = {});

    // Counts one received line and shapes the terminal's own reply to it.
    // Call once per line, in order of arrival.
    FaultAction Shape(std::string reply);

    bool SendsUnsolicited() const { return m_kind == FaultKind::Unsolicited; }

    // The reply text (without its CR LF) followed by a blank, a GBK lead byte
    // with an ASCII blank behind it, a valid GBK character ("中"), a lead byte
    // cut off by a NUL, and text behind the NUL that a reader of
    // zero-terminated text never sees; then CR LF.
    static std::string GarbledReply(std::string_view reply);
    // kOversizedReplyBytes bytes: "0123456789ABCDEF" repeated, ending in CR LF.
    static std::string OversizedReply();

private:
    FaultKind m_kind;
    std::optional<std::uint64_t> m_onLine;
    std::uint64_t m_linesSeen = 0;
};
