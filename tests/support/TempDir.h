// A temporary directory that is removed with everything in it when the
// object goes, and a scope that points XDG_RUNTIME_DIR at one, so that each
// test process has its own port-link directory and suites run in parallel.
#pragma once

#include <optional>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

class ScopedRuntimeDir {
public:
    ScopedRuntimeDir();
    ~ScopedRuntimeDir();
    ScopedRuntimeDir(const ScopedRuntimeDir&) = delete;
    ScopedRuntimeDir& operator=(const ScopedRuntimeDir&) = delete;

    const std::string& Path() const { return m_dir.Path(); }

private:
    TempDir m_dir;
    std::optional<std::string> m_previous;
};
