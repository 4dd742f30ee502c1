#include "WireLogFormat.h"

#include <cstdio>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char byte)
{
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0f]);
}

void AppendJsonText(std::string& out, std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += "\\u00";
            AppendHexByte(out, byte);
        } else {
            out.push_back(c);
        }
    }
}

}  // namespace

std::string FormatWireLogEntry(std::chrono::steady_clock::time_point receivedAt,
                               std::string_view bytes)
{
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(receivedAt.time_since_epoch()).count();
    char seconds[48];
    std::snprintf(seconds, sizeof seconds, "%lld.%06lld", static_cast<long long>(micros / 1'000'000),
                  static_cast<long long>(micros % 1'000'000));

    std::string text = std::string(bytes);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);

    std::string entry = "{\"t\":";
    entry += seconds;
    entry += ",\"hex\":\"";
    for (char c : bytes)
        AppendHexByte(entry, static_cast<unsigned char>(c));
    entry += "\",\"line\":\"";
    AppendJsonText(entry, text);
    entry += "\"}\n";
    return entry;
}
