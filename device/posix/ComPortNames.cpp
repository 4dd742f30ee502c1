#include "ComPortNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

namespace comnames {
namespace {

constexpr std::string_view kComPrefix = "\\\\.\\COM";

struct TableBlock {
    std::string_view ttyPrefix;
    unsigned firstCom;
};

// 32 ports per device family, in this order.
constexpr unsigned kBlockSize = 32;
constexpr std::array<TableBlock, 4> kTable{{
    {"ttyS", 1},
    {"ttyUSB", 33},
    {"ttyACM", 65},
    {"ttyAMA", 97},
}};

std::optional<unsigned> ParseDecimal(std::string_view digits, unsigned limit)
{
    if (digits.empty())
        return std::nullopt;
    unsigned long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

}  // namespace

bool HasComDevicePrefix(std::string_view path)
{
    return path.substr(0, kComPrefix.size()) == kComPrefix;
}

std::optional<unsigned> ParseComDevicePath(std::string_view path)
{
    if (!HasComDevicePrefix(path))
        return std::nullopt;
    return ParseDecimal(path.substr(kComPrefix.size()), 1'000'000'000u);
}

std::string FixedTableTtyName(unsigned comNumber)
{
    for (const TableBlock& block : kTable) {
        if (comNumber >= block.firstCom && comNumber < block.firstCom + kBlockSize)
            return std::string(block.ttyPrefix) + std::to_string(comNumber - block.firstCom);
    }
    return {};
}

std::optional<unsigned> FixedTableNumber(std::string_view ttyName)
{
    // Longest prefix first would matter only if one prefix extended another
    // with digits; "ttyS" never matches "ttyUSB0" because the rest must be digits.
    for (const TableBlock& block : kTable) {
        if (ttyName.substr(0, block.ttyPrefix.size()) != block.ttyPrefix)
            continue;
        std::string_view digits = ttyName.substr(block.ttyPrefix.size());
        if (digits.size() > 1 && digits.front() == '0')
            continue;  // "ttyS01" is not a kernel name
        if (auto index = ParseDecimal(digits, kBlockSize - 1))
            return block.firstCom + *index;
    }
    return std::nullopt;
}

std::string PortLinkDirectory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0')
        return std::string(runtime) + "/vadire/ports";
    return "/tmp/vadire-" + std::to_string(::getuid()) + "/ports";
}

namespace {

// A directory of ours that nobody else can change: owned by this user,
// writable by nobody else.
int CheckPrivateDirectory(const std::string& directory)
{
    struct stat st {};
    if (::lstat(directory.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (st.st_uid != ::getuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return EACCES;
    return 0;
}

std::string ParentOf(const std::string& directory)
{
    const std::string::size_type slash = directory.find_last_of('/');
    return (slash == std::string::npos || slash == 0) ? std::string() : directory.substr(0, slash);
}

}  // namespace

int CheckPortLinkDirectory(const std::string& directory)
{
    // The parent too: whoever can write there could swap the directory for
    // another after it was checked.
    if (int error = CheckPrivateDirectory(directory); error != 0)
        return error;
    const std::string parent = ParentOf(directory);
    return parent.empty() ? 0 : CheckPrivateDirectory(parent);
}

int EnsurePortLinkDirectory(const std::string& directory)
{
    const std::string parent = ParentOf(directory);
    if (!parent.empty() && ::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    return CheckPortLinkDirectory(directory);
}

std::string PortLinkPath(const std::string& directory, unsigned comNumber)
{
    return directory + "/COM" + std::to_string(comNumber);
}

int ResolveComPort(unsigned comNumber, std::string& devicePath, const std::string& devRoot)
{
    const std::string directory = PortLinkDirectory();
    if (CheckPortLinkDirectory(directory) == 0) {
        const std::string link = PortLinkPath(directory, comNumber);
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            devicePath = link;
            return 0;
        }
    }
    const std::string tty = FixedTableTtyName(comNumber);
    if (tty.empty())
        return ENOENT;
    devicePath = devRoot + "/" + tty;
    return 0;
}

int ResolveOpenPath(const char* path, std::string& openPath)
{
    const std::string_view text = path;
    if (!HasComDevicePrefix(text)) {
        openPath = text;
        return 0;
    }
    const auto number = ParseComDevicePath(text);
    if (!number)
        return ENOENT;
    return ResolveComPort(*number, openPath);
}

}  // namespace comnames
