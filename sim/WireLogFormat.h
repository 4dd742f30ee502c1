// One entry of the wire log: a JSON object on one line for each line the
// terminal received,
//   {"t":<monotonic seconds>,"hex":"<exact bytes>","line":"<text>"}
// "hex" holds every byte (CR LF included) in lower-case hex and is the
// authoritative record; "line" is the text without CR LF for reading, with
// quote, backslash, control characters and bytes from 0x80 up escaped as
// \u00XX (the bytes may be GBK text, which is not valid JSON text as is).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

// Ends in a newline. The time is CLOCK_MONOTONIC (std::chrono::steady_clock)
// in seconds with microseconds.
std::string FormatWireLogEntry(std::chrono::steady_clock::time_point receivedAt,
                               std::string_view bytes);
