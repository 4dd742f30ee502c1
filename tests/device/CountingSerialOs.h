// Passes every call through to the real backend and counts the opens, so a
// test against the simulator can tell how many exchanges a run made.
#pragma once

#include "SerialOs.h"

class CountingSerialOs final : public ISerialOs {
public:
    explicit CountingSerialOs(ISerialOs& inner) : m_inner(inner) {}

    int opens = 0;
    int closes = 0;

    HANDLE OpenPort(const char* path) override;
    bool GetLineState(HANDLE p, CommState& s) override { return m_inner.GetLineState(p, s); }
    bool SetLineState(HANDLE p, const CommState& s) override { return m_inner.SetLineState(p, s); }
    bool GetTimeouts(HANDLE p, CommTimeouts& t) override { return m_inner.GetTimeouts(p, t); }
    bool SetTimeouts(HANDLE p, const CommTimeouts& t) override { return m_inner.SetTimeouts(p, t); }
    bool WritePort(HANDLE p, const void* d, DWORD n, DWORD& w) override { return m_inner.WritePort(p, d, n, w); }
    bool ReadPort(HANDLE p, void* b, DWORD n, DWORD& r) override { return m_inner.ReadPort(p, b, n, r); }
    void ClosePort(HANDLE p) override;
    void Pause(DWORD ms) override { m_inner.Pause(ms); }
    DWORD LastError() override { return m_inner.LastError(); }
    std::string ErrorText(DWORD code) override { return m_inner.ErrorText(code); }

private:
    ISerialOs& m_inner;
};
