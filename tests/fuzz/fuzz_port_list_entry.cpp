// Display name to port-list entry. PortNumberFromDisplayName is compared
// with the rule written out plainly: walk the 8-bit name character by
// character (a GBK lead byte and a valid trail byte are one character), find
// the first "(COM" that starts on a character, keep what follows it (without
// one: everything from byte 3 on), and drop every ')'. A name that ends in
// "(COMn)" and holds no other "(COM" must give n.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "PortList.h"

namespace {

using fuzzcheck::Escape;
using fuzzcheck::IsLeadByte;
using fuzzcheck::IsTrailByte;

std::string ReferenceEntry(const std::string& name)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < name.size();) {
        if (name.compare(i, 4, "(COM") == 0) {
            found = i;
            break;
        }
        const bool doubleByte = IsLeadByte(static_cast<unsigned char>(name[i])) &&
                                i + 1 < name.size() &&
                                IsTrailByte(static_cast<unsigned char>(name[i + 1]));
        i += doubleByte ? 2 : 1;
    }
    const std::size_t start = found == std::string::npos ? 3 : found + 4;
    std::string entry;
    for (std::size_t i = start; i < name.size(); ++i) {
        if (name[i] != ')')
            entry.push_back(name[i]);
    }
    return entry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string entry = PortNumberFromDisplayName(name);
    const std::string expected = ReferenceEntry(name);
    FUZZ_CHECK(entry == expected, "display name \"" + Escape(name) + "\" gives \"" +
                                      Escape(entry) + "\", the rule gives \"" + Escape(expected) +
                                      "\"");

    // The same name as a port's friendly name: "<name> (COM<n>)", n taken
    // from the input's first byte.
    const unsigned number = size > 0 ? 1u + data[0] % 128u : 1u;
    if (name.find("(COM") == std::string::npos) {
        const std::string friendly = name + " (COM" + std::to_string(number) + ")";
        const std::string listed = PortNumberFromDisplayName(friendly);
        FUZZ_CHECK(listed == std::to_string(number),
                   "friendly name \"" + Escape(friendly) + "\" listed as \"" + Escape(listed) + "\"");
    }
    return 0;
}
