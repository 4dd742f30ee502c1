// Turns a DeviceOperation into the terminal's command lines and runs each
// line as one serial exchange. Holds the request parameters between runs.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "DeviceOperation.h"
#include "SerialPort.h"

// The reply buffer's heap: malloc and free unless a test says otherwise.
// The caller always releases the buffer handed back with free.
struct ReplyHeap {
    void* (*allocate)(std::size_t) = [](std::size_t size) { return std::malloc(size); };
    void (*release)(void*) = [](void* buffer) { std::free(buffer); };
};

class CDeviceLink {
public:
    CDeviceLink();
    // For tests: another system backend, another heap for the reply.
    explicit CDeviceLink(ISerialOs& os, ReplyHeap heap = {});

    // The port text as the operator chose it, the decimal COM number.
    void SetPort(std::string port);
    // Each value is trimmed of blanks at both ends and stored as " value"
    // (for the MAC " \"value\""), or empty when nothing is left.
    void SetProductType(std::string value);
    void SetMac(std::string value);
    void SetIp(std::string value);
    void SetUsid(std::string value);
    void SetUcid(std::string value);

    // Runs every step of op. *ppReply always receives one buffer from
    // malloc (kReplyBufferSize bytes, zero-terminated), which the caller
    // frees; null only when it could not be allocated. TRUE: every exchange
    // completed and the buffer holds the last step's reply. FALSE: a step
    // failed (the port is closed again), the port number does not fit the
    // port path, or op is not an operation; the buffer is not to be read.
    BOOL Execute(DeviceOperation op, char** ppReply);

    // The command lines of op for the current direction and parameters, each
    // ending in CR LF, in the order they are sent. Empty for an unknown op.
    std::vector<std::string> CommandLines(DeviceOperation op) const;

    // "\\.\COM<n>" for the port text, n as atoi reads it; false when it does
    // not fit the 12-byte path buffer (more than four characters of number).
    static bool FormatPortPath(const std::string& port, char (&path)[12]);

    static constexpr std::size_t kReplyReadSize = 256;
    // One byte more than a read can fill, so the reply is always terminated.
    static constexpr std::size_t kReplyBufferSize = kReplyReadSize + 1;

private:
    CSerialPort m_port;
    std::string m_strProductTypeParam;
    std::string m_strMacParam;
    std::string m_strPort;
    std::string m_strIpParam;
    std::string m_strUsidParam;
    std::string m_strUcidParam;

public:
    // Direction of the next run: true Read, false Write. The caller sets it
    // before every run.
    bool m_bRead = false;

private:
    ReplyHeap m_replyHeap;
};
