#include "PortLinkClaim.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "ComPortNames.h"
#include "SimOptions.h"
#include "SystemError.h"

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The link's target, or nothing when it is not a readable link.
std::optional<std::string> ReadLink(const std::string& path)
{
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buffer.size())
        return std::nullopt;
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace

PortLinkClaim::PortLinkClaim(std::string directory, std::string target,
                             std::optional<unsigned> wanted, std::string devRoot)
    : m_directory(std::move(directory)), m_target(std::move(target)), m_devRoot(std::move(devRoot))
{
    if (wanted) {
        if (!TryLink(*wanted)) {
            const std::string link = comnames::PortLinkPath(m_directory, *wanted);
            struct stat st {};
            const bool dangling = ::stat(link.c_str(), &st) != 0;
            throw SimError("COM" + std::to_string(*wanted) + " is taken: " + link + " already exists" +
                           (dangling ? " and points nowhere (remove it if no simulator uses it)"
                                     : ""));
        }
        if (FixedTableDevicePresent(*wanted))
            m_note = "COM" + std::to_string(*wanted) + " hides " + m_devRoot + "/" +
                     comnames::FixedTableTtyName(*wanted) + " while the simulator runs";
        return;
    }

    // Another simulator may take a number between the check and the link;
    // symlink() then fails with EEXIST and the search moves on.
    for (unsigned n = 1; n <= kMaxComNumber; ++n) {
        if (Exists(comnames::PortLinkPath(m_directory, n)) || FixedTableDevicePresent(n))
            continue;
        if (TryLink(n))
            return;
    }
    throw SimError("no free COM number from 1 to " + std::to_string(kMaxComNumber) + " in " +
                   m_directory);
}

PortLinkClaim::~PortLinkClaim()
{
    // Only our own link: after a crash and restart, or a hand-made change,
    // the name may point elsewhere now.
    if (ReadLink(m_linkPath) == m_target)
        ::unlink(m_linkPath.c_str());
}

bool PortLinkClaim::TryLink(unsigned comNumber)
{
    const std::string link = comnames::PortLinkPath(m_directory, comNumber);
    if (::symlink(m_target.c_str(), link.c_str()) != 0) {
        if (errno == EEXIST)
            return false;
        throw SystemError("cannot create " + link, errno);
    }
    m_comNumber = comNumber;
    m_linkPath = link;
    return true;
}

bool PortLinkClaim::FixedTableDevicePresent(unsigned comNumber) const
{
    const std::string tty = comnames::FixedTableTtyName(comNumber);
    return !tty.empty() && Exists(m_devRoot + "/" + tty);
}
