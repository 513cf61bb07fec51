// The selection stack of GDI objects, and the picture of a window drawn from inside its frame.
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
