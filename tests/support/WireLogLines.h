// The simulator's wire log (one JSON object per received line, the exact
// bytes in its "hex" field) read back as the lines, CR LF included.
#pragma once

#include <istream>
#include <regex>
#include <string>
#include <vector>

inline std::vector<std::string> WireLogLines(std::istream& log)
{
    static const std::regex hexField(R"re("hex"\s*:\s*"([0-9a-f]*)")re");
    std::vector<std::string> lines;
    for (std::string entry; std::getline(log, entry);) {
        std::smatch match;
        if (!std::regex_search(entry, match, hexField))
            continue;
        const std::string hex = match[1];
        std::string bytes;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        lines.push_back(bytes);
    }
    return lines;
}
