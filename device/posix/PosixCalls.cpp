#include "PosixCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

int PosixCalls::open(const char* path, int flags) { return ::open(path, flags); }
int PosixCalls::close(int fd) { return ::close(fd); }
ssize_t PosixCalls::read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }
ssize_t PosixCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int PosixCalls::flock(int fd, int operation) { return ::flock(fd, operation); }
int PosixCalls::ioctl(int fd, unsigned long request, void* argument) { return ::ioctl(fd, request, argument); }
int PosixCalls::tcgetattr(int fd, termios* tio) { return ::tcgetattr(fd, tio); }
int PosixCalls::tcsetattr(int fd, int when, const termios* tio) { return ::tcsetattr(fd, when, tio); }
int PosixCalls::tcflush(int fd, int queue) { return ::tcflush(fd, queue); }
int PosixCalls::poll(pollfd* fds, nfds_t count, int timeoutMs) { return ::poll(fds, count, timeoutMs); }

PosixCalls& SystemPosixCalls()
{
    static PosixCalls calls;
    return calls;
}
