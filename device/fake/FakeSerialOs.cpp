#include "FakeSerialOs.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr DWORD kInvalidHandleError = 6;  // the code Windows gives for a bad handle
}

const char* SerialCallName(SerialCall call)
{
    switch (call) {
    case SerialCall::OpenPort: return "OpenPort";
    case SerialCall::GetLineState: return "GetLineState";
    case SerialCall::SetLineState: return "SetLineState";
    case SerialCall::GetTimeouts: return "GetTimeouts";
    case SerialCall::SetTimeouts: return "SetTimeouts";
    case SerialCall::WritePort: return "WritePort";
    case SerialCall::ReadPort: return "ReadPort";
    case SerialCall::ClosePort: return "ClosePort";
    case SerialCall::Pause: return "Pause";
    }
    return "?";
}

void FakeSerialOs::FailOn(SerialCall call, DWORD code, int occurrence)
{
    m_failures[call][occurrence] = code;
}

int FakeSerialOs::CallCount(SerialCall call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

bool FakeSerialOs::Enter(SerialCall call)
{
    calls.push_back(call);
    const int occurrence = ++m_counts[call];
    auto kind = m_failures.find(call);
    if (kind == m_failures.end())
        return true;
    auto failure = kind->second.find(occurrence);
    if (failure == kind->second.end())
        return true;
    m_lastError = failure->second;
    return false;
}

bool FakeSerialOs::IsOpen(HANDLE port)
{
    if (m_open.count(port) != 0)
        return true;
    m_lastError = kInvalidHandleError;
    return false;
}

HANDLE FakeSerialOs::OpenPort(const char* path)
{
    openedPaths.emplace_back(path);
    if (!Enter(SerialCall::OpenPort))
        return INVALID_HANDLE_VALUE;
    const HANDLE handle = m_nextHandle++;
    m_open.insert(handle);
    m_state = driverState;
    m_timeouts = driverTimeouts;
    return handle;
}

bool FakeSerialOs::GetLineState(HANDLE port, CommState& state)
{
    if (!Enter(SerialCall::GetLineState) || !IsOpen(port))
        return false;
    state = m_state;
    return true;
}

bool FakeSerialOs::SetLineState(HANDLE port, const CommState& state)
{
    if (!Enter(SerialCall::SetLineState) || !IsOpen(port))
        return false;
    statesSet.push_back(state);
    m_state = state;
    return true;
}

bool FakeSerialOs::GetTimeouts(HANDLE port, CommTimeouts& timeouts)
{
    if (!Enter(SerialCall::GetTimeouts) || !IsOpen(port))
        return false;
    timeouts = m_timeouts;
    return true;
}

bool FakeSerialOs::SetTimeouts(HANDLE port, const CommTimeouts& timeouts)
{
    if (!Enter(SerialCall::SetTimeouts) || !IsOpen(port))
        return false;
    timeoutsSet.push_back(timeouts);
    m_timeouts = timeouts;
    return true;
}

bool FakeSerialOs::WritePort(HANDLE port, const void* data, DWORD length, DWORD& count)
{
    count = 0;
    if (!Enter(SerialCall::WritePort) || !IsOpen(port))
        return false;
    written.emplace_back(static_cast<const char*>(data), length);
    count = length;
    return true;
}

bool FakeSerialOs::ReadPort(HANDLE port, void* buffer, DWORD size, DWORD& received)
{
    received = 0;
    readSizes.push_back(size);
    if (!Enter(SerialCall::ReadPort) || !IsOpen(port))
        return false;
    if (m_replies.empty())
        return true;
    const std::string reply = std::move(m_replies.front());
    m_replies.pop_front();
    received = static_cast<DWORD>(std::min<std::size_t>(reply.size(), size));
    std::memcpy(buffer, reply.data(), received);
    return true;
}

void FakeSerialOs::ClosePort(HANDLE port)
{
    Enter(SerialCall::ClosePort);
    closed.push_back(port);
    m_open.erase(port);
}

void FakeSerialOs::Pause(DWORD milliseconds)
{
    Enter(SerialCall::Pause);
    pauses.push_back(milliseconds);
}

std::string FakeSerialOs::ErrorText(DWORD code)
{
    auto it = m_errorTexts.find(code);
    return it == m_errorTexts.end() ? std::string() : it->second;
}
