// The application on Windows: prepares the common controls, runs the main
// dialog modally until the operator closes it, and ends. One static
// instance exists per process; WinMain drives it.
#pragma once

#include <string>

#include "PlatformTypes.h"

class CTessorDeployToolApp {
public:
    CTessorDeployToolApp() = default;
    virtual ~CTessorDeployToolApp() = default;
    CTessorDeployToolApp(const CTessorDeployToolApp&) = delete;
    CTessorDeployToolApp& operator=(const CTessorDeployToolApp&) = delete;

    // Returns FALSE: the modal dialog ran its own message loop, so there is
    // none of the application's own to start afterwards.
    virtual BOOL InitInstance();

    // The registry key the application is named under. Nothing is read from
    // or written to it.
    const std::wstring& RegistryKey() const { return m_strRegistryKey; }

private:
    std::wstring m_strRegistryKey;
};
