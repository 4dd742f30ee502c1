// On Windows the serial layer uses the system's own types.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The serial layer names the DCB values NOPARITY and ONESTOPBIT as typed
// constants of its own (SerialOs.h), with the system's values (0 and 0);
// the system's macros of the same names would turn those declarations into
// numbers.
#undef NOPARITY
#undef ONESTOPBIT
