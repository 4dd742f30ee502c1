// Registers the simulator's port as COMn: a symbolic link named COMn in the
// per-user port-link directory, pointing at the pseudo-terminal. Tools that
// resolve "\\.\COMn" find the simulator through it. The link is removed when
// the claim goes, unless someone has replaced it meanwhile.
#pragma once

#include <optional>
#include <string>

class PortLinkClaim {
public:
    // wanted: that number, or fail if its link exists. Nothing: the lowest
    // number with neither a link nor a present device of the fixed table.
    // Throws SimError.
    PortLinkClaim(std::string directory, std::string target, std::optional<unsigned> wanted,
                  std::string devRoot = "/dev");
    ~PortLinkClaim();
    PortLinkClaim(const PortLinkClaim&) = delete;
    PortLinkClaim& operator=(const PortLinkClaim&) = delete;

    unsigned ComNumber() const { return m_comNumber; }
    const std::string& LinkPath() const { return m_linkPath; }
    // Non-empty when the claimed number hides a device of the fixed table.
    const std::string& Note() const { return m_note; }

private:
    bool TryLink(unsigned comNumber);  // false when the name is taken
    bool FixedTableDevicePresent(unsigned comNumber) const;

    std::string m_directory;
    std::string m_target;
    std::string m_devRoot;
    unsigned m_comNumber = 0;
    std::string m_linkPath;
    std::string m_note;
};
