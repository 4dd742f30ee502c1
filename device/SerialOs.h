// The narrow interface through which CSerialPort reaches the operating
// system: one operation per system call of the serial link. Each backend
// (POSIX, Win32, the scripted test fake) is a short file behind it.
#pragma once

#include <string>

#include "PlatformTypes.h"

// The line settings the serial link reads and writes back, field for field
// as the Windows DCB has them. A backend maps what its system knows and keeps
// the rest as reported, so a read-modify-write leaves those fields unchanged.
struct CommState {
    DWORD BaudRate = 0;
    bool fBinary = true;
    bool fParity = false;
    bool fOutxCtsFlow = false;
    bool fOutxDsrFlow = false;
    BYTE fDtrControl = 0;
    bool fDsrSensitivity = false;
    bool fTXContinueOnXoff = false;
    bool fOutX = false;
    bool fInX = false;
    bool fErrorChar = false;
    bool fNull = false;
    BYTE fRtsControl = 0;
    bool fAbortOnError = false;
    WORD XonLim = 0;
    WORD XoffLim = 0;
    BYTE ByteSize = 8;
    BYTE Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    BYTE StopBits = 0;  // 0 one, 1 one and a half, 2 two
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;

    bool operator==(const CommState&) const = default;
};

inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ONESTOPBIT = 0;

// Time-outs in milliseconds, as the Windows COMMTIMEOUTS has them.
struct CommTimeouts {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;

    bool operator==(const CommTimeouts&) const = default;
};

class ISerialOs {
public:
    virtual ~ISerialOs() = default;

    // Opens a port for reading and writing, exclusively (no sharing), only if
    // it exists. INVALID_HANDLE_VALUE on failure.
    virtual HANDLE OpenPort(const char* path) = 0;
    virtual bool GetLineState(HANDLE port, CommState& state) = 0;
    virtual bool SetLineState(HANDLE port, const CommState& state) = 0;
    virtual bool GetTimeouts(HANDLE port, CommTimeouts& timeouts) = 0;
    virtual bool SetTimeouts(HANDLE port, const CommTimeouts& timeouts) = 0;
    virtual bool WritePort(HANDLE port, const void* data, DWORD length, DWORD& written) = 0;
    virtual bool ReadPort(HANDLE port, void* buffer, DWORD size, DWORD& received) = 0;
    virtual void ClosePort(HANDLE port) = 0;
    virtual void Pause(DWORD milliseconds) = 0;
    // The error code of the call that has just failed on this thread.
    virtual DWORD LastError() = 0;
    // The system's text for an error code, or an empty text when it has none.
    virtual std::string ErrorText(DWORD code) = 0;
};

// The backend of the platform this program was built for.
ISerialOs& SystemSerialOs();
