// A scripted serial backend for tests: records every call, answers reads
// from a queue, and makes any single call fail with a chosen error code.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SerialOs.h"

enum class SerialCall {
    OpenPort,
    GetLineState,
    SetLineState,
    GetTimeouts,
    SetTimeouts,
    WritePort,
    ReadPort,
    ClosePort,
    Pause,
};

const char* SerialCallName(SerialCall call);

class FakeSerialOs final : public ISerialOs {
public:
    // The occurrence-th call (counting from 1) of that kind fails with code.
    void FailOn(SerialCall call, DWORD code, int occurrence = 1);
    // The next read returns these bytes (at most the size asked for).
    void QueueReply(std::string bytes) { m_replies.push_back(std::move(bytes)); }
    void SetErrorText(DWORD code, std::string text) { m_errorTexts[code] = std::move(text); }

    std::size_t OpenHandleCount() const { return m_open.size(); }
    int CallCount(SerialCall call) const;

    HANDLE OpenPort(const char* path) override;
    bool GetLineState(HANDLE port, CommState& state) override;
    bool SetLineState(HANDLE port, const CommState& state) override;
    bool GetTimeouts(HANDLE port, CommTimeouts& timeouts) override;
    bool SetTimeouts(HANDLE port, const CommTimeouts& timeouts) override;
    bool WritePort(HANDLE port, const void* data, DWORD length, DWORD& written) override;
    bool ReadPort(HANDLE port, void* buffer, DWORD size, DWORD& received) override;
    void ClosePort(HANDLE port) override;
    void Pause(DWORD milliseconds) override;
    DWORD LastError() override { return m_lastError; }
    std::string ErrorText(DWORD code) override;

    // What the driver reports before the first change.
    CommState driverState;
    CommTimeouts driverTimeouts;

    std::vector<SerialCall> calls;
    std::vector<std::string> openedPaths;
    std::vector<std::string> written;
    std::vector<CommState> statesSet;
    std::vector<CommTimeouts> timeoutsSet;
    std::vector<DWORD> readSizes;
    std::vector<DWORD> pauses;
    std::vector<HANDLE> closed;

private:
    // Records the call; false (with the last error set) when it is to fail.
    bool Enter(SerialCall call);
    bool IsOpen(HANDLE port);

    std::map<SerialCall, std::map<int, DWORD>> m_failures;
    std::map<SerialCall, int> m_counts;
    std::deque<std::string> m_replies;
    std::map<DWORD, std::string> m_errorTexts;
    std::set<HANDLE> m_open;
    CommState m_state;
    CommTimeouts m_timeouts;
    HANDLE m_nextHandle = 100;
    DWORD m_lastError = 0;
};
