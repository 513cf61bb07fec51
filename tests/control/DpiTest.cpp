// The control on the screen of the run (96, 120, 144 or 192 DPI: the same program runs at
// each): every length given for a 96-DPI screen is that length scaled, within a pixel (exactly
// at 96); font sizes are those a standard font object reports on this screen; the design page
// cuts none of its texts; and a page list follows a change of DPI it is told of.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "ColourPopup.h"
#include "Dpi.h"
#include "FloorPropertiesWnd.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "RecordingPageSite.h"
#include "ShownWindow.h"
#include "Text.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <olectl.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

const CDpi kScreen = CDpi::OfScreen();

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

void ExpectScaled(int n96, int nGiven, const char* pszWhat)
{
    const int nTolerance = kScreen == CDpi() ? 0 : 1;
    EXPECT_NEAR(kScreen.Scale(n96), nGiven, nTolerance) << pszWhat << " at " << kScreen.Get() << " DPI";
}

// The rows of the client area's strip [left, right) in which some pixel is dark: the height of
// the text drawn there.
int InkHeight(HWND hWnd, int nLeft, int nRight, const RECT& rows)
{
    HDC hDC = GetDC(hWnd);
    int nTop = -1;
    int nBottom = -1;
    for (int y = rows.top; y < rows.bottom; ++y) {
        for (int x = nLeft; x < nRight; ++x) {
            const COLORREF cr = GetPixel(hDC, x, y);
            if (GetRValue(cr) + GetGValue(cr) + GetBValue(cr) < 240) {
                nTop = nTop < 0 ? y : nTop;
                nBottom = y + 1;
                break;
            }
        }
    }
    ReleaseDC(hWnd, hDC);
    return nTop < 0 ? 0 : nBottom - nTop;
}

class ScaledControl : public HostedSampleTest {
protected:
    static constexpr short kColourRow = 1;
    static constexpr short kSizeRow = 3;
    static constexpr short kPathRow = 1; // the folder tree is as wide as a wider cell: only its height counts

    // The row selected and drawn with its button.
    RECT RowButton(int nPage, short nRow)
    {
        CPageListCtrl* pList = List(nPage);
        ClickAt(pList->m_hWnd, PointInRow(pList->m_hWnd, nRow, 20));
        pList->Invalidate();
        pList->UpdateWindow();
        PumpUntilIdle();
        return pList->GetButtonRect();
    }

    RECT OpenedWindow(int nPage, short nRow, const wchar_t* pszClass)
    {
        Call(L"ActivatePage", {I2(nPage)});
        PumpUntilIdle();
        const RECT button = RowButton(nPage, nRow);
        ClickAt(List(nPage)->m_hWnd, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
        PumpUntilIdle();
        RECT window = {};
        const HWND hWindow = ShownWindow(pszClass);
        EXPECT_NE(nullptr, hWindow) << "no window of the class opened";
        GetWindowRect(hWindow, &window);
        SendMessageW(hWindow, WM_KEYDOWN, VK_ESCAPE, 1);
        PumpUntilIdle();
        return window;
    }

    int CaptionHeight(short nPage)
    {
        CFloorPropertiesWnd* pFloor = m_pObject->GetFloor();
        return HIWORD(pFloor->GetCaptionBottomRight(nPage)) - HIWORD(pFloor->GetCaptionTopLeft(nPage));
    }
};

struct Length {
    const char* pszWhat;
    int n96;
    std::function<int()> measure;
};

TEST_F(ScaledControl, EveryLengthIsItsNinetySixDpiLengthScaled)
{
    const Length lengths[] = {
        {"row height", 18,
         [this] {
             RECT row = {};
             List(0)->GetItemRect(0, &row, LVIR_BOUNDS);
             return Height(row);
         }},
        {"name column", 140, [this] { return List(0)->GetColumnWidth(List(0)->GetNameColumn()); }},
        {"text of a row", 5,
         [this] {
             CPageListCtrl* pList = List(0);
             RECT row = {};
             pList->GetItemRect(kSizeRow, &row, LVIR_BOUNDS);
             pList->UpdateWindow();
             return InkHeight(pList->m_hWnd, 0, pList->GetColumnWidth(pList->GetNameColumn()) - 4, row);
         }},
        {"drop button", 19, [this] { return Width(RowButton(0, kColourRow)); }},
        {"page caption", CFloorPropertiesWnd::kCaptionHeight, [this] { return CaptionHeight(1); }},
        {"sign column", 16, [this] { return List(2)->GetColumnWidth(0); }},
        {"colour cell", 18,
         [this] { return Width(OpenedWindow(0, kColourRow, CColourPopup::kClassName)) / 8; }},
        {"folder tree height", 128, [this] { return Height(OpenedWindow(1, kPathRow, WC_TREEVIEWW)); }},
    };
    for (const Length& length : lengths)
        ExpectScaled(length.n96, length.measure(), length.pszWhat);
}

TEST_F(ScaledControl, APageListFollowsTheDpiItIsToldOf)
{
    CPageListCtrl* pList = List(0);
    const int nOther = kScreen.Get() * 2;
    for (int nDpi : {nOther, kScreen.Get()}) {
        SendMessageW(pList->m_hWnd, WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), 0);
        PumpUntilIdle();
        RECT row = {};
        pList->GetItemRect(0, &row, LVIR_BOUNDS);
        EXPECT_EQ(CDpi(nDpi).Scale(18), Height(row)) << nDpi;
        EXPECT_EQ(CDpi(nDpi).Scale(140), pList->GetColumnWidth(pList->GetNameColumn())) << nDpi;
    }
}

// A standard font object of this size, as this screen realises it.
CComPointer<IFont> NewFont(LONGLONG nSize10000)
{
    CComPointer<IFont> pFont;
    EXPECT_EQ(S_OK, pFont.CreateInstance(CLSID_StdFont, CLSCTX_ALL));
    pFont->put_Name(CBstr(L"Arial"));
    CY size;
    size.int64 = nSize10000;
    pFont->put_Size(size);
    return pFont;
}

LONGLONG FontSize(const CVariant& font)
{
    CComPointer<IFont> pFont;
    CY size = {};
    if (font.vt == VT_DISPATCH && SUCCEEDED(pFont.QueryFrom(font.pdispVal)))
        pFont->get_Size(&size);
    return size.int64;
}

TEST_F(ScaledControl, FontSizesAreThoseAFontObjectGivesOnThisScreen)
{
    const short kFontRow = 2;
    EXPECT_GT(FontSize(Call(L"GetValue", {I2(1), I2(kFontRow), CVariant(0L)})), 0) << "a fresh row";
    for (LONGLONG nSize : {80000LL, 97500LL, 100000LL, 120000LL, 180000LL}) {
        CComPointer<IFont> pFont = NewFont(nSize);
        CComPointer<IDispatch> pDispatch;
        pDispatch.QueryFrom(pFont);
        Call(L"SetValue", {I2(1), I2(kFontRow), CVariant(pDispatch.Get()), I2(0)});
        CY given = {};
        pFont->get_Size(&given);
        EXPECT_EQ(given.int64, FontSize(Call(L"GetValue", {I2(1), I2(kFontRow), CVariant(0L)}))) << nSize;
    }
}

// {F4475476-50E7-433B-91F4-34202595B584}
const CLSID kPreviewPage = {0xF4475476, 0x50E7, 0x433B, {0x91, 0xF4, 0x34, 0x20, 0x25, 0x95, 0xB5, 0x84}};

BOOL CALLBACK FindFirstList(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (GetDlgCtrlID(hWnd) != 1000 || lstrcmpiW(className, WC_LISTVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The runner names the DPI it set: a run left at 96 by mistake would prove nothing.
TEST(ScreenOfTheRun, HasTheDpiTheRunnerSet)
{
    const char* pszAsked = std::getenv("VELMORA_DPI");
    EXPECT_EQ(pszAsked ? std::atoi(pszAsked) : 96, kScreen.Get());
}

TEST(DesignPageOnThisScreen, CutsNoTextOfItsRows)
{
    const HWND hFrame = CreateTestFrame(kScreen.Scale(520), kScreen.Scale(320));
    CComPointer<IDispatch> pControl = NewInProcessControl();
    ASSERT_EQ(S_OK, Put(pControl, L"PagesAndItems",
                        CVariant("General#{#Alignment\\ComboBox\\Enable\\#Caption\\Edit\\Enable\\#}#")));
    CRecordingPageSite site;
    CComPointer<IPropertyPage> pPage;
    ASSERT_EQ(S_OK, pPage.CreateInstance(kPreviewPage));
    pPage->SetPageSite(&site);
    IUnknown* pObject = pControl.Get();
    pPage->SetObjects(1, &pObject);
    RECT rect = {0, 0, kScreen.Scale(520), kScreen.Scale(320)};
    ASSERT_EQ(S_OK, pPage->Activate(hFrame, &rect, FALSE));
    pPage->Show(SW_SHOW);
    PumpUntilIdle();
    HWND hList = nullptr;
    EnumChildWindows(hFrame, &FindFirstList, reinterpret_cast<LPARAM>(&hList));
    ASSERT_NE(nullptr, hList);
    for (int nRow = 0; nRow < 2; ++nRow) {
        for (int nColumn = 0; nColumn < 4; ++nColumn) {
            const std::wstring text = Utf8ToWide(CellText(hList, nRow, nColumn));
            const int nText = static_cast<int>(SendMessageW(hList, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
            const int nColumnWidth = static_cast<int>(SendMessageW(hList, LVM_GETCOLUMNWIDTH, nColumn, 0));
            EXPECT_LE(nText + kScreen.Scale(12), nColumnWidth) << WideToUtf8(text) << " at " << kScreen.Get() << " DPI";
        }
    }
    pPage->Deactivate();
    pPage->SetPageSite(nullptr);
    pPage.Reset();
    DestroyWindow(hFrame);
    PumpUntilIdle();
}

} // namespace
