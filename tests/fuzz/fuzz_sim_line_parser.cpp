// The simulator's receiving side: bytes as they arrive on the pty, cut into
// lines by LineAssembler, answered by TerminalModel. Checked:
// - cutting does not depend on how the bytes were split into reads;
// - a line is at most kMaxLineBytes, ends in CR LF and holds no other CR LF;
//   an overlong piece is exactly kMaxLineBytes, so what waits for its CR LF
//   stays bounded too (a final CR LF flushes it, and it obeys the limit);
// - every reply ends in CR LF and holds no other, and is "ERR" or the
//   line's keyword with "A" or "E";
// - the stored MAC and IP address stay well formed whatever was sent.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "LineAssembler.h"
#include "TerminalModel.h"
#include "ValueSyntax.h"

namespace {

using fuzzcheck::Escape;
using Piece = LineAssembler::Piece;

constexpr std::size_t kMaxLine = LineAssembler::kMaxLineBytes;

bool HasOneCrLfAtEnd(const std::string& text)
{
    return text.size() >= 2 && text.find("\r\n") == text.size() - 2;
}

std::string Show(const Piece& piece)
{
    return std::string(piece.kind == Piece::Kind::Line ? "line" : "overlong piece") + " of " +
           std::to_string(piece.bytes.size()) + " bytes \"" +
           Escape(piece.bytes.substr(0, 200)) + (piece.bytes.size() > 200 ? "..." : "") + "\"";
}

void CheckPiece(const Piece& piece)
{
    if (piece.kind == Piece::Kind::Line) {
        FUZZ_CHECK(piece.bytes.size() <= kMaxLine && HasOneCrLfAtEnd(piece.bytes), Show(piece));
        FUZZ_CHECK(piece.Text().size() + 2 == piece.bytes.size(), Show(piece));
    } else {
        FUZZ_CHECK(piece.bytes.size() == kMaxLine && piece.bytes.find("\r\n") == std::string::npos,
                   Show(piece));
    }
}

void CheckReply(const Piece& piece, const std::string& reply, const TerminalModel& model)
{
    const std::string shown = "reply \"" + Escape(reply) + "\" to " + Show(piece);
    FUZZ_CHECK(HasOneCrLfAtEnd(reply), shown);
    if (reply != "ERR\r\n") {
        FUZZ_CHECK(piece.kind == Piece::Kind::Line, shown);
        const std::string_view text = piece.Text();
        const std::string keyword(text.substr(0, text.find(' ')));
        const bool answered = reply.compare(0, keyword.size() + 2, keyword + " A") == 0 ||
                              reply.compare(0, keyword.size() + 2, keyword + " E") == 0;
        const char after = reply.size() > keyword.size() + 2 ? reply[keyword.size() + 2] : '\0';
        FUZZ_CHECK(answered && (after == ' ' || after == '\r'), shown);
    }
    const TerminalSettings& settings = model.Settings();
    FUZZ_CHECK(IsValidMacAddress(settings.mac), "stored MAC \"" + Escape(settings.mac) + "\" after " + Show(piece));
    FUZZ_CHECK(IsValidIpv4Address(settings.ipAddress),
               "stored IP \"" + Escape(settings.ipAddress) + "\" after " + Show(piece));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The stream as a series of reads; a read may repeat one byte many times,
    // so small inputs reach the line limit.
    FuzzedDataProvider input(data, size);
    std::vector<std::string> reads;
    while (input.remaining_bytes() > 0) {
        if (input.ConsumeIntegralInRange<int>(0, 7) == 0) {
            const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(1, 2 * kMaxLine);
            reads.emplace_back(count, input.ConsumeIntegral<char>());
        } else {
            reads.push_back(input.ConsumeRandomLengthString(kMaxLine));
        }
    }

    LineAssembler assembler;
    TerminalModel model;
    std::vector<Piece> pieces;
    std::string stream;
    for (const std::string& read : reads) {
        stream += read;
        for (Piece& piece : assembler.Feed(read)) {
            CheckPiece(piece);
            const std::string reply = piece.kind == Piece::Kind::Line
                                          ? model.HandleLine(piece.Text())
                                          : model.HandleOverlongLine();
            CheckReply(piece, reply, model);
            pieces.push_back(std::move(piece));
        }
    }

    LineAssembler whole;
    const std::vector<Piece> atOnce = whole.Feed(stream);
    FUZZ_CHECK(atOnce.size() == pieces.size(),
               std::to_string(pieces.size()) + " pieces read by read, " +
                   std::to_string(atOnce.size()) + " from the whole stream");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        FUZZ_CHECK(atOnce[i].kind == pieces[i].kind && atOnce[i].bytes == pieces[i].bytes,
                   "piece " + std::to_string(i) + " differs: " + Show(pieces[i]) + " read by read, " +
                       Show(atOnce[i]) + " at once");
    }

    // Whatever is still waiting comes out at the next CR LF, within the limit.
    for (const Piece& piece : assembler.Feed("\r\n"))
        CheckPiece(piece);
    return 0;
}
