// One serial port handle: open with fixed line settings (9600 baud, 8 data
// bits, no parity, one stop bit, no flow control), time-outs, one write, one
// read, close. Every failing system call throws CSerialException.
#pragma once

#include "SerialOs.h"

class CSerialPort {
public:
    CSerialPort();
    explicit CSerialPort(ISerialOs& os);
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Closes an open port first. A failing open leaves the port closed; a
    // failure while applying the line settings leaves it open.
    void Open(const char* path);
    // Reads return at once with whatever has arrived, possibly nothing.
    void SetImmediateReads();
    // Writes have no time-out.
    void ClearWriteTimeouts();
    void Write(const void* data, DWORD length);
    void Read(void* buffer, DWORD size);
    // Never throws; does nothing when the port is closed.
    void Close();

    bool IsOpen() const { return m_hPort != INVALID_HANDLE_VALUE; }

    // One exchange: open the path, immediate reads, no write time-outs, write
    // the whole line, pause, zero replySize bytes of reply, one read of at
    // most replySize bytes, close. A throw leaves the port as the failing
    // call left it; the caller decides whether to close it.
    void Exchange(const char* path, const void* line, DWORD lineLength,
                  void* reply, DWORD replySize);

    static constexpr DWORD kExchangePauseMs = 150;

private:
    HANDLE m_hPort;
    ISerialOs* m_os;
};
