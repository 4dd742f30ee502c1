// The serial backend for Windows: the communications functions of the
// system, called as the serial link has always called them.
#include <string>

#include "SerialOs.h"

namespace {

void ToCommState(const DCB& dcb, CommState& s)
{
    s.BaudRate = dcb.BaudRate;
    s.fBinary = dcb.fBinary != 0;
    s.fParity = dcb.fParity != 0;
    s.fOutxCtsFlow = dcb.fOutxCtsFlow != 0;
    s.fOutxDsrFlow = dcb.fOutxDsrFlow != 0;
    s.fDtrControl = static_cast<BYTE>(dcb.fDtrControl);
    s.fDsrSensitivity = dcb.fDsrSensitivity != 0;
    s.fTXContinueOnXoff = dcb.fTXContinueOnXoff != 0;
    s.fOutX = dcb.fOutX != 0;
    s.fInX = dcb.fInX != 0;
    s.fErrorChar = dcb.fErrorChar != 0;
    s.fNull = dcb.fNull != 0;
    s.fRtsControl = static_cast<BYTE>(dcb.fRtsControl);
    s.fAbortOnError = dcb.fAbortOnError != 0;
    s.XonLim = dcb.XonLim;
    s.XoffLim = dcb.XoffLim;
    s.ByteSize = dcb.ByteSize;
    s.Parity = dcb.Parity;
    s.StopBits = dcb.StopBits;
    s.XonChar = dcb.XonChar;
    s.XoffChar = dcb.XoffChar;
    s.ErrorChar = dcb.ErrorChar;
    s.EofChar = dcb.EofChar;
    s.EvtChar = dcb.EvtChar;
}

// Every field of the DCB but the reserved ones, which must stay zero.
void FromCommState(const CommState& s, DCB& dcb)
{
    dcb.BaudRate = s.BaudRate;
    dcb.fBinary = s.fBinary;
    dcb.fParity = s.fParity;
    dcb.fOutxCtsFlow = s.fOutxCtsFlow;
    dcb.fOutxDsrFlow = s.fOutxDsrFlow;
    dcb.fDtrControl = s.fDtrControl;
    dcb.fDsrSensitivity = s.fDsrSensitivity;
    dcb.fTXContinueOnXoff = s.fTXContinueOnXoff;
    dcb.fOutX = s.fOutX;
    dcb.fInX = s.fInX;
    dcb.fErrorChar = s.fErrorChar;
    dcb.fNull = s.fNull;
    dcb.fRtsControl = s.fRtsControl;
    dcb.fAbortOnError = s.fAbortOnError;
    dcb.XonLim = s.XonLim;
    dcb.XoffLim = s.XoffLim;
    dcb.ByteSize = s.ByteSize;
    dcb.Parity = s.Parity;
    dcb.StopBits = s.StopBits;
    dcb.XonChar = s.XonChar;
    dcb.XoffChar = s.XoffChar;
    dcb.ErrorChar = s.ErrorChar;
    dcb.EofChar = s.EofChar;
    dcb.EvtChar = s.EvtChar;
}

class Win32SerialOs final : public ISerialOs {
public:
    HANDLE OpenPort(const char* path) override
    {
        // Share mode 0: nobody else can open the port while it is held.
        return ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    bool GetLineState(HANDLE port, CommState& state) override
    {
        DCB dcb {};
        dcb.DCBlength = sizeof dcb;
        if (!::GetCommState(port, &dcb))
            return false;
        ToCommState(dcb, state);
        return true;
    }

    bool SetLineState(HANDLE port, const CommState& state) override
    {
        DCB dcb {};
        dcb.DCBlength = sizeof dcb;
        FromCommState(state, dcb);
        return ::SetCommState(port, &dcb) != 0;
    }

    bool GetTimeouts(HANDLE port, CommTimeouts& t) override
    {
        COMMTIMEOUTS ct {};
        if (!::GetCommTimeouts(port, &ct))
            return false;
        t = {ct.ReadIntervalTimeout, ct.ReadTotalTimeoutMultiplier, ct.ReadTotalTimeoutConstant,
             ct.WriteTotalTimeoutMultiplier, ct.WriteTotalTimeoutConstant};
        return true;
    }

    bool SetTimeouts(HANDLE port, const CommTimeouts& t) override
    {
        COMMTIMEOUTS ct {t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant,
                         t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant};
        return ::SetCommTimeouts(port, &ct) != 0;
    }

    bool WritePort(HANDLE port, const void* data, DWORD length, DWORD& written) override
    {
        written = 0;
        return ::WriteFile(port, data, length, &written, nullptr) != 0;
    }

    bool ReadPort(HANDLE port, void* buffer, DWORD size, DWORD& received) override
    {
        received = 0;
        return ::ReadFile(port, buffer, size, &received, nullptr) != 0;
    }

    void ClosePort(HANDLE port) override { ::CloseHandle(port); }
    void Pause(DWORD milliseconds) override { ::Sleep(milliseconds); }
    DWORD LastError() override { return ::GetLastError(); }

    std::string ErrorText(DWORD code) override
    {
        char* text = nullptr;
        const DWORD length = ::FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
            code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
        if (length == 0 || text == nullptr)
            return {};
        std::string result(text, length);
        ::LocalFree(text);
        return result;
    }
};

}  // namespace

ISerialOs& SystemSerialOs()
{
    static Win32SerialOs os;
    return os;
}
