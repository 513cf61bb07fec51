// The registered control in a real container, Wine's ATL host window, made by its ProgID: its
// window fills the host, its floor control fills the window and shows the layout's pages, and
// it answers automation by name and by dispatch id.
#include "Canvas.h"
#include "ControlTestSupport.h"

#include "UserInput.h"

#include "Bstr.h"
#include "FontDialogAnswer.h"
#include "Pump.h"
#include "ShellTreeWalk.h"
#include "TestFolders.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <olectl.h>

namespace {

template <class F>
F AtlFunction(const char* name)
{
    static const HMODULE hAtl = LoadLibraryW(L"atl.dll");
    return hAtl ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(hAtl, name))) : nullptr;
}

POINT UnpackPoint(long nPacked)
{
    return POINT{static_cast<short>(LOWORD(nPacked)), static_cast<short>(HIWORD(nPacked))};
}

CComPointer<IDispatch> DispatchOf(IUnknown* pObject)
{
    CComPointer<IDispatch> pDispatch;
    pDispatch.QueryFrom(pObject);
    return pDispatch;
}


} // namespace

class AtlHostedControl : public testing::Test {
protected:
    void SetUp() override
    {
        // Wine's ATL host window: AtlAxWinInit once, then an "AtlAxWin" window named by ProgID.
        static const auto pfnInit = AtlFunction<BOOL(WINAPI*)()>("AtlAxWinInit");
        static const bool bInitialized = pfnInit && pfnInit();
        ASSERT_TRUE(bInitialized);
        m_hFrame = CreateTestFrame(420, 320);
        m_hHost = CreateWindowExW(0, L"AtlAxWin", kVelmoraProgId, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, m_hFrame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_hHost, nullptr);
        CComPointer<IUnknown> pUnknown;
        const auto pfnGet = AtlFunction<HRESULT(WINAPI*)(HWND, IUnknown**)>("AtlAxGetControl");
        ASSERT_NE(pfnGet, nullptr);
        pfnGet(m_hHost, pUnknown.Out());
        ASSERT_EQ(m_pControl.QueryFrom(pUnknown), S_OK);
        m_hControl = ControlWindow(m_pControl);
        ASSERT_NE(m_hControl, nullptr);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        m_pFloor.Reset();
        m_pControl.Reset();
        if (m_hFrame)
            DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    void LoadSample()
    {
        ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
        PumpUntilIdle();
        CVariant floor = Invoke(m_pControl, 26);
        ASSERT_EQ(floor.vt, VT_UNKNOWN);
        ASSERT_EQ(m_pFloor.QueryFrom(floor.punkVal), S_OK);
    }
    HWND FloorWindow() const { return GetWindow(m_hControl, GW_CHILD); }
    HWND FrontList() const
    {
        const HWND hList = GetDlgItem(FloorWindow(), 1000);
        EXPECT_NE(hList, nullptr);
        return hList;
    }
    // A layout of the test's own, and a sink that records the control's events.
    CComPointer<CRecordingSink> LoadWithSink(const char* pszLayout)
    {
        EXPECT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(pszLayout)), S_OK);
        PumpUntilIdle();
        CComPointer<CRecordingSink> pSink = NewComObject<CRecordingSink>();
        EXPECT_EQ(pSink->Connect(m_pControl), S_OK);
        return pSink;
    }
    // A point of the row dx pixels in from its right end: its value, or its cell button.
    static POINT FromRight(HWND hList, int nRow, int dx)
    {
        RECT row = {};
        ListView_GetItemRect(hList, nRow, &row, LVIR_BOUNDS);
        return POINT{row.right - dx, (row.top + row.bottom) / 2};
    }
    RECT CaptionRect(short nPage)
    {
        const POINT topLeft = UnpackPoint(Invoke(m_pFloor, 17, {CVariant(nPage)}).ToLong());
        const POINT bottomRight = UnpackPoint(Invoke(m_pFloor, 18, {CVariant(nPage)}).ToLong());
        return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }

    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
    HWND m_hControl = nullptr;
    CComPointer<IDispatch> m_pControl;
    CComPointer<IDispatch> m_pFloor;
};

TEST_F(AtlHostedControl, FillsTheHostAndItsFloorFillsTheControl)
{
    EXPECT_EQ(GetParent(m_hControl), m_hHost);
    EXPECT_TRUE(GetWindowLongPtrW(m_hControl, GWL_STYLE) & WS_CLIPCHILDREN);
    const HWND hFloor = FloorWindow();
    ASSERT_NE(hFloor, nullptr);
    EXPECT_EQ(GetDlgCtrlID(hFloor), 0);
    EXPECT_TRUE(IsWindowVisible(hFloor));
    RECT rc = {};
    GetClientRect(hFloor, &rc);
    EXPECT_EQ(rc.right, 400);
    EXPECT_EQ(rc.bottom, 300);

    MoveWindow(m_hHost, 0, 0, 300, 200, TRUE);
    PumpUntilIdle();
    GetClientRect(m_hControl, &rc);
    EXPECT_EQ(rc.right, 300);
    GetClientRect(hFloor, &rc);
    EXPECT_EQ(rc.right, 300);
    EXPECT_EQ(rc.bottom, 200);
}

TEST_F(AtlHostedControl, TheModuleKnowsItsKindsFromItsLoad)
{
    LoadSample();
    // The colour row gets the module's own colour kind, which answers its value as a number.
    const CVariant page(short(0)), row(short(1));
    Invoke(m_pControl, L"SetDefaultValue", {page, row, CVariant("&&H0000FF (Red)")});
    const CVariant colour = Invoke(m_pControl, L"GetValue", {page, row, CVariant(0L)});
    EXPECT_EQ(colour.vt, VT_UI4);
    EXPECT_EQ(colour.ulVal, RGB(255, 0, 0));
}

TEST_F(AtlHostedControl, ShowsTheLayoutsPagesWithTheirCaptions)
{
    LoadSample();
    EXPECT_EQ(Invoke(m_pControl, 11).ToLong(), 3);

    // Three pages: every page has a caption bar of the floor, the first one too.
    UpdateWindow(m_hControl);
    PumpUntilIdle();
    const WindowImage image = WindowImage::Capture(m_hControl);
    ASSERT_EQ(image.Width(), 400);
    for (short nPage = 0; nPage < 3; ++nPage) {
        const RECT caption = CaptionRect(nPage);
        ASSERT_GT(caption.bottom - caption.top, 10) << nPage;
        ASSERT_EQ(caption.right, 400) << nPage;
        // The caption's text is drawn in the button text colour somewhere in the bar.
        EXPECT_GT(image.CountPixels(caption, GetSysColor(COLOR_BTNTEXT)), 10) << nPage;
    }
    // The first page's list shows its rows: white list background under the first caption.
    const RECT first = CaptionRect(0);
    EXPECT_EQ(image.Pixel(300, first.bottom + 30), GetSysColor(COLOR_WINDOW));
    // The list of the front page is a visible child of the floor with the page's id.
    const long nListId = Invoke(m_pControl, L"GetIDListCtrl", {CVariant(short(0))}).ToLong();
    EXPECT_EQ(nListId, 1000);
    const HWND hList = GetDlgItem(FloorWindow(), static_cast<int>(nListId));
    ASSERT_NE(hList, nullptr);
    EXPECT_TRUE(IsWindowVisible(hList));
    wchar_t className[64] = {};
    GetClassNameW(hList, className, 64);
    EXPECT_STREQ(className, L"SysListView32");
    EXPECT_EQ(SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(AtlHostedControl, ClickingACaptionBringsThePageToFront)
{
    LoadSample();
    CComPointer<CRecordingSink> pSink = NewComObject<CRecordingSink>();
    ASSERT_EQ(pSink->Connect(m_pControl), S_OK);
    const RECT caption = CaptionRect(2);
    POINT point = {(caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2};
    const HWND hView = RealChildWindowFromPoint(FloorWindow(), point);
    ASSERT_NE(hView, nullptr);
    MapWindowPoints(FloorWindow(), hView, &point, 1);
    SendMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(hView, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpUntilIdle();
    EXPECT_EQ(Invoke(m_pControl, L"GetActivePage").ToShort(), 2);
    ASSERT_EQ(pSink->m_events.size(), 1u);
    EXPECT_EQ(pSink->m_events[0], "SelectPage 2");
    pSink->Disconnect();
}

// The module's own Group kind, entered as the library loaded: a click on a group's sign opens it.
TEST_F(AtlHostedControl, AGroupedPageOpensAGroupAtAClickOnItsSign)
{
    LoadSample();
    Invoke(m_pControl, L"ActivatePage", {CVariant(short(2))});
    PumpUntilIdle();
    const HWND hList = GetDlgItem(FloorWindow(), static_cast<int>(Invoke(m_pControl, L"GetIDListCtrl", {CVariant(short(2))}).ToLong()));
    ASSERT_NE(hList, nullptr);
    ASSERT_EQ(Invoke(m_pControl, L"GetPropertyCount", {CVariant(short(2))}).ToShort(), 1);
    ClickAt(hList, PointInRow(hList, 0, 8));
    EXPECT_EQ(Invoke(m_pControl, L"GetPropertyCount", {CVariant(short(2))}).ToShort(), 2);
    EXPECT_EQ(Invoke(m_pControl, L"GetPropertyName", {CVariant(short(2)), CVariant(short(1))}).ToString(), "Width");
}

TEST_F(AtlHostedControl, AutomationByNameAndByDispid)
{
    LoadSample();
    // The same member by its name and by its dispatch id.
    EXPECT_EQ(DispIdOf(m_pControl, L"GetPropertyIndex"), 31);
    EXPECT_EQ(DispIdOf(m_pControl, L"pagesanditems"), 1);
    EXPECT_EQ(DispIdOf(m_pControl, L"AboutBox"), DISPID_ABOUTBOX);
    EXPECT_EQ(DispIdOf(m_pControl, L"NoSuchMember"), DISPID_UNKNOWN);
    short nPage = 0, nRow = 0;
    CVariant found;
    ASSERT_EQ(CallMember(m_pControl, 31, DISPATCH_METHOD,
                         {CVariant("Extra\\Path"), CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)}, &found),
              S_OK);
    EXPECT_EQ(found.vt, VT_BOOL);
    EXPECT_EQ(found.boolVal, VARIANT_TRUE);
    EXPECT_EQ(nPage, 1);
    EXPECT_EQ(nRow, 1);
    EXPECT_EQ(Invoke(m_pControl, L"SetDefaultValueByName", {CVariant("Size"), CVariant("12 pt")}).vt, VT_BOOL);
    EXPECT_EQ(Invoke(m_pControl, 33, {CVariant("size")}).ToString(), "12 pt");
    // The BOOL properties travel as VT_BOOL.
    CVariant asFloor = Get(m_pControl, L"AsFloor");
    EXPECT_EQ(asFloor.vt, VT_BOOL);
    EXPECT_EQ(asFloor.boolVal, VARIANT_TRUE);
}

TEST_F(AtlHostedControl, FocusGoesToTheFrontPagesListAndNavigationKeysStraightToIt)
{
    LoadSample();
    Invoke(m_pControl, L"ActivatePage", {CVariant(short(1))});
    PumpUntilIdle();
    SetFocus(m_hControl);
    PumpUntilIdle();
    const HWND hList = GetDlgItem(FloorWindow(), 1001);
    ASSERT_NE(hList, nullptr);
    EXPECT_EQ(GetFocus(), hList);
    Invoke(m_pControl, L"SetActiveProperty", {CVariant(short(1)), CVariant(short(0))});
    ListView_SetItemState(hList, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    PumpUntilIdle();
    CComPointer<IOleInPlaceActiveObject> pActive;
    ASSERT_EQ(pActive.QueryFrom(m_pControl), S_OK);
    MSG msg = {hList, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_EQ(pActive->TranslateAccelerator(&msg), S_OK);
    PumpUntilIdle();
    // The list moved its focus one row down: it saw the key.
    EXPECT_EQ(ListView_GetNextItem(hList, -1, LVNI_FOCUSED), 1);
    // Other keys go the default way: to the container, which does not want them.
    msg.wParam = VK_F7;
    EXPECT_EQ(pActive->TranslateAccelerator(&msg), S_FALSE);
    msg.message = WM_KEYUP;
    msg.wParam = VK_DOWN;
    EXPECT_EQ(pActive->TranslateAccelerator(&msg), S_FALSE);

    // With the focus in another window of the host, the keys stay the host's.
    const HWND hOther = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, m_hFrame, nullptr, nullptr, nullptr);
    SetFocus(hOther);
    for (WPARAM nKey : {VK_RETURN, VK_ESCAPE, VK_DOWN}) {
        MSG hostMsg = {hOther, WM_KEYDOWN, nKey, 0, 0, {0, 0}};
        EXPECT_EQ(pActive->TranslateAccelerator(&hostMsg), S_FALSE) << nKey;
    }
    EXPECT_EQ(ListView_GetNextItem(hList, -1, LVNI_FOCUSED), 1);
    DestroyWindow(hOther);
}

TEST_F(AtlHostedControl, TheModuleHasTheTextAndButtonKinds)
{
    LoadSample();
    // Only a row whose kind the module has takes a value through its row object.
    for (const char* pszAs : {"Edit", "EditButton", "Button", "Return", "Link"}) {
        const CVariant row = Invoke(m_pControl, L"AddProperty", {CVariant(pszAs), CVariant(pszAs), CVariant(short(0))});
        ASSERT_EQ(row.vt, VT_I2) << pszAs;
        ASSERT_GE(row.iVal, 0) << pszAs;
        const CVariant page(short(0));
        Invoke(m_pControl, L"SetValue", {page, row, CVariant(std::string("set ") + pszAs), CVariant(short(0))});
        EXPECT_EQ(Invoke(m_pControl, L"GetValue", {page, row, CVariant(0L)}).ToString(), std::string("set ") + pszAs);
    }
}

// A person edits: two clicks open an Edit row's in-place edit, typed text and Enter commit it;
// a click in a Button row's cell button is a press the host hears of.
TEST_F(AtlHostedControl, ClicksAndKeysEditTextAndPressButtons)
{
    CComPointer<CRecordingSink> pSink = LoadWithSink("Page#{#Title\\Edit\\Enable\\#Go\\Button\\Enable\\#More\\EditButton\\Enable\\#}#");
    Invoke(m_pControl, L"SetDefaultValue", {CVariant(short(0)), CVariant(short(0)), CVariant("old")});
    const HWND hList = FrontList();
    ClickAt(hList, FromRight(hList, 0, 40));
    ClickAt(hList, FromRight(hList, 0, 40));
    const HWND hEdit = GetFocus();
    ASSERT_NE(hEdit, hList);
    ASSERT_EQ(GetParent(hEdit), hList);
    EXPECT_TRUE(IsWindowVisible(hEdit));
    SendMessageW(hEdit, WM_CHAR, L'!', 1);
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(hEdit));
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Title")}).ToString(), "old!");

    pSink->m_events.clear();
    ClickAt(hList, PointInRow(hList, 1, 20));
    ClickAt(hList, FromRight(hList, 1, 6));
    const std::vector<std::string> expected = {"UnselectItem 0 0", "SelectItem 0 1", "PropertyChanging 0 1", "ButtonClick 0 1",
                                               "PropertyChanged 0 1 0"};
    EXPECT_EQ(pSink->m_events, expected);

    // A host that sets a new value in its ButtonClick handler hears of a change; pressed again,
    // with the value the row held set again, of none.
    pSink->m_onEvent = [&](const std::string& strEvent) {
        if (strEvent == "ButtonClick")
            Invoke(m_pControl, L"SetDefaultValue", {CVariant(short(0)), CVariant(short(ListView_GetNextItem(hList, -1, LVNI_SELECTED))), CVariant("pressed")});
    };
    for (int nRow : {1, 2}) {
        ClickAt(hList, PointInRow(hList, nRow, 20));
        for (int nChanged : {1, 0}) {
            pSink->m_events.clear();
            ClickAt(hList, FromRight(hList, nRow, 6));
            ASSERT_FALSE(pSink->m_events.empty());
            EXPECT_EQ(pSink->m_events.back(), FormatText("PropertyChanged 0 %d %d", nRow, nChanged));
        }
    }
    pSink->m_onEvent = nullptr;
    pSink->Disconnect();
}

// A person picks a font: a click selects the Font row, a click in its button opens the font
// dialog; Cancel leaves the row as it was, OK with a face and a size reaches the row and the
// host, which reads it back as a font object.
TEST_F(AtlHostedControl, ClicksChooseAFontInTheFontDialog)
{
    CComPointer<CRecordingSink> pSink = LoadWithSink("Page#{#Caption font\\Font\\Enable\\#}#");
    const HWND hList = FrontList();
    ClickAt(hList, PointInRow(hList, 0, 20));
    // A fresh row's font: its height is a cell height, of which the internal leading is no size.
    const double dFreshSize = GetProperty(Invoke(m_pControl, L"GetValue", {CVariant(short(0)), CVariant(short(0)), CVariant(0L)}).pdispVal, L"Size").ToDouble();
    EXPECT_GT(dFreshSize, 0.0);
    EXPECT_LE(dFreshSize, 7.5);
    const POINT button = FromRight(hList, 0, 6);
    // The dialog is owned by the form, which it disables while it is up.
    const HWND hForm = GetAncestor(hList, GA_ROOT);
    FontDialogAnswer cancel;
    bool bFormEnabled = true;
    cancel.whileOpen = [&] { bFormEnabled = IsWindowEnabled(hForm) != FALSE; };
    const FontDialogSeen cancelled = AnswerFontDialog([&] { ClickAt(hList, button); }, cancel);
    ASSERT_TRUE(cancelled.bSeen);
    EXPECT_EQ(cancelled.hOwner, hForm);
    EXPECT_FALSE(bFormEnabled);
    EXPECT_EQ(pSink->m_events, (std::vector<std::string>{"SelectItem 0 0", "PropertyChanging 0 0"}));
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Caption font")}).ToString(), "");

    std::string strFace;
    for (const std::string& face : cancelled.faces)
        if (face != cancelled.strFace && face.find('@') == std::string::npos && strFace.empty())
            strFace = face;
    FontDialogAnswer answer;
    answer.bOk = true;
    answer.strFace = strFace;
    answer.strSize = "12";
    pSink->m_events.clear();
    ASSERT_TRUE(AnswerFontDialog([&] { ClickAt(hList, button); }, answer).bSeen);
    EXPECT_EQ(pSink->m_events, (std::vector<std::string>{"PropertyChanging 0 0", "PropertyChanged 0 0 1"}));
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Caption font")}).ToString(), strFace + ", 12.00");

    // The host reads a font object; a font object made the same way reports the same.
    const CVariant font = Invoke(m_pControl, L"GetValue", {CVariant(short(0)), CVariant(short(0)), CVariant(0L)});
    ASSERT_EQ(font.vt, VT_DISPATCH);
    CComPointer<IFont> pReference;
    ASSERT_EQ(pReference.CreateInstance(CLSID_StdFont, CLSCTX_ALL), S_OK);
    pReference->put_Name(CBstr(strFace));
    CY size;
    size.int64 = 120000;
    pReference->put_Size(size);
    EXPECT_EQ(GetProperty(font.pdispVal, L"Name").ToString(), GetProperty(DispatchOf(pReference), L"Name").ToString());
    EXPECT_EQ(GetProperty(font.pdispVal, L"Size").ToDouble(), GetProperty(DispatchOf(pReference), L"Size").ToDouble());

    // And writes one, and a colour, as its dialog or its code would.
    CComPointer<IFont> pWritten;
    ASSERT_EQ(pWritten.CreateInstance(CLSID_StdFont, CLSCTX_ALL), S_OK);
    pWritten->put_Name(CBstr(cancelled.strFace));
    pSink->m_events.clear();
    Invoke(m_pControl, L"SetValue", {CVariant(short(0)), CVariant(short(0)), CVariant(DispatchOf(pWritten).Get()), CVariant(short(0))});
    Invoke(m_pControl, L"SetValue", {CVariant(short(0)), CVariant(short(0)), CVariant(255L), CVariant(short(1))});
    EXPECT_TRUE(pSink->m_events.empty());
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Caption font")}).ToString().rfind(GetProperty(DispatchOf(pWritten), L"Name").ToString() + ", ", 0), 0u);
    EXPECT_EQ(Invoke(m_pControl, L"GetValue", {CVariant(short(0)), CVariant(short(0)), CVariant(1L)}).ToLong(), 255);
    pSink->Disconnect();
}

// A person changes a date: F4 on the selected DataComboBox row opens the date picker over the
// cell on the row's date; in the picker the arrow keys change the date, and each change
// reaches the row and the host at once.
TEST_F(AtlHostedControl, KeysChangeADateInTheDatePicker)
{
    CComPointer<CRecordingSink> pSink = LoadWithSink("Page#{#Delivered\\DataComboBox\\Enable\\#Note\\Edit\\Enable\\#}#");
    SYSTEMTIME date = {};
    date.wYear = 2021;
    date.wMonth = 3;
    date.wDay = 14;
    wchar_t text[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64);
    const std::string strStart = WideToUtf8(text);
    Invoke(m_pControl, L"SetDefaultValue", {CVariant(short(0)), CVariant(short(0)), CVariant(strStart)});
    const HWND hList = FrontList();
    ClickAt(hList, PointInRow(hList, 0, 20));
    SendMessageW(hList, WM_KEYDOWN, VK_F4, 1);
    PumpUntilIdle();
    const HWND hPicker = GetDlgItem(hList, 1000);
    ASSERT_NE(hPicker, nullptr);
    EXPECT_TRUE(IsWindowVisible(hPicker));
    wchar_t shown[64] = {};
    GetWindowTextW(hPicker, shown, 64);
    EXPECT_EQ(WideToUtf8(shown), strStart);

    SetFocus(hPicker);
    for (UINT nKey : {VK_RIGHT, VK_UP}) {
        SendMessageW(hPicker, WM_KEYDOWN, nKey, 1);
        SendMessageW(hPicker, WM_KEYUP, nKey, 0xC0000001);
    }
    PumpUntilIdle();
    GetWindowTextW(hPicker, shown, 64);
    EXPECT_NE(WideToUtf8(shown), strStart);
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Delivered")}).ToString(), WideToUtf8(shown));
    EXPECT_EQ(pSink->m_events, (std::vector<std::string>{"SelectItem 0 0", "PropertyChanging 0 0", "PropertyChanged 0 0 1"}));

    ClickAt(hList, PointInRow(hList, 1, 20));
    EXPECT_FALSE(IsWindowVisible(hPicker)) << "leaving the row hides the picker";
    pSink->Disconnect();
}

// A person picks a folder: a click in the ShellFolder row's button drops the folder tree; the
// person opens the folders down to one and presses Enter, and its path is the row's value.
TEST_F(AtlHostedControl, ClicksAndKeysChooseAFolderInTheFolderTree)
{
    const CTestFolders folders(L"velmora-hosted");
    folders.Make(L"Quarterly\\2026");
    CComPointer<CRecordingSink> pSink = LoadWithSink("Page#{#Reports\\ShellFolder\\Enable\\#}#");
    const HWND hList = FrontList();
    ClickAt(hList, PointInRow(hList, 0, 20));
    ClickAt(hList, FromRight(hList, 0, 6));
    const HWND hTree = GetFocus();
    ASSERT_NE(hTree, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(hTree, className, 64);
    ASSERT_STREQ(className, WC_TREEVIEWW);
    EXPECT_TRUE(IsWindowVisible(hTree));

    const std::wstring target = folders.Path(L"Quarterly\\2026");
    const HTREEITEM hItem = FindTreePath(hTree, target);
    ASSERT_NE(hItem, nullptr);
    SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
    SendMessageW(hTree, WM_KEYDOWN, VK_RETURN, 1);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(hTree));
    EXPECT_EQ(GetFocus(), hList);
    EXPECT_EQ(Invoke(m_pControl, L"GetDefaultValueByName", {CVariant("Reports")}).ToString(), WideToUtf8(target));
    EXPECT_EQ(pSink->m_events, (std::vector<std::string>{"SelectItem 0 0", "PropertyChanging 0 0", "PropertyChanged 0 0 1"}));
    pSink->Disconnect();
}

TEST_F(AtlHostedControl, WithoutLayoutTheFloorShowsTheBackColour)
{
    ASSERT_EQ(Put(m_pControl, L"BackColor", CVariant(static_cast<long>(RGB(20, 140, 60)))), S_OK);
    UpdateWindow(m_hControl);
    PumpUntilIdle();
    const WindowImage image = WindowImage::Capture(FloorWindow());
    EXPECT_EQ(image.Pixel(200, 150), RGB(20, 140, 60));
    EXPECT_EQ(Get(m_pControl, L"BackColor").ToLong(), static_cast<long>(RGB(20, 140, 60)));
}

TEST_F(AtlHostedControl, SleepAndAnimationReachTheFloorControl)
{
    LoadSample();
    ASSERT_EQ(Put(m_pControl, L"Sleep", CVariant(25L)), S_OK);
    EXPECT_EQ(Get(m_pControl, L"Sleep").ToLong(), 25);
    EXPECT_EQ(GetProperty(m_pFloor, L"Sleep").ToLong(), 25);
    ASSERT_EQ(Put(m_pControl, L"Animation", CVariant(true)), S_OK);
    EXPECT_TRUE(GetProperty(m_pFloor, L"Animation").ToBool());
    ASSERT_EQ(Put(m_pControl, L"AsFloor", CVariant(false)), S_OK);
    EXPECT_FALSE(GetProperty(m_pFloor, L"AsFloor").ToBool());
}

TEST_F(AtlHostedControl, StockFontGoesToTheFloorControl)
{
    LoadSample();
    CVariant font = Get(m_pControl, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    ASSERT_NE(font.pdispVal, nullptr);
    ASSERT_EQ(PutProperty(font.pdispVal, L"Size", CVariant(20.0)), S_OK);
    ASSERT_EQ(Put(m_pControl, L"Font", font), S_OK);
    CVariant floorFont = GetProperty(m_pFloor, L"Font");
    ASSERT_EQ(floorFont.vt, VT_DISPATCH);
    ASSERT_NE(floorFont.pdispVal, nullptr);
    EXPECT_GT(GetProperty(floorFont.pdispVal, L"Size").ToDouble(), 19.0);
}

TEST(ControlDrawing, WithoutAWindowItDrawsItsBackColourAndVersion)
{
    CComPointer<IDispatch> pControl = NewInProcessControl();
    ASSERT_EQ(Put(pControl, L"BackColor", CVariant(static_cast<long>(RGB(0, 0, 160)))), S_OK);
    CComPointer<IViewObject2> pView;
    ASSERT_EQ(pView.QueryFrom(pControl), S_OK);
    CCanvas hdc(200, 60);
    RECTL bounds = {0, 0, 200, 60};
    ASSERT_EQ(pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(GetPixel(hdc, 2, 2), RGB(0, 0, 160));
    EXPECT_EQ(GetPixel(hdc, 197, 57), RGB(0, 0, 160));
    // "velmora 1.0", centred: text pixels in the middle band only, and on both sides of the centre.
    int nLeft = 0, nRight = 0, nOutside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (GetPixel(hdc, x, y) == RGB(0, 0, 160))
                continue;
            if (y < 15 || y > 45)
                ++nOutside;
            else
                ++(x < 100 ? nLeft : nRight);
        }
    }
    EXPECT_GT(nLeft, 10);
    EXPECT_GT(nRight, 10);
    EXPECT_EQ(nOutside, 0);
}
