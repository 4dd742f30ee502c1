// A plain termios client for the simulator's port: opens a path raw at
// 9600 8N1, writes lines, and reads with deadlines. Closes the port when it
// goes.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

class SerialClient {
public:
    explicit SerialClient(const std::string& path);  // throws std::runtime_error
    ~SerialClient();
    SerialClient(const SerialClient&) = delete;
    SerialClient& operator=(const SerialClient&) = delete;

    void Send(std::string_view bytes);

    // Throws away what has arrived and not been read, as the device link
    // does right after opening a port.
    void DiscardInput();

    // Everything that arrives within the time.
    std::string ReadFor(std::chrono::milliseconds time);
    // Until `count` bytes have arrived or the time is up.
    std::string ReadCount(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(3));
    // Until CR LF has arrived or the time is up.
    std::string ReadLine(std::chrono::milliseconds limit = std::chrono::seconds(3));

    // Until the far end has gone away (the port is hung up) or the time is
    // up; true when it has.
    bool WaitForHangUp(std::chrono::milliseconds limit);

    void Close();

private:
    template <typename Done>
    std::string ReadUntil(std::chrono::milliseconds limit, Done done);

    int m_fd = -1;
};

// One exchange as the device link makes it: open, write the line with CR LF,
// read the reply line, close.
std::string ExchangeLine(const std::string& path, std::string_view line);
