// The Preview and Options property pages of the registered control module, opened through
// their IPropertyPage interface with a page site of the test's own (Wine's property frame
// never applies), driven by real right clicks, menu keys and label edits, and applied as a
// frame does on OK; what reaches the edited controls is their layout text and options.
#include "ControlTestSupport.h"
#include "RecordingPageSite.h"

#include "PopupMenuChoice.h"
#include "Pump.h"
#include "ShownWindow.h"
#include "Text.h"
#include "UserInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <olectl.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// An automation object that is no control of ours: a font object.
CComPointer<IDispatch> ForeignObject()
{
    CComPointer<IDispatch> pFont;
    pFont.CreateInstance(CLSID_StdFont);
    return pFont;
}

// {F4475476-50E7-433B-91F4-34202595B584}
const CLSID kPreviewPage = {0xF4475476, 0x50E7, 0x433B, {0x91, 0xF4, 0x34, 0x20, 0x25, 0x95, 0xB5, 0x84}};
// {B8893431-478F-451F-8D41-8C3E1EFF9E1C}
const CLSID kOptionsPage = {0xB8893431, 0x478F, 0x451F, {0x8D, 0x41, 0x8C, 0x3E, 0x1E, 0xFF, 0x9E, 0x1C}};

const int kFloorId = 201;
const int kSliderId = 206;

using Row = std::vector<std::string>;

struct FindById {
    int nId;
    const wchar_t* pszClass;
    HWND hFound = nullptr;
};

BOOL CALLBACK MatchChild(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<FindById*>(lParam);
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (GetDlgCtrlID(hWnd) == pFind->nId && lstrcmpiW(className, pFind->pszClass) == 0) {
        pFind->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(HWND hParent, int nId, const wchar_t* pszClass)
{
    FindById find = {nId, pszClass};
    if (hParent)
        EnumChildWindows(hParent, &MatchChild, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

class DesignPages : public ::testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(520, 320); }

    void TearDown() override
    {
        if (m_pPage) {
            m_pPage->Deactivate();
            m_pPage->SetPageSite(nullptr);
            m_pPage = CComPointer<IPropertyPage>();
        }
        DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    CComPointer<IDispatch> NewControl(const std::string& strLayout)
    {
        CComPointer<IDispatch> pControl = NewInProcessControl();
        EXPECT_EQ(Put(pControl, L"PagesAndItems", CVariant(strLayout)), S_OK);
        return pControl;
    }

    void Open(const CLSID& clsid, std::vector<IUnknown*> objects)
    {
        ASSERT_EQ(m_pPage.CreateInstance(clsid), S_OK);
        ASSERT_EQ(m_pPage->SetPageSite(&m_site), S_OK);
        ASSERT_EQ(m_pPage->SetObjects(static_cast<ULONG>(objects.size()), objects.empty() ? nullptr : objects.data()), S_OK);
        RECT rect = {0, 0, 520, 320};
        ASSERT_EQ(m_pPage->Activate(m_hFrame, &rect, FALSE), S_OK);
        ASSERT_EQ(m_pPage->Show(SW_SHOW), S_OK);
        PumpUntilIdle();
    }

    // A new control with the layout, its Preview page open.
    CComPointer<IDispatch> Preview(const std::string& strLayout)
    {
        CComPointer<IDispatch> pControl = NewControl(strLayout);
        Open(kPreviewPage, {pControl.Get()});
        return pControl;
    }

    HWND Dialog() const { return GetWindow(m_hFrame, GW_CHILD); }
    HWND Floor() const { return GetDlgItem(Dialog(), kFloorId); }
    HWND List(int nPage) const { return FindDescendant(Floor(), 1000 + nPage, L"SysListView32"); }
    int RowCount(int nPage) const { return static_cast<int>(SendMessageW(List(nPage), LVM_GETITEMCOUNT, 0, 0)); }

    Row RowAt(int nPage, int nRow) const
    {
        Row row;
        for (int nColumn = 0; nColumn < 5; ++nColumn)
            row.push_back(CellText(List(nPage), nRow, nColumn));
        return row;
    }

    // Selects exactly these rows of the page, the last one focused, as clicks with Ctrl do.
    void Select(int nPage, std::vector<int> rows)
    {
        const HWND hList = List(nPage);
        ListView_SetItemState(hList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int nRow : rows)
            ListView_SetItemState(hList, nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    // A right click on the row (below the last row for -1), then the menu item at path.
    std::vector<MenuItemSeen> Choose(int nPage, int nRow, const std::vector<std::string>& path)
    {
        const HWND hList = List(nPage);
        POINT pt = {20, 0};
        if (nRow >= 0) {
            pt = PointInRow(hList, nRow, 20);
        } else {
            RECT client = {};
            GetClientRect(hList, &client);
            pt.y = client.bottom - 3;
        }
        std::vector<MenuItemSeen> seen = ChooseFromPopupMenu([&] { RightClickAt(hList, pt); }, path);
        PumpUntilIdle();
        return seen;
    }

    // Types into the open label editor and ends the edit with Enter.
    void TypeLabel(int nPage, const std::string& strText)
    {
        const HWND hEdit = reinterpret_cast<HWND>(SendMessageW(List(nPage), LVM_GETEDITCONTROL, 0, 0));
        ASSERT_NE(hEdit, nullptr);
        for (wchar_t ch : Utf8ToWide(strText))
            SendMessageW(hEdit, WM_CHAR, ch, 1);
        SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
        PumpUntilIdle();
    }

    std::string Applied(IDispatch* pControl)
    {
        EXPECT_EQ(m_pPage->Apply(), S_OK);
        return Get(pControl, L"PagesAndItems").ToString();
    }

    HWND m_hFrame = nullptr;
    CRecordingPageSite m_site;
    CComPointer<IPropertyPage> m_pPage;
};

const char kTwoPages[] = "General#{#Name\\Edit\\Enable\\#Colour\\ColorComboBox\\Grayed\\#Size\\Edit\\Black\\#}#"
                         "Shape#[Group]#{#Position\\Group\\Enable\\#Left\\Edit\\Enable\\Position#Top\\Edit\\Grayed\\position#}#";

TEST_F(DesignPages, PreviewShowsTheLayoutAsTextRowsAndWritesItBackUnchanged)
{
    CComPointer<IDispatch> pControl = Preview(kTwoPages);
    PROPPAGEINFO info = {};
    ASSERT_EQ(m_pPage->GetPageInfo(&info), S_OK);
    EXPECT_EQ(WideToUtf8(info.pszTitle), "Preview");
    CoTaskMemFree(info.pszTitle);
    ASSERT_NE(List(0), nullptr);
    ASSERT_NE(List(1), nullptr);
    // The floor fills its place in the "Pages" frame, with the front page's list in it.
    RECT rcFloor = {};
    GetWindowRect(Floor(), &rcFloor);
    MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&rcFloor), 2);
    RECT rcExpected = {7, 13, 7 + 205, 13 + 88};
    MapDialogRect(Dialog(), &rcExpected);
    EXPECT_TRUE(EqualRect(&rcFloor, &rcExpected));
    EXPECT_TRUE(IsWindowVisible(Floor()));
    EXPECT_TRUE(GetWindowLongW(Floor(), GWL_STYLE) & WS_TABSTOP);   // a stop of the page's Tab order
    // Above the frame around it, which would paint over it.
    const HWND hFrameBox = FindWindowExW(Dialog(), nullptr, L"Button", L"Pages");
    ASSERT_NE(hFrameBox, nullptr);
    for (HWND hAbove = GetWindow(Floor(), GW_HWNDPREV); hAbove; hAbove = GetWindow(hAbove, GW_HWNDPREV))
        EXPECT_NE(hAbove, hFrameBox);
    RECT rcList = {};
    GetClientRect(List(0), &rcList);
    EXPECT_TRUE(IsWindowVisible(List(0)));
    EXPECT_GT(rcList.right, 100);
    EXPECT_EQ(RowCount(0), 3);
    EXPECT_EQ(RowAt(0, 1), (Row{"Colour", "ColorComboBox", "Grayed", "", "1"}));
    EXPECT_EQ(RowAt(1, 2), (Row{"Top", "Edit", "Grayed", "position", "2"}));
    // A grouped page is a plain table here, its members listed as they stand.
    EXPECT_EQ(RowCount(1), 3);
    EXPECT_EQ(SendMessageW(GetDlgItem(Dialog(), kSliderId), TBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(m_pPage->IsPageDirty(), S_FALSE);
    EXPECT_EQ(m_site.DirtyReports(), 0);

    // Apply writes only a page that was changed; the frame asks a dirty page.
    static_cast<void>(Choose(0, 0, {"Type", "Enable"}));
    EXPECT_EQ(m_pPage->IsPageDirty(), S_OK);
    EXPECT_EQ(Applied(pControl), kTwoPages);
    EXPECT_EQ(m_pPage->IsPageDirty(), S_FALSE);
}

TEST_F(DesignPages, InsertAppendsANamedRowAndRenumbers)
{
    CComPointer<IDispatch> pControl = Preview(kTwoPages);
    static_cast<void>(Choose(0, -1, {"Insert"}));
    ASSERT_EQ(RowCount(0), 4);
    TypeLabel(0, "Depth");
    EXPECT_EQ(RowAt(0, 3), (Row{"Depth", "Edit", "Enable", "", "3"}));
    EXPECT_GE(m_site.DirtyReports(), 1);

    // With the focus on row 1 the new row comes after it, and every row gets its new number.
    Select(0, {1});
    static_cast<void>(Choose(0, 1, {"As", "Button"}));
    static_cast<void>(Choose(0, 1, {"Type", "Read Only"}));
    static_cast<void>(Choose(0, 1, {"Insert"}));
    TypeLabel(0, "Knob");
    EXPECT_EQ(RowAt(0, 2), (Row{"Knob", "Button", "Black", "", "2"}));
    EXPECT_EQ(RowAt(0, 4), (Row{"Depth", "Edit", "Enable", "", "4"}));
    EXPECT_EQ(Applied(pControl),
              "General#{#Name\\Edit\\Enable\\#Colour\\Button\\Black\\#Knob\\Button\\Black\\#Size\\Edit\\Black\\#"
              "Depth\\Edit\\Enable\\#}#"
              "Shape#[Group]#{#Position\\Group\\Enable\\#Left\\Edit\\Enable\\Position#Top\\Edit\\Grayed\\position#}#");
}

TEST_F(DesignPages, TheMenuShowsWhatCanBeDoneAndTheLastChoices)
{
    CComPointer<IDispatch> pControl = Preview(kTwoPages);
    Select(0, {});
    std::vector<MenuItemSeen> seen = Choose(0, -1, {});
    ASSERT_FALSE(seen.empty());
    ASSERT_NE(FindMenuItem(seen, "Edit"), nullptr);
    EXPECT_TRUE(FindMenuItem(seen, "Edit")->bGrayed);
    EXPECT_TRUE(FindMenuItem(seen, "Delete")->bGrayed);
    EXPECT_FALSE(FindMenuItem(seen, "Insert")->bGrayed);
    EXPECT_EQ(FindMenuItem(seen, "Groups"), nullptr);   // no group row on this page
    const MenuItemSeen* pAs = FindMenuItem(seen, "As");
    ASSERT_NE(pAs, nullptr);
    EXPECT_TRUE(FindMenuItem(pAs->submenu, "UserComboBox")->bGrayed);
    EXPECT_TRUE(FindMenuItem(pAs->submenu, "Edit")->bChecked);
    EXPECT_TRUE(FindMenuItem(FindMenuItem(seen, "Type")->submenu, "Enable")->bChecked);

    seen = Choose(0, 2, {"Type", "Disable (Grayed)"});
    EXPECT_FALSE(FindMenuItem(seen, "Edit")->bGrayed);
    EXPECT_FALSE(FindMenuItem(seen, "Delete")->bGrayed);
    EXPECT_EQ(RowAt(0, 2)[2], "Grayed");
    seen = Choose(0, 2, {});
    EXPECT_TRUE(FindMenuItem(FindMenuItem(seen, "Type")->submenu, "Disable (Grayed)")->bChecked);
    EXPECT_FALSE(FindMenuItem(FindMenuItem(seen, "Type")->submenu, "Enable")->bChecked);
}

// Shift+F10 or the menu key (a context menu without a position) opens the menu at the
// selected row, not at the screen's corner.
TEST_F(DesignPages, TheMenuFromTheKeyboardOpensAtTheSelectedRow)
{
    CComPointer<IDispatch> pControl = Preview(kTwoPages);
    Select(0, {2});
    const HWND hList = List(0);
    RECT shown = {};
    ASSERT_FALSE(ChooseFromPopupMenu([&] { SendMessageW(hList, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hList), MAKELPARAM(-1, -1)); },
                                     {}, &shown).empty());
    RECT row = {};
    ListView_GetItemRect(hList, 2, &row, LVIR_LABEL);
    MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&row), 2);
    EXPECT_GE(shown.top, row.top);
    EXPECT_LE(shown.top, row.bottom);
    EXPECT_LT(shown.left, (row.left + row.right) / 2);
    EXPECT_GT(shown.right, (row.left + row.right) / 2);
}

TEST_F(DesignPages, GroupsAreSetClearedRenamedAndDeletedWithTheirMembers)
{
    CComPointer<IDispatch> pControl = Preview("Shape#[Group]#{#Position\\Group\\Enable\\#Left\\Edit\\Enable\\Position#"
                                                 "Top\\Edit\\Grayed\\position#Size\\Group\\Enable\\#Width\\Edit\\Enable\\#}#");
    std::vector<MenuItemSeen> seen = Choose(0, 4, {"Groups", "Size"});
    const MenuItemSeen* pGroups = FindMenuItem(seen, "Groups");
    ASSERT_NE(pGroups, nullptr);
    ASSERT_EQ(pGroups->submenu.size(), 3u);
    EXPECT_EQ(pGroups->submenu[0].strText, "");
    EXPECT_EQ(pGroups->submenu[1].strText, "Position");
    EXPECT_EQ(pGroups->submenu[2].strText, "Size");
    EXPECT_EQ(RowAt(0, 4)[3], "Size");

    // The empty item takes rows out of their group; a group row never gets one.
    Select(0, {1});
    static_cast<void>(Choose(0, 1, {"Groups", ""}));
    EXPECT_EQ(RowAt(0, 1)[3], "");
    Select(0, {3});
    static_cast<void>(Choose(0, 3, {"Groups", "Position"}));
    EXPECT_EQ(RowAt(0, 3)[3], "");

    // Renaming a group row takes its members along (whatever their case); deleting one leaves
    // its members in no group.
    Select(0, {0});
    static_cast<void>(Choose(0, 0, {"Edit"}));
    TypeLabel(0, "Place");
    EXPECT_EQ(RowAt(0, 0)[0], "Place");
    EXPECT_EQ(RowAt(0, 2)[3], "Place");
    Select(0, {3});
    static_cast<void>(Choose(0, 3, {"Delete"}));
    ASSERT_EQ(RowCount(0), 4);
    EXPECT_EQ(RowAt(0, 3), (Row{"Width", "Edit", "Enable", "", "3"}));

    // A row made a group belongs to no group.
    Select(0, {2});
    static_cast<void>(Choose(0, 2, {"As", "Group"}));
    EXPECT_EQ(Applied(pControl), "Shape#[Group]#{#Place\\Group\\Enable\\#Left\\Edit\\Enable\\#Top\\Group\\Grayed\\#"
                                 "Width\\Edit\\Enable\\#}#");

    // Without group rows the page is written ungrouped.
    Select(0, {0, 2});
    static_cast<void>(Choose(0, 2, {"Delete"}));
    EXPECT_EQ(Applied(pControl), "Shape#{#Left\\Edit\\Enable\\#Width\\Edit\\Enable\\#}#");
}

TEST_F(DesignPages, LabelsWithLayoutSeparatorsAreWrittenAsTheyStand)
{
    CComPointer<IDispatch> pControl = Preview("P#{#a\\Edit\\Enable\\#}#");
    Select(0, {0});
    static_cast<void>(Choose(0, 0, {"Edit"}));
    TypeLabel(0, "x#y\\z{}");
    EXPECT_EQ(Applied(pControl), "P#{#x#y\\z{}\\Edit\\Enable\\#}#");
    // An emptied label keeps the name.
    static_cast<void>(Choose(0, 0, {"Edit"}));
    const HWND hEdit = reinterpret_cast<HWND>(SendMessageW(List(0), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(hEdit, nullptr);
    SetWindowTextW(hEdit, L"");
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
    PumpUntilIdle();
    EXPECT_EQ(RowAt(0, 0)[0], "x#y\\z{}");
}

TEST_F(DesignPages, MalformedLayoutIsShownAsFarAsItReads)
{
    CComPointer<IDispatch> pControl = Preview("A#{#x\\Edit\\Enable\\#{#y\\Edit\\Enable\\#}#z\\Edit#}#B#");
    ASSERT_EQ(RowCount(0), 1);
    EXPECT_EQ(List(1), nullptr);
    static_cast<void>(Choose(0, 0, {"Type", "Enable"}));
    EXPECT_EQ(Applied(pControl), "A#{#z\\Edit\\Enable\\#}#");
}

TEST_F(DesignPages, TheSliderAddsAndRemovesPagesFromTheEnd)
{
    CComPointer<IDispatch> pControl = Preview("A#{#}#B#{#}#C#{#}#");
    const HWND hSlider = GetDlgItem(Dialog(), kSliderId);
    auto slide = [&](int nPos) {
        SendMessageW(hSlider, TBM_SETPOS, TRUE, nPos);
        SendMessageW(Dialog(), WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, nPos), reinterpret_cast<LPARAM>(hSlider));
        PumpUntilIdle();
    };
    slide(1);
    EXPECT_EQ(m_pPage->IsPageDirty(), S_OK);
    EXPECT_EQ(Applied(pControl), "A#{#}#");
    slide(3);
    EXPECT_EQ(Applied(pControl), "A#{#}#Page 2#{#}#Page 3#{#}#");
    slide(0);
    EXPECT_EQ(Applied(pControl), "");
}

TEST_F(DesignPages, SeveralControlsTakeTheLastLayoutAndAllGetTheResult)
{
    CComPointer<IDispatch> pFirst = NewControl("First#{#a\\Edit\\Enable\\#}#");
    CComPointer<IDispatch> pSecond = NewControl("Second#{#b\\Edit\\Enable\\#c\\Edit\\Enable\\#}#");
    CComPointer<IDispatch> pOther = ForeignObject();   // no layout of its own
    Open(kPreviewPage, {pFirst.Get(), pOther.Get(), pSecond.Get()});
    ASSERT_EQ(RowCount(0), 2);
    static_cast<void>(Choose(0, 0, {"Type", "Read Only"}));
    EXPECT_EQ(Applied(pFirst), "Second#{#b\\Edit\\Black\\#c\\Edit\\Enable\\#}#");
    EXPECT_EQ(Get(pSecond, L"PagesAndItems").ToString(), "Second#{#b\\Edit\\Black\\#c\\Edit\\Enable\\#}#");
}

TEST_F(DesignPages, NoObjectsOrForeignOnesGiveAnEmptyFloorThatAppliesNothing)
{
    Open(kPreviewPage, {});
    EXPECT_EQ(List(0), nullptr);
    EXPECT_EQ(m_pPage->Apply(), S_OK);
    m_pPage->Deactivate();
    m_pPage->SetPageSite(nullptr);
    m_pPage = CComPointer<IPropertyPage>();

    CComPointer<IDispatch> pOther = ForeignObject();
    Open(kPreviewPage, {pOther.Get()});
    EXPECT_EQ(List(0), nullptr);
    const HWND hSlider = GetDlgItem(Dialog(), kSliderId);
    SendMessageW(hSlider, TBM_SETPOS, TRUE, 2);
    SendMessageW(Dialog(), WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 2), reinterpret_cast<LPARAM>(hSlider));
    EXPECT_NE(List(1), nullptr);
    EXPECT_EQ(m_pPage->Apply(), S_OK);
}

TEST_F(DesignPages, AControlReleasedWhileItsPageIsOpenIsStillWritten)
{
    CComPointer<IDispatch> pControl = Preview("P#{#a\\Edit\\Enable\\#}#");
    CComPointer<IDispatch> pWatched = pControl;
    pControl = CComPointer<IDispatch>();
    static_cast<void>(Choose(0, 0, {"Delete"}));
    EXPECT_EQ(Applied(pWatched), "P#{#}#");
    // The frame lets go of the objects before it closes the page: the floor is emptied, and
    // an Apply then has nobody to write to.
    ASSERT_EQ(m_pPage->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(List(0), nullptr);
    EXPECT_EQ(Applied(pWatched), "P#{#}#");
}

// A double click on a caption edits it in place; the editor keeps the focus once, so the edit
// ends at the second focus loss, and an emptied text keeps the old caption.
TEST_F(DesignPages, CaptionsAreEditedInPlace)
{
    CComPointer<IDispatch> pControl = Preview("General#{#a\\Edit\\Enable\\#}#Extra#{#}#");
    // The floor control draws its captions in a view of its own.
    const HWND hFloorView = FindWindowExW(Floor(), nullptr, L"FloorControlView", nullptr);
    ASSERT_NE(hFloorView, nullptr);
    auto editCaption = [&](const std::wstring& text) {
        SendMessageW(hFloorView, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
        PumpUntilIdle();
        const HWND hEditor = FindDescendant(Floor(), 1000, L"Edit");
        EXPECT_TRUE(hEditor && IsWindowVisible(hEditor));
        EXPECT_EQ(GetFocus(), hEditor);
        wchar_t shown[64] = {};
        GetWindowTextW(hEditor, shown, 64);
        SendMessageW(hEditor, WM_KEYDOWN, VK_DELETE, 1); // the whole caption is selected
        for (wchar_t ch : text)
            SendMessageW(hEditor, WM_CHAR, ch, 1);
        SetFocus(List(0));
        PumpUntilIdle();
        EXPECT_EQ(GetFocus(), hEditor);   // taken back once
        SetFocus(List(0));
        PumpUntilIdle();
        EXPECT_FALSE(IsWindowVisible(hEditor));
        return WideToUtf8(shown);
    };
    EXPECT_EQ(editCaption(L"Main"), "General");
    EXPECT_EQ(m_pPage->IsPageDirty(), S_OK);
    EXPECT_EQ(Applied(pControl), "Main#{#a\\Edit\\Enable\\#}#Extra#{#}#");
    EXPECT_EQ(editCaption(L""), "Main");
    EXPECT_EQ(m_pPage->IsPageDirty(), S_FALSE);
    EXPECT_EQ(Applied(pControl), "Main#{#a\\Edit\\Enable\\#}#Extra#{#}#");

    // The editor has the mouse: a click outside it ends the edit.
    SendMessageW(hFloorView, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
    PumpUntilIdle();
    const HWND hEditor = FindDescendant(Floor(), 1000, L"Edit");
    ASSERT_TRUE(IsWindowVisible(hEditor));
    EXPECT_EQ(GetCapture(), hEditor);
    RECT rcEditor = {};
    GetClientRect(hEditor, &rcEditor);
    const LPARAM outside = MAKELPARAM(rcEditor.right + 20, rcEditor.bottom + 40);
    SendMessageW(hEditor, WM_LBUTTONDOWN, MK_LBUTTON, outside);
    SendMessageW(hEditor, WM_LBUTTONUP, 0, outside);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(hEditor));
    EXPECT_NE(GetCapture(), hEditor);

    // Enter is typed into the caption as a line break, offered to the page first as a frame
    // does, or sent to the editor straight.
    SendMessageW(hFloorView, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
    PumpUntilIdle();
    ASSERT_TRUE(IsWindowVisible(hEditor));
    SendMessageW(hEditor, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(hEditor, WM_CHAR, L'X', 1);
    MSG enter = {hEditor, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    if (m_pPage->TranslateAccelerator(&enter) != S_OK) {
        TranslateMessage(&enter);
        DispatchMessageW(&enter);
    }
    PumpUntilIdle();
    SendMessageW(hEditor, WM_CHAR, L'Y', 1);
    SendMessageW(hEditor, WM_CHAR, L'\r', 1);
    SendMessageW(hEditor, WM_CHAR, L'Z', 1);
    EXPECT_TRUE(m_site.keysOffered.empty());
    SetFocus(List(0));
    PumpUntilIdle();
    SetFocus(List(0));
    PumpUntilIdle();
    EXPECT_EQ(Applied(pControl), "X\r\nY\r\nZ#{#a\\Edit\\Enable\\#}#Extra#{#}#");
}

// The design floor takes the back colour of the first edited control: its captions show it.
TEST_F(DesignPages, TheFloorHasTheBackColourOfTheFirstControl)
{
    CComPointer<IDispatch> pFirst = NewControl("General#{#}#Extra#{#}#");
    CComPointer<IDispatch> pSecond = NewControl("General#{#}#Extra#{#}#");
    ASSERT_EQ(Put(pFirst, L"BackColor", CVariant(static_cast<long>(RGB(0, 128, 0)))), S_OK);
    ASSERT_EQ(Put(pSecond, L"BackColor", CVariant(static_cast<long>(RGB(128, 0, 0)))), S_OK);
    Open(kPreviewPage, {pFirst.Get(), pSecond.Get()});
    const HWND hFloorView = FindWindowExW(Floor(), nullptr, L"FloorControlView", nullptr);
    ASSERT_NE(hFloorView, nullptr);
    RedrawWindow(hFloorView, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const HDC hdc = GetDC(hFloorView);
    EXPECT_EQ(GetPixel(hdc, 6, 10), RGB(0, 128, 0));
    ReleaseDC(hFloorView, hdc);
}

// Keys offered to a page first, as a frame does: the Preview page keeps Escape (and the cancel
// key); every other key that no control of the page asks for goes on to the frame.
TEST_F(DesignPages, PagesKeepTheirOwnKeysAndHandTheRestToTheFrame)
{
    const struct {
        bool bPreview;
        WPARAM nKey;
        bool bToFrame;
    } cases[] = {
        {true, VK_ESCAPE, false}, {true, VK_CANCEL, false}, {true, VK_RETURN, true},
        {false, VK_ESCAPE, true}, {false, VK_RETURN, true},
    };
    CComPointer<IDispatch> pControl = NewControl("P#{#a\\Edit\\Enable\\#}#");
    for (const auto& key : cases) {
        SCOPED_TRACE(std::to_string(key.bPreview) + " " + std::to_string(key.nKey));
        Open(key.bPreview ? kPreviewPage : kOptionsPage, {pControl.Get()});
        const HWND hFocus = key.bPreview ? List(0) : GetDlgItem(Dialog(), 211);
        SetFocus(hFocus);
        m_site.keysOffered.clear();
        MSG msg = {hFocus, WM_KEYDOWN, key.nKey, 1, 0, {0, 0}};
        EXPECT_EQ(m_pPage->TranslateAccelerator(&msg), S_OK);
        EXPECT_EQ(m_site.keysOffered, key.bToFrame ? std::vector<WPARAM>{key.nKey} : std::vector<WPARAM>{});
        EXPECT_EQ(m_pPage->IsPageDirty(), S_FALSE);
        m_pPage->Deactivate();
        m_pPage->SetPageSite(nullptr);
        m_pPage = CComPointer<IPropertyPage>();
    }
}

TEST_F(DesignPages, OptionsShowTheControlsFlagsAndWriteThemBack)
{
    CComPointer<IDispatch> pControl = NewControl("P#{#}#");
    ASSERT_EQ(Put(pControl, L"ToolTips", CVariant(true)), S_OK);
    ASSERT_EQ(Put(pControl, L"FirstPageHasCaption", CVariant(false)), S_OK);
    ASSERT_EQ(Put(pControl, L"AsFloor", CVariant(true)), S_OK);
    ASSERT_EQ(Put(pControl, L"ResizeFirstColumn", CVariant(false)), S_OK);
    ASSERT_EQ(Put(pControl, L"Animation", CVariant(true)), S_OK);
    Open(kOptionsPage, {pControl.Get()});
    PROPPAGEINFO info = {};
    ASSERT_EQ(m_pPage->GetPageInfo(&info), S_OK);
    EXPECT_EQ(WideToUtf8(info.pszTitle), "Options");
    CoTaskMemFree(info.pszTitle);
    const struct {
        int nId;
        const char* pszText;
        const wchar_t* pszProperty;
        bool bShown;
    } boxes[] = {
        {211, "ToolTips", L"ToolTips", true},
        {212, "First page has caption", L"FirstPageHasCaption", false},
        {213, "Looks as floor...", L"AsFloor", true},
        {214, "Resize first column", L"ResizeFirstColumn", false},
        {215, "Animation", L"Animation", true},
    };
    for (const auto& box : boxes) {
        const HWND hBox = GetDlgItem(Dialog(), box.nId);
        ASSERT_NE(hBox, nullptr) << box.pszText;
        wchar_t text[64] = {};
        GetWindowTextW(hBox, text, 64);
        EXPECT_EQ(WideToUtf8(text), box.pszText);
        EXPECT_EQ(IsDlgButtonChecked(Dialog(), box.nId) == BST_CHECKED, box.bShown) << box.pszText;
    }
    EXPECT_EQ(m_pPage->IsPageDirty(), S_FALSE);
    for (const auto& box : boxes)
        ClickAt(GetDlgItem(Dialog(), box.nId), POINT{5, 5});
    EXPECT_EQ(m_pPage->IsPageDirty(), S_OK);
    EXPECT_EQ(Get(pControl, L"ToolTips").ToBool(), true);   // nothing written before Apply
    ASSERT_EQ(m_pPage->Apply(), S_OK);
    for (const auto& box : boxes)
        EXPECT_EQ(Get(pControl, box.pszProperty).ToBool(), !box.bShown) << box.pszText;
}

// With several controls the boxes show the first control that has the options, and Apply
// writes every control only the options that were changed; the others keep their own.
TEST_F(DesignPages, OptionsWriteOnlyTheChangedFlagsToSeveralControls)
{
    CComPointer<IDispatch> pFirst = NewControl("P#{#}#");
    CComPointer<IDispatch> pSecond = NewControl("P#{#}#");
    ASSERT_EQ(Put(pFirst, L"ToolTips", CVariant(true)), S_OK);
    ASSERT_EQ(Put(pFirst, L"Animation", CVariant(false)), S_OK);
    ASSERT_EQ(Put(pSecond, L"ToolTips", CVariant(false)), S_OK);
    ASSERT_EQ(Put(pSecond, L"Animation", CVariant(false)), S_OK);
    CComPointer<IDispatch> pOther = ForeignObject();   // has none of the options
    Open(kOptionsPage, {pOther.Get(), pFirst.Get(), pSecond.Get()});
    EXPECT_EQ(IsDlgButtonChecked(Dialog(), 211), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(Dialog(), 215), BST_UNCHECKED);
    ClickAt(GetDlgItem(Dialog(), 215), POINT{5, 5});
    ASSERT_EQ(m_pPage->Apply(), S_OK);
    EXPECT_TRUE(Get(pFirst, L"Animation").ToBool());
    EXPECT_TRUE(Get(pSecond, L"Animation").ToBool());
    EXPECT_TRUE(Get(pFirst, L"ToolTips").ToBool());
    EXPECT_FALSE(Get(pSecond, L"ToolTips").ToBool());

    // Once applied, a change is not written again with the next one.
    ASSERT_EQ(Put(pSecond, L"Animation", CVariant(false)), S_OK);
    ClickAt(GetDlgItem(Dialog(), 211), POINT{5, 5});
    ASSERT_EQ(m_pPage->Apply(), S_OK);
    EXPECT_FALSE(Get(pFirst, L"ToolTips").ToBool());
    EXPECT_FALSE(Get(pSecond, L"Animation").ToBool());
}

// What the system's property frame shows: its tabs and whether the Preview page's floor is in it.
struct FrameSeen {
    std::string strCaption;
    std::vector<std::string> tabs;
    bool bFloor = false;
};

FrameSeen* g_pFrameSeen = nullptr;

void CALLBACK LookAtFrameAndCancel(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hFrame = ShownWindow(L"#32770");
    if (!hFrame || !g_pFrameSeen)
        return;
    KillTimer(nullptr, nTimer);
    wchar_t text[256] = {};
    GetWindowTextW(hFrame, text, 256);
    g_pFrameSeen->strCaption = WideToUtf8(text);
    const HWND hTabs = FindWindowExW(hFrame, nullptr, WC_TABCONTROLW, nullptr);
    const int nTabs = hTabs ? TabCtrl_GetItemCount(hTabs) : 0;
    for (int i = 0; i < nTabs; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(hTabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        g_pFrameSeen->tabs.push_back(WideToUtf8(text));
    }
    g_pFrameSeen->bFloor = FindDescendant(hFrame, 1000, L"SysListView32") != nullptr;
    PostMessageW(hFrame, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Wine's frame opens the pages on the control's layout; it never applies them (closed with
// Cancel here, it is not asked to).
TEST_F(DesignPages, WinesPropertyFrameOpensBothPages)
{
    CComPointer<IDispatch> pControl = NewControl(kTwoPages);
    IUnknown* objects[] = {pControl.Get()};
    CLSID pages[] = {kPreviewPage, kOptionsPage};
    FrameSeen seen;
    g_pFrameSeen = &seen;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &LookAtFrameAndCancel);
    const HRESULT hr =
        OleCreatePropertyFrame(m_hFrame, 0, 0, L"kvVelmora", 1, objects, 2, pages, LOCALE_USER_DEFAULT, 0, nullptr);
    KillTimer(nullptr, nTimer);
    g_pFrameSeen = nullptr;
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(seen.tabs, (std::vector<std::string>{"Preview", "Options"})) << seen.strCaption;
    EXPECT_TRUE(seen.bFloor);
    EXPECT_EQ(Get(pControl, L"PagesAndItems").ToString(), kTwoPages);
}

} // namespace
