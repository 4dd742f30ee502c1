#include "WideText.h"

#include <vector>

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int nSize = static_cast<int>(utf8.size());
    const int nWide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nSize, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nSize, wide.data(), nWide);
    return wide;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int nSize = static_cast<int>(utf16.size());
    const int nBytes =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), nSize, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), nSize, narrow.data(), nBytes, nullptr,
                          nullptr);
    return narrow;
}

std::string WindowTextUtf8(HWND hWnd)
{
    const int nLength = ::GetWindowTextLengthW(hWnd);
    if (nLength <= 0)
        return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(nLength) + 1, L'\0');
    const int nCopied = ::GetWindowTextW(hWnd, text.data(), nLength + 1);
    return Narrow(std::wstring_view(text.data(), static_cast<std::size_t>(nCopied)));
}
