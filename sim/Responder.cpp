#include "Responder.h"

#include <string_view>

Responder::Responder(Mode mode, std::size_t fixedLength)
    : m_mode(mode), m_fixedLength(fixedLength)
{
}

std::string Responder::Answer(const LineAssembler::Piece& piece)
{
    std::string reply = piece.kind == LineAssembler::Piece::Kind::Line
                            ? m_model.HandleLine(piece.Text())
                            : m_model.HandleOverlongLine();
    switch (m_mode) {
    case Mode::Terminal:
        return reply;
    case Mode::Silent:
        return {};
    case Mode::FixedLength:
        return PatternReply(m_fixedLength);
    }
    return reply;
}

std::string Responder::PatternReply(std::size_t length)
{
    constexpr std::string_view kPattern = "0123456789ABCDEF";
    std::string reply;
    reply.reserve(length);
    while (reply.size() < length)
        reply.append(kPattern.substr(0, length - reply.size()));
    return reply;
}
