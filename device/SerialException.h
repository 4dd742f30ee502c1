// The failure of one serial system call, carrying the system's own error
// code (GetLastError on Windows, errno on POSIX).
#pragma once

#include <exception>

#include "PlatformTypes.h"

class CSerialException : public std::exception {
public:
    explicit CSerialException(DWORD errorCode) : m_dwErrorCode(errorCode) {}
    ~CSerialException() override = default;

    // The system's text for the code, copied into buffer (at most size - 1
    // bytes and always a terminating zero; longer text is cut). The help
    // context, when asked for, is always 0. FALSE with an empty buffer when
    // the system has no text for the code, or when buffer or size is unusable.
    virtual BOOL GetErrorText(char* buffer, UINT size, UINT* helpContext = nullptr) const;

    DWORD m_dwErrorCode;
};

// Throws CSerialException with code, or with the thread's last error when
// code is 0. Never returns.
[[noreturn]] void RaiseSerialError(DWORD code);
