#include "ScreenCapture.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

std::uint32_t Crc32(const std::vector<unsigned char>& data, std::size_t begin)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = begin; i < data.size(); ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(const std::vector<unsigned char>& data)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const unsigned char byte : data) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

void PutBig32(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(std::vector<unsigned char>& png, const char* type,
              const std::vector<unsigned char>& data)
{
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, Crc32(png, start));
}

// A zlib stream of stored (uncompressed) blocks: no compressor needed, and
// a screenshot of a dialog stays small enough.
std::vector<unsigned char> StoredZlib(const std::vector<unsigned char>& raw)
{
    std::vector<unsigned char> out = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<unsigned char>(length & 0xFF));
        out.push_back(static_cast<unsigned char>(length >> 8));
        out.push_back(static_cast<unsigned char>(~length & 0xFF));
        out.push_back(static_cast<unsigned char>((~length >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                   raw.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
    } while (pos < raw.size());
    PutBig32(out, Adler32(raw));
    return out;
}

}  // namespace

std::string SaveScreenPng(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return "empty screen area";

    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMemory = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    const HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    const bool copied =
        ::BitBlt(hMemory, 0, 0, width, height, hScreen, area.left, area.top, SRCCOPY) != 0;
    ::SelectObject(hMemory, hOld);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> bgra(static_cast<std::size_t>(width) * height * 4);
    const bool read = copied && ::GetDIBits(hMemory, hBitmap, 0, static_cast<UINT>(height),
                                            bgra.data(), &info, DIB_RGB_COLORS) == height;
    const DWORD error = ::GetLastError();
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    if (!read)
        return "the screen could not be read (error " + std::to_string(error) + ")";

    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const unsigned char* pixel = &bgra[(static_cast<std::size_t>(y) * width + x) * 4];
            raw.insert(raw.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return file ? std::string() : "cannot write " + path;
}
