// WindowImage: a 32-bit top-down copy of what a window shows on the screen, with pixel reads
// (the tests check drawing with it; the demo saves its screenshot from one).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class WindowImage {
public:
    // Copies the window's client area (or whole window) as it is on the screen now.
    static WindowImage Capture(HWND hWnd, bool bClientOnly = true);
    // Copies what the screen shows in rect (screen coordinates), windows over others included:
    // a tooltip over a window, say.
    static WindowImage CaptureScreen(const RECT& rect);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool IsEmpty() const { return m_pixels.empty(); }
    COLORREF Pixel(int x, int y) const;  // CLR_INVALID outside the image
    // Number of pixels of exactly this colour inside rect (clipped to the image).
    int CountPixels(const RECT& rect, COLORREF color) const;

private:
    // The width x height area at (x, y) of the device context.
    static WindowImage CaptureArea(HDC hdc, int x, int y, int width, int height);

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_pixels; // 0x00RRGGBB, top row first
};
