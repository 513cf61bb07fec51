// GDI object ownership, font descriptions, the selection stack and the device contexts.
#include "Bitmap.h"
#include "Brush.h"
#include "ClientDC.h"
#include "Font.h"
#include "GdiStack.h"
#include "MemoryDC.h"
#include "PaintDC.h"
#include "Palette.h"
#include "Pen.h"
#include "Pump.h"
#include "WindowImage.h"
#include "WindowPicture.h"
#include "Wnd.h"

#include <gtest/gtest.h>

namespace {

// A memory device context compatible with the screen.
class ScreenMemoryDC : public CMemoryDC {
public:
    ScreenMemoryDC() : CMemoryDC(nullptr) {}
};

TEST(GdiStack, PopsRestoreInReverseOrderAndLeftoversAreDropped)
{
    ScreenMemoryDC dc;
    const HGDIOBJ hOriginalFont = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ hOriginalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ hOriginalBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    const CFont first(CFont::Describe("Arial", 12, FW_NORMAL));
    const CFont second(CFont::Describe("Arial", 20, FW_BOLD));
    const CBrush brush(RGB(1, 2, 3));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 8, 8));
    {
        CGdiStack stack;
        ASSERT_TRUE(stack.Push(dc, first));
        ASSERT_TRUE(stack.Push(dc, bitmap));
        ASSERT_TRUE(stack.Push(dc, brush));
        ASSERT_TRUE(stack.Push(dc, second));
        EXPECT_EQ(stack.GetCount(), 4u);
        EXPECT_TRUE(stack.Pop());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first.Get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
        EXPECT_TRUE(stack.Pop());
        EXPECT_TRUE(stack.Pop());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), hOriginalBrush);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), hOriginalBitmap);
        EXPECT_EQ(stack.GetCount(), 1u);
    }   // the font entry is dropped, not restored
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first.Get());
    SelectObject(dc, hOriginalFont);
}

TEST(GdiStack, EachEntryGoesBackIntoItsOwnDeviceContext)
{
    ScreenMemoryDC a;
    ScreenMemoryDC b;
    const HGDIOBJ hOriginalA = GetCurrentObject(a, OBJ_BRUSH);
    const HGDIOBJ hOriginalB = GetCurrentObject(b, OBJ_BRUSH);
    const CBrush red(RGB(255, 0, 0));
    const CBrush blue(RGB(0, 0, 255));
    CGdiStack stack;
    ASSERT_TRUE(stack.Push(a, red));
    ASSERT_TRUE(stack.Push(b, blue));
    ASSERT_TRUE(stack.Push(a, blue));
    stack.PopAll();
    EXPECT_EQ(stack.GetCount(), 0u);
    EXPECT_EQ(GetCurrentObject(a, OBJ_BRUSH), hOriginalA);
    EXPECT_EQ(GetCurrentObject(b, OBJ_BRUSH), hOriginalB);
    EXPECT_FALSE(stack.Pop());
}

TEST(GdiStack, RefusesWhatCannotBeRestored)
{
    ScreenMemoryDC dc;
    CGdiStack stack;
    HRGN hRegion = CreateRectRgn(0, 0, 4, 4);
    EXPECT_FALSE(stack.Push(dc, hRegion));
    DeleteObject(hRegion);
    EXPECT_FALSE(stack.Push(dc, nullptr));
    EXPECT_FALSE(stack.Push(nullptr, GetStockObject(BLACK_BRUSH)));
    HGDIOBJ hStale = nullptr;
    {
        const CBrush gone(RGB(9, 9, 9));
        hStale = gone;
    }
    EXPECT_FALSE(stack.Push(dc, hStale));
    EXPECT_EQ(stack.GetCount(), 0u);
}

TEST(GdiObjects, EachOwnsItsHandleMovesItAndDescribesIt)
{
    HBRUSH hBrush = nullptr;
    HPEN hPen = nullptr;
    HPALETTE hPalette = nullptr;
    {
        CBrush brush(RGB(1, 2, 3));
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CPalette palette;
        palette.CreatePalette({RGB(1, 2, 3)});
        hBrush = brush;
        hPen = pen;
        hPalette = palette;

        CBrush other(RGB(7, 7, 7));
        const HBRUSH hOther = other;
        other = std::move(brush);                // the handle held before is deleted
        EXPECT_EQ(GetObjectType(hOther), 0u);
        EXPECT_TRUE(brush.IsNull());
        EXPECT_EQ(other.Get(), hBrush);
        CPen movedPen(std::move(pen));
        EXPECT_EQ(movedPen.Get(), hPen);
        EXPECT_EQ(GetObjectType(hPen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(hBrush), 0u);
    EXPECT_EQ(GetObjectType(hPen), 0u);
    EXPECT_EQ(GetObjectType(hPalette), 0u);

    CFont font(CFont::Describe("MS Sans Serif", 8, 700));
    LOGFONTW description = {};
    ASSERT_TRUE(font.GetLogFont(&description));
    EXPECT_EQ(description.lfHeight, 8);
    EXPECT_EQ(description.lfWeight, 700);
    EXPECT_STREQ(description.lfFaceName, L"MS Sans Serif");
    const HFONT hFont = font.Get();
    font.Reset();
    EXPECT_EQ(GetObjectType(hFont), 0u);
    EXPECT_FALSE(font.GetLogFont(&description));

    CPalette palette;
    EXPECT_FALSE(palette.CreatePalette({}));
    const std::vector<COLORREF> colours = {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 128), RGB(255, 255, 255)};
    ASSERT_TRUE(palette.CreatePalette(colours));
    EXPECT_EQ(palette.GetColours(), colours);

    ScreenMemoryDC dc;
    CBitmap bitmap;
    EXPECT_EQ(bitmap.GetSize().cx, 0);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 17, 9));
    EXPECT_EQ(bitmap.GetSize().cx, 17);
    EXPECT_EQ(bitmap.GetSize().cy, 9);
    HBITMAP hBitmap = bitmap.Detach();
    EXPECT_TRUE(bitmap.IsNull());
    EXPECT_EQ(GetObjectType(hBitmap), static_cast<DWORD>(OBJ_BITMAP)); // detached: not deleted
    DeleteObject(hBitmap);
}

// A window that paints its client area through CPaintDC.
class CPaintedWnd : public CWnd {
public:
    static constexpr COLORREF kColour = RGB(0, 128, 255);
    int paints = 0;

protected:
    LRESULT OnPaint(WPARAM, LPARAM)
    {
        ++paints;
        CPaintDC dc(m_hWnd);
        const CBrush brush(kColour);
        FillRect(dc, &dc.PaintRect(), brush);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
END_MESSAGE_MAP(CWnd)

TEST(DeviceContexts, PaintClientAndMemoryContextsDrawAndAreReleased)
{
    HWND hFrame = CreateTestFrame(200, 100);
    CWnd::RegisterWindowClass(L"PaintedWnd");
    CPaintedWnd wnd;
    ASSERT_TRUE(wnd.Create(L"PaintedWnd", "", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 200, 100}, hFrame, 1));
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_GT(wnd.paints, 0);
    EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE)); // EndPaint validated it
    WindowImage image = WindowImage::Capture(wnd);
    EXPECT_EQ(image.Pixel(150, 50), CPaintedWnd::kColour);

    {
        CClientDC dc(wnd);
        const CBrush black(RGB(0, 0, 0));
        const RECT square = {10, 10, 20, 20};
        FillRect(dc, &square, black);
    }
    image = WindowImage::Capture(wnd);
    EXPECT_EQ(image.CountPixels(RECT{0, 0, 200, 100}, RGB(0, 0, 0)), 100);

    HDC hMemory = nullptr;
    {
        ScreenMemoryDC memory;
        hMemory = memory;
        EXPECT_EQ(GetObjectType(hMemory), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(hMemory), 0u);
    DestroyWindow(hFrame);
}

// A window that fills its client area with its colour, on the screen and when printed.
class CPrintedWnd : public CWnd {
public:
    explicit CPrintedWnd(COLORREF crColour) : m_crColour(crColour) {}

protected:
    LRESULT OnPaint(WPARAM, LPARAM)
    {
        CPaintDC dc(m_hWnd);
        Fill(dc);
        return 0;
    }
    LRESULT OnPrintClient(WPARAM wParam, LPARAM)
    {
        Fill(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    void Fill(HDC hdc) const
    {
        const CBrush brush(m_crColour);
        const RECT client = GetClientRect();
        FillRect(hdc, &client, brush);
    }
    COLORREF m_crColour;
};

BEGIN_MESSAGE_MAP(CPrintedWnd, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP(CWnd)

TEST(WindowPicture, ClientAreaIsCopiedFromInsideTheFrame)
{
    const COLORREF kOwn = RGB(0, 128, 255);
    HWND hFrame = CreateTestFrame(200, 100);
    CWnd::RegisterWindowClass(L"PrintedWnd");
    CPrintedWnd wnd(kOwn);
    ASSERT_TRUE(wnd.Create(L"PrintedWnd", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, RECT{0, 0, 100, 60}, hFrame, 1));
    const RECT client = wnd.GetClientRect();
    ASSERT_EQ(client.right, 98) << "the border is outside the client area";

    const CWindowPicture picture = CWindowPicture::CaptureWindowImage(wnd, RGB(255, 0, 255));
    ASSERT_FALSE(picture.IsEmpty());
    ScreenMemoryDC memory;
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(CClientDC(nullptr), client.right, client.bottom));
    CGdiStack gdi;
    gdi.Push(memory, canvas);
    ASSERT_TRUE(picture.DrawClientArea(memory));
    EXPECT_EQ(GetPixel(memory, 0, 0), kOwn);
    EXPECT_EQ(GetPixel(memory, client.right - 1, client.bottom - 1), kOwn);
    gdi.PopAll();

    wnd.DestroyWindow();
    const CWindowPicture none = CWindowPicture::CaptureWindowImage(wnd, RGB(255, 0, 255));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_FALSE(none.DrawClientArea(memory));
    DestroyWindow(hFrame);
}

} // namespace
