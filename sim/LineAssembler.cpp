#include "LineAssembler.h"

namespace {

bool EndsWithCrLf(std::string_view text)
{
    return text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
}

}  // namespace

std::string_view LineAssembler::Piece::Text() const
{
    const std::string_view all = bytes;
    return EndsWithCrLf(all) ? all.substr(0, all.size() - 2) : all;
}

std::vector<LineAssembler::Piece> LineAssembler::Feed(std::string_view bytes)
{
    std::vector<Piece> pieces;
    for (char c : bytes) {
        if (m_skippingOverlong) {
            if (m_lastSkippedWasCr && c == '\n')
                m_skippingOverlong = false;
            m_lastSkippedWasCr = c == '\r';
            continue;
        }
        m_pending.push_back(c);
        if (EndsWithCrLf(m_pending)) {
            pieces.push_back({Piece::Kind::Line, std::move(m_pending)});
            m_pending.clear();
        } else if (m_pending.size() >= kMaxLineBytes) {
            pieces.push_back({Piece::Kind::Overlong, std::move(m_pending)});
            m_pending.clear();
            m_skippingOverlong = true;
            // The CR of a CR LF split exactly at the limit still counts.
            m_lastSkippedWasCr = c == '\r';
        }
    }
    return pieces;
}

void LineAssembler::Reset()
{
    m_pending.clear();
    m_skippingOverlong = false;
    m_lastSkippedWasCr = false;
}
