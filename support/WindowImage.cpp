#include "WindowImage.h"

#include "Bitmap.h"
#include "ClientDC.h"
#include "MemoryDC.h"

#include <algorithm>

WindowImage WindowImage::Capture(HWND hWnd, bool bClientOnly)
{
    RECT rect = {};
    if (bClientOnly)
        GetClientRect(hWnd, &rect);
    else {
        GetWindowRect(hWnd, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
    }
    const CClientDC windowDC(hWnd, !bClientOnly);
    return CaptureArea(windowDC, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
}

WindowImage WindowImage::CaptureScreen(const RECT& rect)
{
    const CClientDC screenDC(nullptr);
    return CaptureArea(screenDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

WindowImage WindowImage::CaptureArea(HDC hdc, int x, int y, int width, int height)
{
    WindowImage image;
    if (width <= 0 || height <= 0)
        return image;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    // The bitmap outlives the memory DC it is selected into.
    CBitmap bitmap;
    bitmap.Reset(CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (bitmap.IsNull() || !pBits)
        return image;
    const CMemoryDC memoryDC(hdc);
    SelectObject(memoryDC, bitmap.Get());
    BitBlt(memoryDC, 0, 0, width, height, hdc, x, y, SRCCOPY);
    GdiFlush();
    const auto* pSource = static_cast<const uint32_t*>(pBits);
    image.m_pixels.assign(pSource, pSource + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : image.m_pixels)
        pixel &= 0x00FFFFFF;
    image.m_nWidth = width;
    image.m_nHeight = height;
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
