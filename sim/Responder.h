// Decides what goes back for each received line: the terminal's own answer,
// nothing at all (a terminal that never answers), or a fixed number of bytes
// (for reply-truncation checks). The terminal model sees every line in all
// three modes, so its settings behave the same whatever is sent back.
#pragma once

#include <cstddef>
#include <string>

#include "LineAssembler.h"
#include "TerminalModel.h"

class Responder {
public:
    enum class Mode { Terminal, Silent, FixedLength };

    explicit Responder(Mode mode = Mode::Terminal, std::size_t fixedLength = 0);

    // The reply bytes for one piece; empty when nothing is to be sent.
    std::string Answer(const LineAssembler::Piece& piece);

    // "0123456789ABCDEF" repeated and cut to the length: easy to see where a
    // reader cut it off.
    static std::string PatternReply(std::size_t length);

private:
    Mode m_mode;
    std::size_t m_fixedLength;
    TerminalModel m_model;
};
