// GBK (code page 936) encoding and decoding of operator input and replies,
// through CGbkCodePage. The first input byte picks what is checked.
//
// Decode, of any bytes:
// - gives well-formed UTF-8, and ASCII unchanged;
// - gives one character per GBK character: a lead byte with a valid trail
//   byte is one, every other byte is one (a replacement if it is none), so
//   nothing is dropped, not even a lone lead byte at the end;
// - never lets a byte below 0x40 (no trail byte is) be swallowed: decoding
//   the pieces between such bytes and joining them gives the same text, so a
//   bad byte never takes the rest of a line with it;
// - where it needed no replacement, Encode gives the bytes back.
// Encode, of any bytes taken as UTF-8:
// - refuses malformed UTF-8 and anything with no GBK form, rather than
//   sending a stand-in character;
// - what it accepts decodes back to the very text.
// Port discovery converts USB strings with its own converter (Utf8ToGbk);
// where the dialog's Encode accepts a text, both give the same bytes, so a
// port's name reads the same in the list as anywhere else. Private-use
// characters are left out: the dialog's converter maps them to the
// user-defined areas of code page 936, port discovery's shows them as '?'.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "GbkCodePage.h"
#include "GbkText.h"

namespace {

using fuzzcheck::Escape;
using fuzzcheck::IsLeadByte;
using fuzzcheck::IsTrailByte;

constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

std::size_t GbkCharacterCount(const std::string& bytes)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size(); ++count) {
        const bool doubleByte = IsLeadByte(static_cast<unsigned char>(bytes[i])) &&
                                i + 1 < bytes.size() &&
                                IsTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        i += doubleByte ? 2 : 1;
    }
    return count;
}

// Code points of well-formed UTF-8 (shortest form, no surrogates, at most
// U+10FFFF), or nothing.
std::optional<std::size_t> Utf8CodePoints(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if ((byte & 0xC0) != 0x80)
                return std::nullopt;
            value = (value << 6) | (byte & 0x3F);
        }
        const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
        if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return std::nullopt;
        i += length;
    }
    return count;
}

void CheckDecode(const CGbkCodePage& codePage, const std::string& bytes)
{
    const std::string text = codePage.Decode(bytes);
    const std::string shown = "bytes \"" + Escape(bytes) + "\" decode to \"" + Escape(text) + "\"";

    const std::optional<std::size_t> codePoints = Utf8CodePoints(text);
    FUZZ_CHECK(codePoints.has_value(), "malformed UTF-8: " + shown);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    FUZZ_CHECK(!ascii || text == bytes, "ASCII changed: " + shown);
    FUZZ_CHECK(*codePoints == GbkCharacterCount(bytes),
               std::to_string(*codePoints) + " characters for " +
                   std::to_string(GbkCharacterCount(bytes)) + " in the bytes: " + shown);

    std::string joined;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x40)
            continue;
        joined += codePage.Decode(bytes.substr(start, i - start));
        if (i < bytes.size())
            joined.push_back(bytes[i]);
        start = i + 1;
    }
    FUZZ_CHECK(joined == text, "the pieces between bytes below 0x40 decode to \"" +
                                   Escape(joined) + "\": " + shown);

    if (text.find(kReplacementUtf8) == std::string::npos) {
        const std::optional<std::string> back = codePage.Encode(text);
        FUZZ_CHECK(back.has_value() && *back == bytes,
                   (back ? "encoded back to \"" + Escape(*back) + "\"" : std::string("not encodable")) +
                       ": " + shown);
    }
}

void CheckEncode(const CGbkCodePage& codePage, const std::string& utf8)
{
    const std::optional<std::string> bytes = codePage.Encode(utf8);
    if (!bytes)
        return;
    const std::string shown = "text \"" + Escape(utf8) + "\" encodes to \"" + Escape(*bytes) + "\"";
    FUZZ_CHECK(Utf8CodePoints(utf8).has_value(), "malformed UTF-8 accepted: " + shown);
    const std::string back = codePage.Decode(*bytes);
    FUZZ_CHECK(back == utf8, "decodes back to \"" + Escape(back) + "\": " + shown);
}

// U+E000 to U+F8FF in well-formed UTF-8: EE 80 80 up to EF A3 BF.
bool HasPrivateUse(const std::string& utf8)
{
    for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if (lead == 0xEE || (lead == 0xEF && next <= 0xA3))
            return true;
    }
    return false;
}

void CheckUsbStringConversion(const CGbkCodePage& codePage, const std::string& utf8)
{
    const std::optional<std::string> dialogBytes = codePage.Encode(utf8);
    if (!dialogBytes || HasPrivateUse(utf8))
        return;
    const std::string portBytes = Utf8ToGbk(utf8);
    FUZZ_CHECK(portBytes == *dialogBytes, "text \"" + Escape(utf8) + "\": the dialog encodes \"" +
                                             Escape(*dialogBytes) + "\", port discovery \"" +
                                             Escape(portBytes) + "\"");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CGbkCodePage codePage;
    if (size == 0)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: CheckDecode(codePage, rest); break;
    case 1: CheckEncode(codePage, rest); break;
    case 2: CheckUsbStringConversion(codePage, rest); break;
    }
    return 0;
}
