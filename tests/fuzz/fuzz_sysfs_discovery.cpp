// Port discovery on Linux over sysfs trees made from the input: ttys of
// every kind the kernel makes (with table and odd names, "type" attributes
// of any content, device links that lead nowhere or out of the tree), USB
// devices whose manufacturer and product strings hold arbitrary bytes, and
// COMn links in the port-link directory. CollectSerialPorts runs through
// CLinuxPortPlatform as the dialog runs it; then:
// - the only exception is a documented std::string message;
// - records come in strictly ascending COM number, each display name is
//   "<description> (COMn)" and fits the 256-byte property buffer, and the
//   port list takes n back out of it;
// - every number listed was made by a tty or a link of the tree, and every
//   well-formed link to an existing target is listed as that link;
// - the tree is removed after each run, before any check.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "ComPortNames.h"
#include "FuzzCheck.h"
#include "LinuxPortPlatform.h"
#include "PortList.h"
#include "SerialPortInfo.h"
#include "SysfsFixture.h"

namespace fs = std::filesystem;

namespace {

using fuzzcheck::Escape;

constexpr std::size_t kMaxOperations = 24;
constexpr std::size_t kMaxText = 300;

// This process's directories, all below one base that each run makes and
// removes: trees below tree/, the port-link directory below run/ (where
// XDG_RUNTIME_DIR points).
struct SWorkDirs {
    fs::path base;
    fs::path tree;
    fs::path links;
};

const SWorkDirs& WorkDirs()
{
    static const SWorkDirs dirs = [] {
        std::string pattern = (fs::temp_directory_path() / "vadire-fuzz-sysfs-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        SWorkDirs made{pattern, fs::path(pattern) / "tree", {}};
        ::setenv("XDG_RUNTIME_DIR", (made.base / "run").c_str(), 1);
        made.links = comnames::PortLinkDirectory();
        return made;
    }();
    return dirs;
}

// A file name from the input: no '/', no NUL, not "." or "..", not empty.
std::string RawName(FuzzedDataProvider& input)
{
    std::string name = input.ConsumeRandomLengthString(40);
    std::erase_if(name, [](char c) { return c == '/' || c == '\0'; });
    if (name.empty() || name == "." || name == "..")
        name = "x" + name;
    return name;
}

std::string TtyName(FuzzedDataProvider& input)
{
    static const char* const kPrefixes[] = {"ttyS", "ttyUSB", "ttyACM", "ttyAMA", "ttyX", "tty", "COM"};
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return RawName(input);
    case 1:  // a leading zero, which no kernel name has
        return std::string(input.PickValueInArray(kPrefixes)) + "0" +
               std::to_string(input.ConsumeIntegralInRange<int>(0, 40));
    default:
        return std::string(input.PickValueInArray(kPrefixes)) +
               std::to_string(input.ConsumeIntegralInRange<int>(0, 40));
    }
}

std::string UsbPortPath(FuzzedDataProvider& input)
{
    std::string path = std::to_string(input.ConsumeIntegralInRange<int>(1, 3)) + "-" +
                       std::to_string(input.ConsumeIntegralInRange<int>(1, 4));
    if (input.ConsumeBool())
        path += "." + std::to_string(input.ConsumeIntegralInRange<int>(1, 4));
    return path;
}

// A USB string as sysfs shows it: any bytes but NUL, which the kernel never
// writes there (the attribute is printed with "%s").
std::optional<std::string> MaybeText(FuzzedDataProvider& input)
{
    if (input.ConsumeBool())
        return std::nullopt;
    std::string text = input.ConsumeRandomLengthString(kMaxText);
    std::erase(text, '\0');
    return text;
}

void WriteFile(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

class CTreeBuilder {
public:
    CTreeBuilder(FuzzedDataProvider& input, const SWorkDirs& dirs)
        : m_input(input), m_dirs(dirs), m_fixture(dirs.tree.string())
    {
    }

    void Build()
    {
        for (std::size_t i = 0; i < kMaxOperations && m_input.remaining_bytes() > 0; ++i) {
            try {
                AddOne();
            } catch (const std::exception&) {
                // The fixture refuses a shape (a name twice, a name without
                // digits where it needs some): that part of the tree is not made.
            }
        }
    }

    const std::set<unsigned>& MadeNumbers() const { return m_madeNumbers; }
    const std::map<unsigned, std::string>& ExpectedLinks() const { return m_expectedLinks; }

private:
    void NoteTty(const std::string& name)
    {
        if (const auto number = comnames::FixedTableNumber(name))
            m_madeNumbers.insert(*number);
    }

    void AddOne()
    {
        switch (m_input.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: {
            const std::string name = TtyName(m_input);
            NoteTty(name);
            std::optional<int> type;
            if (m_input.ConsumeBool())
                type = m_input.ConsumeIntegralInRange<int>(-1, 20);
            m_fixture.AddPnpUart(name, type);
            break;
        }
        case 1: {
            const std::string name = TtyName(m_input);
            NoteTty(name);
            m_fixture.AddPhantomUart(name);
            break;
        }
        case 2: {
            const std::string name = TtyName(m_input);
            NoteTty(name);
            m_fixture.AddAmbaUart(name, std::to_string(m_input.ConsumeIntegralInRange<int>(0, 9)) + "f201000",
                                  m_input.ConsumeIntegralInRange<int>(0, 100));
            break;
        }
        case 3: {
            const std::string port = UsbPortPath(m_input);
            std::optional<std::string> manufacturer = MaybeText(m_input);
            m_fixture.AddUsbDevice(port, std::move(manufacturer), MaybeText(m_input));
            break;
        }
        case 4: {
            const std::string port = UsbPortPath(m_input);
            const int interface = m_input.ConsumeIntegralInRange<int>(0, 3);
            const std::string name = TtyName(m_input);
            NoteTty(name);
            m_fixture.AddUsbSerialTty(port, interface, name, m_input.ConsumeBool() ? "ftdi_sio" : RawName(m_input));
            break;
        }
        case 5: {
            const std::string port = UsbPortPath(m_input);
            const int interface = m_input.ConsumeIntegralInRange<int>(0, 3);
            const std::string name = TtyName(m_input);
            NoteTty(name);
            m_fixture.AddAcmTty(port, interface, name);
            break;
        }
        case 6: m_fixture.AddVirtualTty(TtyName(m_input)); break;
        case 7: AddRawTty(); break;
        case 8: AddPortLink(); break;
        case 9: SpoilLinkDirectory(); break;
        }
    }

    // A class/tty entry the kernel would not make: a plain directory, a
    // device link to anything, a "type" of any content.
    void AddRawTty()
    {
        const std::string name = TtyName(m_input);
        NoteTty(name);
        const fs::path entry = m_dirs.tree / "sys/class/tty" / name;
        fs::create_directories(entry);
        switch (m_input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: break;  // no device link
        case 1: fs::create_symlink("../../devices/raw/" + name, entry / "device"); break;
        case 2:
            fs::create_directories(m_dirs.tree / "sys/devices/raw" / name);
            fs::create_symlink("../../devices/raw/" + name, entry / "device");
            break;
        case 3: fs::create_symlink("/", entry / "device"); break;
        case 4: fs::create_symlink("device", entry / "device"); break;  // a loop
        }
        if (m_input.ConsumeBool())
            WriteFile(entry / "type", m_input.ConsumeRandomLengthString(20));
        if (m_input.ConsumeBool())
            WriteFile(m_dirs.tree / "dev" / name, "");
    }

    void AddPortLink()
    {
        fs::create_directories(m_dirs.links);
        const std::string name = m_input.ConsumeBool()
                                     ? "COM" + std::to_string(m_input.ConsumeIntegralInRange<unsigned>(0, 200))
                                     : RawName(m_input);
        const fs::path link = m_dirs.links / name;
        const int targetKind = m_input.ConsumeIntegralInRange<int>(0, 3);
        fs::path target;
        switch (targetKind) {
        case 0:
            target = m_dirs.tree / ("pty-" + std::to_string(m_nextTarget++));
            WriteFile(target, "");
            break;
        case 1: target = m_dirs.tree / "gone"; break;
        case 2: target = name; break;  // points at itself
        case 3:
            // Not a link at all: a plain file of that name.
            WriteFile(link, "");
            return;
        }
        fs::create_symlink(target, link);
        // Only "COMn" itself names port n; "COM05" or "COM0" name nothing.
        const auto parsed = comnames::ParseComDevicePath("\\\\.\\" + name);
        if (!parsed)
            return;
        m_madeNumbers.insert(*parsed);
        if (name == "COM" + std::to_string(*parsed) && *parsed > 0 && targetKind == 0 && !m_linksIgnored)
            m_expectedLinks[*parsed] = link.string();
    }

    // A port-link directory that others may write to is not read at all.
    void SpoilLinkDirectory()
    {
        fs::create_directories(m_dirs.links);
        ::chmod(m_dirs.links.c_str(), 0777);
        m_linksIgnored = true;
        m_expectedLinks.clear();
    }

    FuzzedDataProvider& m_input;
    const SWorkDirs& m_dirs;
    CSysfsFixture m_fixture;
    std::set<unsigned> m_madeNumbers;
    std::map<unsigned, std::string> m_expectedLinks;
    unsigned m_nextTarget = 0;
    bool m_linksIgnored = false;
};

bool IsDocumentedMessage(const std::string& message)
{
    for (const char* start : {"Could not get OS version. (err=", "SetupDiGetClassDevs failed. (err=",
                              "SetupDiEnumDeviceInterfaces failed. (err=",
                              "SetupDiGetDeviceInterfaceDetail failed. (err="}) {
        if (message.rfind(start, 0) == 0 && message.back() == ')')
            return true;
    }
    return false;
}

std::string Show(const SSerInfo& port)
{
    return "{open \"" + Escape(port.m_strOpenPath) + "\", com \"" + Escape(port.m_strComName) +
           "\", display \"" + Escape(port.m_strDisplayName) + "\", usb " +
           std::to_string(port.m_bOnUsb) + ", description \"" + Escape(port.m_strDescription) + "\"}";
}

void CheckPorts(const SerInfoArray& ports, const CTreeBuilder& tree)
{
    unsigned previous = 0;
    std::map<unsigned, const SSerInfo*> byNumber;
    for (const SSerInfo& port : ports) {
        const std::string& display = port.m_strDisplayName;
        const std::string::size_type open = display.rfind(" (COM");
        FUZZ_CHECK(open != std::string::npos && display.back() == ')',
                   "display name without \" (COMn)\": " + Show(port));
        const std::string digits = display.substr(open + 5, display.size() - open - 6);
        FUZZ_CHECK(!digits.empty() && digits.size() <= 3 &&
                       digits.find_first_not_of("0123456789") == std::string::npos && digits[0] != '0',
                   "no COM number at the end: " + Show(port));
        const unsigned number = static_cast<unsigned>(std::stoul(digits));
        FUZZ_CHECK(number > previous, "COM" + std::to_string(number) + " after COM" +
                                          std::to_string(previous) + ": " + Show(port));
        previous = number;
        byNumber[number] = &port;

        FUZZ_CHECK(tree.MadeNumbers().count(number) == 1,
                   "COM" + std::to_string(number) + " listed, but the tree made no such port: " + Show(port));
        FUZZ_CHECK(display.size() < 256, "display name longer than its property buffer: " + Show(port));
        FUZZ_CHECK(port.m_strDescription + " (COM" + digits + ")" == display,
                   "description and display name disagree: " + Show(port));
        FUZZ_CHECK(!port.m_strOpenPath.empty() && port.m_strComName.empty() &&
                       (port.m_bOnUsb == FALSE || port.m_bOnUsb == TRUE),
                   "malformed record: " + Show(port));

        const std::string listed = PortNumberFromDisplayName(display);
        FUZZ_CHECK(listed == digits, "the port list shows \"" + Escape(listed) + "\" for COM" +
                                         digits + ": " + Show(port));
    }
    for (const auto& [number, link] : tree.ExpectedLinks()) {
        const auto found = byNumber.find(number);
        FUZZ_CHECK(found != byNumber.end() && found->second->m_strOpenPath == link &&
                       found->second->m_strDisplayName ==
                           "Virtual serial port (COM" + std::to_string(number) + ")",
                   "link " + link + " not listed as itself" +
                       (found == byNumber.end() ? std::string() : ": " + Show(*found->second)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SWorkDirs& dirs = WorkDirs();
    fs::create_directories(dirs.tree);
    fs::create_directories(dirs.links);
    ::chmod(dirs.links.c_str(), 0700);

    FuzzedDataProvider input(data, size);
    CTreeBuilder tree(input, dirs);
    tree.Build();

    SerInfoArray ports;
    std::optional<std::string> failure;
    CLinuxPortPlatform platform((dirs.tree / "sys").string(), (dirs.tree / "dev").string());
    try {
        CollectSerialPorts(ports, platform);
    } catch (const std::string& message) {
        failure = message;
    }
    // Gone before any check can end the run, so no input leaves a tree behind.
    std::error_code ignored;
    fs::remove_all(dirs.base, ignored);

    if (failure) {
        FUZZ_CHECK(IsDocumentedMessage(*failure), "undocumented failure message \"" + Escape(*failure) + "\"");
        return 0;
    }
    CheckPorts(ports, tree);
    return 0;
}
