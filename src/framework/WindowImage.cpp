#include "WindowImage.h"

#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(body.data(), body.size()));
}

// zlib stream of stored (uncompressed) deflate blocks: screenshots are small, and this keeps
// the writer free of a compression library.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t block = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + block == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(block & 0xFF));
        out.push_back(static_cast<uint8_t>(block >> 8));
        out.push_back(static_cast<uint8_t>(~block & 0xFF));
        out.push_back(static_cast<uint8_t>((~block >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                   raw.begin() + static_cast<std::ptrdiff_t>(offset + block));
        offset += block;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

WindowImage WindowImage::Capture(HWND hWnd, bool bClientOnly)
{
    WindowImage image;
    RECT rect = {};
    if (bClientOnly)
        GetClientRect(hWnd, &rect);
    else {
        GetWindowRect(hWnd, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return image;

    HDC hWindowDC = bClientOnly ? GetDC(hWnd) : GetWindowDC(hWnd);
    HDC hMemoryDC = CreateCompatibleDC(hWindowDC);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hWindowDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && pBits) {
        HGDIOBJ hOld = SelectObject(hMemoryDC, hBitmap);
        BitBlt(hMemoryDC, 0, 0, width, height, hWindowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pSource = static_cast<const uint32_t*>(pBits);
        image.m_pixels.assign(pSource, pSource + static_cast<size_t>(width) * height);
        for (uint32_t& pixel : image.m_pixels)
            pixel &= 0x00FFFFFF;
        image.m_nWidth = width;
        image.m_nHeight = height;
        SelectObject(hMemoryDC, hOld);
    }
    if (hBitmap)
        DeleteObject(hBitmap);
    DeleteDC(hMemoryDC);
    ReleaseDC(hWnd, hWindowDC);
    return image;
}

COLORREF WindowImage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    const uint32_t pixel = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int WindowImage::CountPixels(const RECT& rect, COLORREF color) const
{
    int count = 0;
    for (int y = std::max<LONG>(rect.top, 0); y < std::min<LONG>(rect.bottom, m_nHeight); ++y)
        for (int x = std::max<LONG>(rect.left, 0); x < std::min<LONG>(rect.right, m_nWidth); ++x)
            if (Pixel(x, y) == color)
                ++count;
    return count;
}

bool WindowImage::SavePng(const std::string& path) const
{
    if (IsEmpty())
        return false;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(m_nHeight) * (1 + 3 * m_nWidth));
    for (int y = 0; y < m_nHeight; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < m_nWidth; ++x) {
            const uint32_t pixel = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
            raw.push_back(static_cast<uint8_t>(pixel >> 16));
            raw.push_back(static_cast<uint8_t>(pixel >> 8));
            raw.push_back(static_cast<uint8_t>(pixel));
        }
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(m_nWidth));
    PutBigEndian(header, static_cast<uint32_t>(m_nHeight));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});

    FILE* pFile = _wfopen(Utf8ToWide(path).c_str(), L"wb");
    if (!pFile)
        return false;
    const bool written = fwrite(png.data(), 1, png.size(), pFile) == png.size();
    return fclose(pFile) == 0 && written;
}
