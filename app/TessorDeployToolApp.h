// The application: prepares the toolkit, runs the main dialog modally until
// the operator closes it, and ends. One static instance exists per process.
#pragma once

#include "PlatformTypes.h"

class CTessorDeployToolApp {
public:
    CTessorDeployToolApp() = default;
    virtual ~CTessorDeployToolApp() = default;
    CTessorDeployToolApp(const CTessorDeployToolApp&) = delete;
    CTessorDeployToolApp& operator=(const CTessorDeployToolApp&) = delete;

    // The program's start-up: creates the toolkit's application object with
    // the name, version and icon of the tool, then runs InitInstance. The
    // tool sets no exit status of its own: 0.
    int Run(int& argc, char** argv);

    // Runs the main dialog modally; FALSE, as there is no message loop of the
    // application's own to start afterwards.
    virtual BOOL InitInstance();
};
