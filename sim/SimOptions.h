// The simulator's command line:
//   vadire-terminal-sim [--com N] [--delay-ms MS] [--wire-timing] [--log FILE]
//                       [--silent] [--reply-bytes N]
//                       [--fault KIND [--fault-on N] [--down-ms MS]]
// Each option taking a value accepts "--name VALUE" and "--name=VALUE".
// The fault kinds are described in FaultPlan.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "FaultPlan.h"

// The device link forms "\\.\COM%d" in a 12-byte buffer: four digits at most.
inline constexpr unsigned kMaxComNumber = 9999;

struct SimOptions {
    std::optional<unsigned> comNumber;  // nothing: the lowest free number
    unsigned delayMs = 20;
    bool wireTiming = false;
    std::string logPath;  // empty: no wire log
    bool silent = false;
    std::optional<std::size_t> replyBytes;
    FaultKind fault = FaultKind::None;
    std::optional<std::uint64_t> faultOn;  // nothing: every line
    // After a hang-up, how long the port stays away before it comes back.
    unsigned downMs = 500;
    bool showHelp = false;
};

struct ParsedOptions {
    std::optional<SimOptions> options;
    std::string error;  // why there are no options: one line, no usage text
};

// The arguments after the program name.
ParsedOptions ParseSimOptions(std::span<const std::string_view> args);

// "usage: vadire-terminal-sim [--com N] ...", one line.
std::string_view SimUsage();

// The usage line and what each option does, for --help.
std::string_view SimHelp();
