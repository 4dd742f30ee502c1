// Cuts the received byte stream into lines ending in CR LF. A line that grows
// past kMaxLineBytes without its CR LF is dropped (reported once as overlong)
// and the rest of it, up to the next CR LF, is skipped, so a client sending
// garbage cannot make the buffer grow.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LineAssembler {
public:
    // CR LF included.
    static constexpr std::size_t kMaxLineBytes = 4096;

    struct Piece {
        enum class Kind { Line, Overlong };
        Kind kind;
        // The exact bytes received: a whole line with its CR LF, or the first
        // kMaxLineBytes bytes of an overlong one.
        std::string bytes;

        // The line without its CR LF.
        std::string_view Text() const;
    };

    // The lines these bytes complete, in order of arrival.
    std::vector<Piece> Feed(std::string_view bytes);

    // Forgets a partly received line (the port was closed under it).
    void Reset();

private:
    std::string m_pending;
    bool m_skippingOverlong = false;
    bool m_lastSkippedWasCr = false;
};
