#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vadire-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ScopedRuntimeDir::ScopedRuntimeDir()
{
    if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
        m_previous = old;
    ::setenv("XDG_RUNTIME_DIR", m_dir.Path().c_str(), 1);
}

ScopedRuntimeDir::~ScopedRuntimeDir()
{
    if (m_previous)
        ::setenv("XDG_RUNTIME_DIR", m_previous->c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}
