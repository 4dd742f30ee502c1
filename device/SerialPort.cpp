#include "SerialPort.h"

#include <cstring>

#include "SerialException.h"

namespace {

// 9600 baud, 8 data bits, no parity, one stop bit, no flow control. Every
// other field stays as the driver reported it (DTR/RTS control included).
void ApplyFixedLineSettings(CommState& state)
{
    state.BaudRate = 9600;
    state.fOutxCtsFlow = false;
    state.fOutxDsrFlow = false;
    state.fDsrSensitivity = false;
    state.fOutX = false;
    state.fInX = false;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
}

}  // namespace

CSerialPort::CSerialPort() : CSerialPort(SystemSerialOs()) {}

CSerialPort::CSerialPort(ISerialOs& os) : m_hPort(INVALID_HANDLE_VALUE), m_os(&os) {}

CSerialPort::~CSerialPort()
{
    Close();
}

void CSerialPort::Open(const char* path)
{
    Close();
    m_hPort = m_os->OpenPort(path);
    if (m_hPort == INVALID_HANDLE_VALUE)
        RaiseSerialError(m_os->LastError());

    CommState state;
    if (!m_os->GetLineState(m_hPort, state))
        RaiseSerialError(m_os->LastError());
    ApplyFixedLineSettings(state);
    if (!m_os->SetLineState(m_hPort, state))
        RaiseSerialError(m_os->LastError());
}

void CSerialPort::SetImmediateReads()
{
    CommTimeouts timeouts;
    if (!m_os->GetTimeouts(m_hPort, timeouts))
        RaiseSerialError(m_os->LastError());
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    if (!m_os->SetTimeouts(m_hPort, timeouts))
        RaiseSerialError(m_os->LastError());
}

void CSerialPort::ClearWriteTimeouts()
{
    CommTimeouts timeouts;
    if (!m_os->GetTimeouts(m_hPort, timeouts))
        RaiseSerialError(m_os->LastError());
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    if (!m_os->SetTimeouts(m_hPort, timeouts))
        RaiseSerialError(m_os->LastError());
}

void CSerialPort::Write(const void* data, DWORD length)
{
    DWORD written = 0;
    if (!m_os->WritePort(m_hPort, data, length, written))
        RaiseSerialError(m_os->LastError());
}

void CSerialPort::Read(void* buffer, DWORD size)
{
    DWORD received = 0;
    if (!m_os->ReadPort(m_hPort, buffer, size, received))
        RaiseSerialError(m_os->LastError());
}

void CSerialPort::Close()
{
    if (m_hPort == INVALID_HANDLE_VALUE)
        return;
    m_os->ClosePort(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
}

void CSerialPort::Exchange(const char* path, const void* line, DWORD lineLength,
                           void* reply, DWORD replySize)
{
    Open(path);
    SetImmediateReads();
    ClearWriteTimeouts();
    Write(line, lineLength);
    m_os->Pause(kExchangePauseMs);
    std::memset(reply, 0, replySize);
    Read(reply, replySize);
    Close();
}
