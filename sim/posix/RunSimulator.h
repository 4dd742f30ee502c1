// Sets up the simulated terminal on a fresh pseudo-terminal, announces it and
// serves until stopped. Returns the exit status; start-up failures throw
// SimError with a message for the user.
#pragma once

#include "SimOptions.h"

int RunSimulator(const SimOptions& options);
