// Failures of system calls, carried as readable text: "<what>: <strerror>".
#pragma once

#include <stdexcept>
#include <string>

class SimError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// what: what was attempted ("cannot open /dev/ptmx"); err: the errno value.
SimError SystemError(const std::string& what, int err);
