#include "GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

class CIconv {
public:
    CIconv() : m_cd(::iconv_open("GBK", "UTF-8")) {}
    ~CIconv()
    {
        if (IsOpen())
            ::iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Bytes of the malformed or unconvertible sequence at the front: the lead
// byte and the continuation bytes that follow it, as far as its length says.
std::size_t SequenceLength(const char* text, std::size_t left)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF7)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    std::size_t taken = 1;
    while (taken < length && taken < left && IsContinuation(static_cast<unsigned char>(text[taken])))
        ++taken;
    return taken;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8)
{
    std::string out;
    const CIconv converter;
    if (!converter.IsOpen()) {
        // Without the converter ASCII still reads; everything else is unknown.
        for (std::size_t i = 0; i < utf8.size();) {
            if (static_cast<unsigned char>(utf8[i]) < 0x80) {
                out.push_back(utf8[i++]);
            } else {
                out.push_back('?');
                i += SequenceLength(utf8.data() + i, utf8.size() - i);
            }
        }
        return out;
    }

    // GBK never takes more than two bytes for a character UTF-8 writes in
    // one or more, so twice the input always holds the output.
    std::vector<char> buffer(utf8.size() * 2 + 1);
    std::vector<char> input(utf8.begin(), utf8.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outStart = buffer.data();
        char* outPtr = outStart;
        std::size_t outLeft = buffer.size();
        const std::size_t result = ::iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(outStart, outPtr);
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;  // cannot happen with the size above; keep going if it does
        // EILSEQ (unconvertible or malformed) or EINVAL (cut off at the end).
        out.push_back('?');
        const std::size_t skip = SequenceLength(in, inLeft);
        in += skip;
        inLeft -= skip;
    }
    return out;
}
