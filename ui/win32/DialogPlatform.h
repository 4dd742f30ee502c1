// On Windows the message-box types and standard ids come from the system.
#pragma once

#include "PlatformTypes.h"
