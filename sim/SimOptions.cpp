#include "SimOptions.h"

#include <limits>

namespace {

constexpr unsigned kMaxDelayMs = 600'000;
// Far beyond what one read of the device link takes (256 bytes), small
// enough to keep in memory per reply.
constexpr std::size_t kMaxReplyBytes = 1u << 20;
// Far beyond any session: a line count that never comes.
constexpr unsigned long long kMaxFaultLine = 999'999'999'999ULL;

std::optional<unsigned long long> ParseDecimal(std::string_view text)
{
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> args) : m_args(args) {}

    ParsedOptions Run()
    {
        SimOptions options;
        bool downMsGiven = false;
        while (m_next < m_args.size()) {
            const std::string_view arg = m_args[m_next++];
            std::string_view name = arg;
            std::optional<std::string_view> inlineValue;
            if (const auto equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
                name = arg.substr(0, equals);
                inlineValue = arg.substr(equals + 1);
            }

            if (name == "--help" || name == "-h") {
                options.showHelp = true;
            } else if (name == "--wire-timing" && !inlineValue) {
                options.wireTiming = true;
            } else if (name == "--silent" && !inlineValue) {
                options.silent = true;
            } else if (name == "--com") {
                const auto value = Number(name, inlineValue, 1, kMaxComNumber);
                if (!value)
                    return Fail();
                options.comNumber = static_cast<unsigned>(*value);
            } else if (name == "--delay-ms") {
                const auto value = Number(name, inlineValue, 0, kMaxDelayMs);
                if (!value)
                    return Fail();
                options.delayMs = static_cast<unsigned>(*value);
            } else if (name == "--reply-bytes") {
                const auto value = Number(name, inlineValue, 1, kMaxReplyBytes);
                if (!value)
                    return Fail();
                options.replyBytes = static_cast<std::size_t>(*value);
            } else if (name == "--fault") {
                const auto value = Value(name, inlineValue);
                if (!value)
                    return Fail();
                const auto kind = ParseFaultKind(*value);
                if (!kind) {
                    m_error = "--fault needs one of hangup, nul-gbk, 4k, late, unsolicited, not " +
                              Quoted(*value);
                    return Fail();
                }
                options.fault = *kind;
            } else if (name == "--fault-on") {
                const auto value = Number(name, inlineValue, 1, kMaxFaultLine);
                if (!value)
                    return Fail();
                options.faultOn = static_cast<std::uint64_t>(*value);
            } else if (name == "--down-ms") {
                const auto value = Number(name, inlineValue, 0, kMaxDelayMs);
                if (!value)
                    return Fail();
                options.downMs = static_cast<unsigned>(*value);
                downMsGiven = true;
            } else if (name == "--log") {
                const auto value = Value(name, inlineValue);
                if (!value)
                    return Fail();
                if (value->empty()) {
                    m_error = "--log needs a file name";
                    return Fail();
                }
                options.logPath = std::string(*value);
            } else if (name == "--wire-timing" || name == "--silent") {
                m_error = std::string(name) + " takes no value";
                return Fail();
            } else {
                m_error = "unknown argument " + Quoted(arg);
                return Fail();
            }
        }
        if (options.silent && options.replyBytes) {
            m_error = "--silent and --reply-bytes cannot be used together";
            return Fail();
        }
        if (options.faultOn && options.fault == FaultKind::None) {
            m_error = "--fault-on needs --fault";
            return Fail();
        }
        if (options.faultOn && options.fault == FaultKind::Unsolicited) {
            m_error = "--fault-on does not apply to --fault unsolicited, which follows the port's "
                      "opens and closes";
            return Fail();
        }
        if (downMsGiven && options.fault != FaultKind::Hangup) {
            m_error = "--down-ms applies to --fault hangup only";
            return Fail();
        }
        return {options, {}};
    }

private:
    std::optional<std::string_view> Value(std::string_view name,
                                          std::optional<std::string_view> inlineValue)
    {
        if (inlineValue)
            return inlineValue;
        if (m_next >= m_args.size()) {
            m_error = std::string(name) + " needs a value";
            return std::nullopt;
        }
        return m_args[m_next++];
    }

    std::optional<unsigned long long> Number(std::string_view name,
                                             std::optional<std::string_view> inlineValue,
                                             unsigned long long low, unsigned long long high)
    {
        const auto text = Value(name, inlineValue);
        if (!text)
            return std::nullopt;
        const auto value = ParseDecimal(*text);
        if (!value || *value < low || *value > high) {
            m_error = std::string(name) + " needs a whole number from " + std::to_string(low) +
                      " to " + std::to_string(high) + ", not " + Quoted(*text);
            return std::nullopt;
        }
        return value;
    }

    ParsedOptions Fail() const { return {std::nullopt, m_error}; }

    std::span<const std::string_view> m_args;
    std::size_t m_next = 0;
    std::string m_error;
};

}  // namespace

ParsedOptions ParseSimOptions(std::span<const std::string_view> args)
{
    return Parser(args).Run();
}

std::string_view SimUsage()
{
    return "usage: vadire-terminal-sim [--com N] [--delay-ms MS] [--wire-timing] [--log FILE] "
           "[--silent] [--reply-bytes N] [--fault KIND [--fault-on N] [--down-ms MS]]";
}

std::string_view SimHelp()
{
    static const std::string help = std::string(SimUsage()) + "\n" +
           "Plays a weighing terminal on a pseudo-terminal registered as COM<n>.\n"
           "  --com N          take COM<n> (1-9999); default: the lowest free number\n"
           "  --delay-ms MS    answer each line MS ms after it arrived (default 20)\n"
           "  --wire-timing    send replies at the pace of a 9600 8N1 line\n"
           "  --log FILE       append one JSON line per received line to FILE\n"
           "  --silent         never answer\n"
           "  --reply-bytes N  answer every line with N pattern bytes\n"
           "  --fault KIND     behave like a faulty terminal:\n"
           "      hangup       cut the line when a line arrives: the client's port fails;\n"
           "                   COM<n> is gone for --down-ms, then back on a new pty\n"
           "      nul-gbk      answer with NUL bytes and invalid GBK sequences in the line\n"
           "      4k           answer with 4096 bytes\n"
           "      late         answer only after 300 ms\n"
           "      unsolicited  send a weight report every 50 ms while no client holds the\n"
           "                   port, and once 30 ms after a client opens it\n"
           "  --fault-on N     the fault hits only the Nth line received (not for\n"
           "                   unsolicited); default: every line\n"
           "  --down-ms MS     after a hang-up, how long COM<n> stays away (default 500)";
    return help;
}
