// What every fuzz target shares: a broken invariant ends the run with a
// message that says which one and shows the input's bytes involved, so the
// crash artifact libFuzzer keeps comes with its explanation.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzcheck {

// Printable ASCII as is, everything else as \xNN, so that CR, LF, NUL and
// GBK bytes stay visible in the report.
inline std::string Escape(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out.push_back(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        }
    }
    return out;
}

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& detail)
{
    std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n%s\n", file, line, condition,
                 detail.c_str());
    std::fflush(stderr);
    std::abort();
}

// Code page 936: a lead byte starts a two-byte character, whose second byte
// is a trail byte.
inline bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

inline bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

}  // namespace fuzzcheck

// FUZZ_CHECK(condition, detail): detail is any expression giving a
// std::string, evaluated only when the condition fails.
#define FUZZ_CHECK(condition, detail)                                          \
    do {                                                                       \
        if (!(condition))                                                      \
            ::fuzzcheck::Fail(__FILE__, __LINE__, #condition, (detail));       \
    } while (false)
