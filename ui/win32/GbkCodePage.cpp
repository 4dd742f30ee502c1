#include "GbkCodePage.h"

#include "WideText.h"

namespace {

constexpr UINT kGbk = 936;
constexpr wchar_t kReplacement = L'\uFFFD';

bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// One character of 936 (one or two bytes), or nothing when the bytes form
// none.
bool DecodeCharacter(const char* bytes, int nCount, std::wstring& out)
{
    wchar_t wide[2];
    const int nWide =
        ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes, nCount, wide, 2);
    if (nWide <= 0)
        return false;
    out.append(wide, static_cast<std::size_t>(nWide));
    return true;
}

}  // namespace

std::optional<std::string> CGbkCodePage::Encode(const std::string& utf8) const
{
    const std::wstring wide = Widen(utf8);
    if (wide.empty())
        return std::string();
    const int nWide = static_cast<int>(wide.size());
    // No best-fit mapping: a character without a form of its own must be
    // refused, not sent as a look-alike or as "?".
    BOOL bUsedDefault = FALSE;
    const int nBytes = ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), nWide,
                                             nullptr, 0, nullptr, &bUsedDefault);
    if (nBytes <= 0 || bUsedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(nBytes), '\0');
    ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), nWide, bytes.data(), nBytes,
                          nullptr, &bUsedDefault);
    return bytes;
}

std::string CGbkCodePage::Decode(const std::string& bytes) const
{
    // Byte by byte, so that a byte that starts no character becomes one
    // replacement character and everything after it is still read.
    std::wstring wide;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            wide.push_back(static_cast<wchar_t>(byte));
            ++i;
        } else if (IsLeadByte(byte) && i + 1 < bytes.size() &&
                   DecodeCharacter(bytes.data() + i, 2, wide)) {
            i += 2;
        } else {
            if (IsLeadByte(byte) || !DecodeCharacter(bytes.data() + i, 1, wide))
                wide.push_back(kReplacement);
            ++i;
        }
    }
    return Narrow(wide);
}
