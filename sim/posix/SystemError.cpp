#include "SystemError.h"

#include <cstring>

SimError SystemError(const std::string& what, int err)
{
    return SimError(what + ": " + std::strerror(err));
}
