// The POSIX system calls of the serial backend behind one seam, so tests can
// inject EINTR, short writes and failures into a real exchange.
#pragma once

#include <poll.h>
#include <sys/types.h>
#include <termios.h>

#include <memory>

class ISerialOs;

class PosixCalls {
public:
    virtual ~PosixCalls() = default;
    virtual int open(const char* path, int flags);
    virtual int close(int fd);
    virtual ssize_t read(int fd, void* buffer, size_t size);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int flock(int fd, int operation);
    virtual int ioctl(int fd, unsigned long request, void* argument);
    virtual int tcgetattr(int fd, termios* tio);
    virtual int tcsetattr(int fd, int when, const termios* tio);
    virtual int tcflush(int fd, int queue);
    virtual int poll(pollfd* fds, nfds_t count, int timeoutMs);
};

// The calls as the C library makes them.
PosixCalls& SystemPosixCalls();

// A POSIX serial backend over other calls.
std::unique_ptr<ISerialOs> MakePosixSerialOs(PosixCalls& calls);
