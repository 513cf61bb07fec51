// Child notifications reflected back to the child object, under both kinds of parent: a window
// object (CWnd reflects in its own procedure) and the plain test frame (a foreign container that
// reflects as OCM__BASE + message).
#include "Brush.h"
#include "Edit.h"
#include "ListCtrl.h"
#include "Pump.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace {

enum class ParentKind { WindowObject, PlainFrame };

void PrintTo(ParentKind kind, std::ostream* pOut)
{
    *pOut << (kind == ParentKind::WindowObject ? "window object parent" : "plain frame");
}

// A window object parent that records what reaches its own message map, i.e. what the child did
// not take.
class CRecordingParent : public CWnd {
public:
    std::vector<UINT> notifyCodes;
    std::vector<UINT> commandCodes;
    int drawItems = 0;
    int measureItems = 0;

    bool SawNotify(UINT code) const { return Contains(notifyCodes, code); }
    bool SawCommand(UINT code) const { return Contains(commandCodes, code); }

protected:
    LRESULT OnNotify(WPARAM, LPARAM lParam)
    {
        notifyCodes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return 0;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM)
    {
        commandCodes.push_back(HIWORD(wParam));
        return 0;
    }
    LRESULT OnDrawItem(WPARAM, LPARAM) { ++drawItems; return Default(); }
    LRESULT OnMeasureItem(WPARAM, LPARAM) { ++measureItems; return Default(); }

private:
    static bool Contains(const std::vector<UINT>& codes, UINT code)
    {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingParent, CWnd)
    ON_MESSAGE(WM_NOTIFY, OnNotify)
    ON_MESSAGE(WM_COMMAND, OnCommand)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
    ON_MESSAGE(WM_MEASUREITEM, OnMeasureItem)
END_MESSAGE_MAP(CWnd)

// A list that takes its own clicks and selection changes.
class CClickList : public CListCtrl {
public:
    std::vector<int> clicked;
    std::vector<int> selected;

protected:
    LRESULT OnClick(WPARAM, LPARAM lParam)
    {
        clicked.push_back(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return 0;
    }
    LRESULT OnItemChanged(WPARAM, LPARAM lParam)
    {
        const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((pChange->uNewState & LVIS_SELECTED) && !(pChange->uOldState & LVIS_SELECTED))
            selected.push_back(pChange->iItem);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP(CListCtrl)

// An owner-drawn list: rows 20 pixels high, each filled with the colour in its item data.
class CSwatchList : public CListCtrl {
public:
    int measuredWhileCreating = -1;
    int measured = 0;
    std::vector<int> drawn;

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override
    {
        ++measured;
        pMeasure->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        const int nItem = static_cast<int>(pDraw->itemID);
        drawn.push_back(nItem);
        const CBrush brush(static_cast<COLORREF>(GetItemData(nItem)));
        FillRect(pDraw->hDC, &pDraw->rcItem, brush);
    }
};

// An edit that counts its own changes and paints its background through the reflected
// WM_CTLCOLOREDIT.
class CTintedEdit : public CEdit {
public:
    static constexpr COLORREF kBackground = RGB(255, 255, 0);
    int changes = 0;

protected:
    LRESULT OnChange(WPARAM, LPARAM) { ++changes; return 0; }
    LRESULT OnCtlColor(WPARAM wParam, LPARAM)
    {
        SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
        return reinterpret_cast<LRESULT>(m_background.Get());
    }

private:
    CBrush m_background{kBackground};
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTintedEdit, CEdit)
    ON_COMMAND_REFLECT(EN_CHANGE, OnChange)
    ON_MESSAGE_REFLECT(WM_CTLCOLOREDIT, OnCtlColor)
END_MESSAGE_MAP(CEdit)

void SendMouseClick(HWND hWnd, POINT clientPoint)
{
    ClientToScreen(hWnd, &clientPoint);
    SetCursorPos(clientPoint.x, clientPoint.y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void SendKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1].type = INPUT_KEYBOARD;
    inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

const RECT kClient = {0, 0, 320, 240};

class ReflectionTest : public testing::TestWithParam<ParentKind> {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(320, 240);
        if (GetParam() == ParentKind::WindowObject) {
            CWnd::RegisterWindowClass(L"RecordingParent", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            ASSERT_TRUE(m_parent.Create(L"RecordingParent", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                        kClient, m_hFrame, 1));
        }
    }
    void TearDown() override { DestroyWindow(m_hFrame); }

    HWND Parent() const { return GetParam() == ParentKind::WindowObject ? m_parent.m_hWnd : m_hFrame; }
    bool HasRecordingParent() const { return GetParam() == ParentKind::WindowObject; }

    HWND m_hFrame = nullptr;
    CRecordingParent m_parent;
};

TEST_P(ReflectionTest, MouseClickOnAListRowNotifiesTheList)
{
    CClickList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, kClient, Parent(), 100));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(list.InsertItem(i, "row"), i);
    list.UpdateWindow();
    PumpUntilIdle();

    RECT third = {};
    ASSERT_TRUE(list.GetItemRect(2, &third, LVIR_LABEL));
    SendMouseClick(list, POINT{third.left + 5, (third.top + third.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return !list.clicked.empty(); }, 3000));
    EXPECT_EQ(list.clicked, std::vector<int>{2});
    EXPECT_EQ(list.selected, std::vector<int>{2});
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    if (HasRecordingParent()) {
        // What the child takes stays with it; the rest goes on to the parent's own map.
        EXPECT_FALSE(m_parent.SawNotify(static_cast<UINT>(NM_CLICK)));
        EXPECT_FALSE(m_parent.SawNotify(LVN_ITEMCHANGED));
        EXPECT_TRUE(m_parent.SawNotify(LVN_ITEMCHANGING));
    }
}

TEST_P(ReflectionTest, EditChangesReachTheEditAndItsColourRequestIsAnswered)
{
    CTintedEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, RECT{10, 10, 210, 34}, Parent(), 5));
    edit.SetWindowText("ab");
    EXPECT_EQ(edit.changes, 1);
    edit.SetFocus();
    edit.SetSel(2, 2);
    SendKey('X');
    ASSERT_TRUE(PumpUntil([&] { return edit.changes == 2; }, 3000));
    EXPECT_EQ(edit.GetWindowText(), "abx");
    edit.SetSel(0, 1);
    edit.ReplaceSel("\xc3\xa9");
    EXPECT_EQ(edit.GetWindowText(), "\xc3\xa9" "bx");
    if (HasRecordingParent()) {
        EXPECT_FALSE(m_parent.SawCommand(EN_CHANGE));
        EXPECT_TRUE(m_parent.SawCommand(EN_SETFOCUS)); // not taken by the edit
    }

    edit.Invalidate();
    edit.UpdateWindow();
    const WindowImage image = WindowImage::Capture(edit);
    const RECT client = edit.GetClientRect();
    EXPECT_EQ(image.Pixel(client.right - 4, client.bottom / 2), CTintedEdit::kBackground);
}

TEST_P(ReflectionTest, OwnerDrawnListIsMeasuredWhileBeingCreatedAndDrawsItsRows)
{
    CSwatchList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER,
                            kClient, Parent(), 101));
    EXPECT_GT(list.measured, 0); // before CreateWindowEx returned
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 320);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(list.InsertItem(i, "row"), i);
        list.SetItemData(i, colours[i]);
    }
    list.Invalidate();
    list.UpdateWindow();
    PumpUntilIdle();

    for (int i = 0; i < 3; ++i)
        EXPECT_NE(std::find(list.drawn.begin(), list.drawn.end(), i), list.drawn.end()) << "row " << i;
    const WindowImage image = WindowImage::Capture(list);
    for (int i = 0; i < 3; ++i) {
        RECT row = {};
        ASSERT_TRUE(list.GetItemRect(i, &row, LVIR_BOUNDS));
        EXPECT_EQ(row.bottom - row.top, 20);
        EXPECT_EQ(image.Pixel(100, row.top), colours[i]);
        EXPECT_EQ(image.Pixel(100, row.bottom - 1), colours[i]);
    }
    // A redraw asked for one row draws that row alone.
    list.drawn.clear();
    list.SetItemData(1, RGB(255, 255, 0));
    EXPECT_TRUE(list.RedrawItems(1, 1));
    list.UpdateWindow();
    EXPECT_EQ(list.drawn, std::vector<int>{1});
    RECT second = {};
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_BOUNDS));
    EXPECT_EQ(WindowImage::Capture(list).Pixel(100, second.top), RGB(255, 255, 0));
    if (HasRecordingParent()) {
        EXPECT_EQ(m_parent.measureItems, 0);
        EXPECT_EQ(m_parent.drawItems, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Parents, ReflectionTest, testing::Values(ParentKind::WindowObject, ParentKind::PlainFrame),
                         [](const testing::TestParamInfo<ParentKind>& info) {
                             return info.param == ParentKind::WindowObject ? std::string("WindowObjectParent")
                                                                           : std::string("PlainFrame");
                         });

} // namespace
