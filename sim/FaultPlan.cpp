#include "FaultPlan.h"

#include <utility>

#include "Responder.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string_view WithoutCrLf(std::string_view text)
{
    return text.ends_with(kCrLf) ? text.substr(0, text.size() - kCrLf.size()) : text;
}

}  // namespace

std::optional<FaultKind> ParseFaultKind(std::string_view name)
{
    if (name == "hangup")
        return FaultKind::Hangup;
    if (name == "nul-gbk")
        return FaultKind::NulGbk;
    if (name == "4k")
        return FaultKind::FourKiB;
    if (name == "late")
        return FaultKind::Late;
    if (name == "unsolicited")
        return FaultKind::Unsolicited;
    return std::nullopt;
}

FaultPlan::FaultPlan(FaultKind kind, std::optional<std::uint64_t> onLine)
    : m_kind(kind), m_onLine(onLine)
{
}

FaultAction FaultPlan::Shape(std::string reply)
{
    ++m_linesSeen;
    const bool hit = !m_onLine || *m_onLine == m_linesSeen;
    if (!hit)
        return {false, std::move(reply), std::nullopt};

    switch (m_kind) {
    case FaultKind::Hangup:
        return {true, {}, std::nullopt};
    case FaultKind::NulGbk:
        return {false, GarbledReply(reply), std::nullopt};
    case FaultKind::FourKiB:
        return {false, OversizedReply(), std::nullopt};
    case FaultKind::Late:
        return {false, std::move(reply), kLateDelay};
    case FaultKind::None:
    case FaultKind::Unsolicited:
        break;
    }
    return {false, std::move(reply), std::nullopt};
}

std::string FaultPlan::GarbledReply(std::string_view reply)
{
    std::string garbled(WithoutCrLf(reply));
    garbled += " ";
    garbled += "\x81 ";      // lead byte, then an ASCII blank where its trail byte belongs
    garbled += "\xD6\xD0";   // "中", valid
    garbled += "\xB4";       // lead byte whose trail byte is the NUL below
    garbled += '\0';
    garbled += "\xD6\xD0 behind NUL";
    garbled += kCrLf;
    return garbled;
}

std::string FaultPlan::OversizedReply()
{
    return Responder::PatternReply(kOversizedReplyBytes - kCrLf.size()) + std::string(kCrLf);
}
