// VADire.exe itself under Wine, on a display: the window appears with its
// caption, its port list offers the simulated terminal's port, and a MAC
// Read driven by mouse and keyboard input (SendInput, through the system's
// input queue like a real device) goes over the wire and copies the address
// into the MAC field. A picture of the window is saved in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Resource.h"
#include "ScreenCapture.h"
#include "WideText.h"
#include "WineHarness.h"

namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kCaption = L"Orvane VADire(Build Date 2017-05-11)";

// Polls until done() holds, at most timeout.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The program as a child process, ended by force if a test leaves it running.
class CProgram {
public:
    explicit CProgram(const std::string& path)
    {
        std::wstring commandLine = L"\"" + Widen(path) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &m_info)) {
            ::CloseHandle(m_info.hThread);
            m_info.hThread = nullptr;
        }
    }
    ~CProgram()
    {
        if (m_info.hProcess == nullptr)
            return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_info.hProcess, 1);
        ::CloseHandle(m_info.hProcess);
    }
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }

    // The visible top-level window of this process with the caption.
    HWND FindWindowWithCaption(const wchar_t* caption) const
    {
        const HWND hWnd = ::FindWindowW(nullptr, caption);
        DWORD pid = 0;
        if (hWnd != nullptr)
            ::GetWindowThreadProcessId(hWnd, &pid);
        return pid == m_info.dwProcessId && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
    }

    bool Ended(std::chrono::milliseconds timeout) const
    {
        return ::WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) ==
               WAIT_OBJECT_0;
    }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_info{};
};

// Texts of another process's controls, through the messages the system
// carries across processes.
std::wstring TextOf(HWND hWnd)
{
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

std::vector<std::wstring> ItemsOf(HWND hWnd, UINT getCount, UINT getText)
{
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(hWnd, getCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        ::SendMessageW(hWnd, getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

// Mouse and keyboard input, as a device would give it.
void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT point)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((point.x * 65535 + cx / 2) / (cx - 1));
    move.mi.dy = static_cast<LONG>((point.y * 65535 + cy / 2) / (cy - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send({move});
    std::this_thread::sleep_for(50ms);
    Send({down, up});
}

// Clicks a control dx pixels from its left edge (its middle when dx < 0),
// half way down.
void ClickControl(HWND hControl, int dx = -1)
{
    RECT rect{};
    ::GetWindowRect(hControl, &rect);
    ClickAt({dx < 0 ? (rect.left + rect.right) / 2 : rect.left + dx, (rect.top + rect.bottom) / 2});
}

void PressKey(WORD vk)
{
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = vk;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    Send({down, up});
}

// The value that follows the MAC key in a reply, without its quotes.
std::wstring MacInReply(const std::wstring& reply)
{
    const std::wstring key = L"XP3301 A \"";
    const std::size_t start = reply.find(key);
    if (start == std::wstring::npos)
        return L"(no key)";
    const std::size_t end = reply.find(L'"', start + key.size());
    return reply.substr(start + key.size(), end - start - key.size());
}

TEST(ProgramWindowOnWine, MacReadByMouseAndKeyboardGoesOverTheWireAndFillsTheMacField)
{
    const CWireLog wire;
    CProgram program(VADIRE_EXE_PATH);
    ASSERT_TRUE(program.Started()) << VADIRE_EXE_PATH << ": " << ::GetLastError();

    HWND hDlg = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (hDlg = program.FindWindowWithCaption(kCaption)) != nullptr; }, 20s))
        << "no window with the caption";

    const HWND hPort = ::GetDlgItem(hDlg, IDC_COMBO_PORT);
    const HWND hMacRadio = ::GetDlgItem(hDlg, IDC_RADIO_MAC);
    const HWND hMac = ::GetDlgItem(hDlg, IDC_EDIT_MAC);
    const HWND hList = ::GetDlgItem(hDlg, IDC_LIST_RESULT);
    ASSERT_TRUE(hPort && hMacRadio && hMac && hList);

    // Discovery ran before the window was shown.
    const std::vector<std::wstring> ports = ItemsOf(hPort, CB_GETCOUNT, CB_GETLBTEXT);
    EXPECT_NE(std::find(ports.begin(), ports.end(), Widen(SimulatorPort())), ports.end());
    EXPECT_EQ(TextOf(hMac), L"02:5A:C1:::");

    // "MAC地址", then the port typed into the port list's edit field, then "读取".
    ClickControl(hMacRadio);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(hMacRadio, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
    ClickControl(hPort, 8);
    for (const char digit : SimulatorPort())
        PressKey(static_cast<WORD>(digit));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(hPort) == Widen(SimulatorPort()); }, 5s)) << Narrow(TextOf(hPort));
    ClickControl(::GetDlgItem(hDlg, IDC_READ));

    std::vector<std::wstring> result;
    ASSERT_TRUE(WaitUntil(
        [&] {
            result = ItemsOf(hList, LB_GETCOUNT, LB_GETTEXT);
            return result.size() == 2 && result[0] == Widen("通讯结果：");
        },
        10s));
    EXPECT_EQ(wire.WaitForLines(2, 2s), (std::vector<std::string>{"XP0000 0958\r\n", "XP3301\r\n"}));

    const std::wstring mac = MacInReply(result[1]);
    EXPECT_EQ(mac.size(), 17u) << Narrow(result[1]);
    EXPECT_EQ(mac.rfind(L"02:5A:C1:", 0), 0u) << Narrow(result[1]);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(hMac) == mac; }, 2s)) << Narrow(TextOf(hMac));

    RECT window{};
    ::GetWindowRect(hDlg, &window);
    EXPECT_EQ(SaveScreenPng(window, WinePath(VADIRE_SCREENSHOT_PATH)), "");

    // Escape ends the dialog, and with it the program.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(program.Ended(10s));
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
