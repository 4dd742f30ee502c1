// A pseudo-terminal for tests that talk to the serial backend directly: the
// test holds the master, the backend opens the slave by its path.
#pragma once

#include <string>

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

    void WriteToPort(const std::string& bytes);
    // The other end goes away, as when the cable is pulled.
    void HangUp();
    // Whatever the port side has written, waiting at most timeoutMs for the
    // first byte and then until `count` bytes have come or it goes quiet.
    std::string ReadFromPort(std::size_t count, int timeoutMs = 1000);

private:
    int m_master = -1;
    std::string m_slavePath;
};
