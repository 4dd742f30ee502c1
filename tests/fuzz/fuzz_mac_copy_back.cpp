// The MAC copy-back after a Read: the reply's bytes (GBK, anything the
// terminal or the line sent) are decoded as the dialog decodes them, and
// dlglogic::MacFromReply takes the value behind "XP3301 A ". Checked:
// - the value holds no double quote, CR or LF (it goes back into the field
//   and from there into the next Write's quoted parameter);
// - the key is found exactly when it starts on a character of the reply,
//   never inside a double-byte character;
// - the value is the decoded rest of the reply behind the key, less those
//   three characters: nothing after the key is lost or invented.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "GbkCodePage.h"
#include "RunOperation.h"

namespace {

using fuzzcheck::Escape;
using fuzzcheck::IsLeadByte;
using fuzzcheck::IsTrailByte;

constexpr const char* kKey = "XP3301 A ";

// Where the key starts on a character of the GBK bytes, or npos.
std::size_t FindKeyOnCharacter(const std::string& bytes)
{
    const std::string key = kKey;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes.compare(i, key.size(), key) == 0)
            return i;
        const bool doubleByte = IsLeadByte(static_cast<unsigned char>(bytes[i])) &&
                                i + 1 < bytes.size() &&
                                IsTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        i += doubleByte ? 2 : 1;
    }
    return std::string::npos;
}

std::string WithoutQuotesAndLineEnds(std::string text)
{
    std::erase_if(text, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CGbkCodePage codePage;
    // The dialog reads the reply up to its first zero byte.
    std::string reply(reinterpret_cast<const char*>(data), size);
    reply = reply.substr(0, reply.find('\0'));

    const std::string decoded = codePage.Decode(reply);
    const std::optional<std::string> mac = dlglogic::MacFromReply(decoded);
    const std::size_t key = FindKeyOnCharacter(reply);

    FUZZ_CHECK(mac.has_value() == (key != std::string::npos),
               "reply \"" + Escape(reply) + "\": key " + (mac ? "taken" : "not taken") +
                   ", but it " + (key != std::string::npos ? "starts" : "does not start") +
                   " on a character");
    if (!mac)
        return 0;
    FUZZ_CHECK(mac->find_first_of("\"\r\n") == std::string::npos,
               "value \"" + Escape(*mac) + "\" from reply \"" + Escape(reply) + "\"");
    const std::string expected =
        WithoutQuotesAndLineEnds(codePage.Decode(reply.substr(key + std::string(kKey).size())));
    FUZZ_CHECK(*mac == expected, "reply \"" + Escape(reply) + "\" gives \"" + Escape(*mac) +
                                     "\", its rest behind the key decodes to \"" +
                                     Escape(expected) + "\"");
    return 0;
}
