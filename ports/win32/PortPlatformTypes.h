// On Windows port discovery exchanges the system's own types with SetupAPI
// and the registry.
#pragma once

#include "PlatformTypes.h"

#include <setupapi.h>
