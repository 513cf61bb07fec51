// The page list driven as a user drives it: real mouse and key messages.
#include "AsControls.h"
#include "ControlsFactory.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "TestKinds.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

const int kListWidth = 600;
const int kListHeight = 300;
const COLORREF kNavy = RGB(0, 0, 128);

// What the recording kinds were asked, as "<row name> <operation>".
std::vector<std::string>& KindCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

// The editor of the recording kinds: an edit box that notes the key messages it gets.
class CRecordingEditor : public CWnd {
public:
    std::vector<std::string> keys;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            keys.push_back(FormatText("%04X %02X", message, static_cast<unsigned>(wParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A row kind that notes what the page list asks of it under the name its row had when the
// object was made, so an object that ended up on another row shows.
class CRecordingKind : public CControlsWnd {
public:
    std::string m_strMadeFor;
    CRecordingEditor m_editor;

    CWnd* CreateEditor() override
    {
        m_strMadeFor = m_pList->GetItemText(static_cast<int>(m_nRow), 0);
        m_editor.Create(L"EDIT", "", WS_CHILD, 0, RECT{0, 0, 0, 0}, m_pList->GetListWindow(), 0);
        return &m_editor;
    }
    void ShowEditor(int nMode) override
    {
        Record(FormatText("show %d", nMode));
        const CLifeToken::CWatch alive = Watch();
        CControlsWnd::ShowEditor(nMode);
        if (alive)
            PlaceEditor(RECT{0, 0, 0, 0});
    }
    void DoDefaultAction() override { Record("default"); }
    void LoadItems() override { Record("load"); }

protected:
    void Record(const std::string& strWhat) { KindCalls().push_back(m_strMadeFor + " " + strWhat); }
};

// Like the real Edit kind: its editor takes the focus, and hiding it is left to Release.
class CEditRowKind : public CRecordingKind {
public:
    std::string GetClassName() const override { return "CControlsWnd_CEdit"; }
    void ShowEditor(int nMode) override
    {
        const CLifeToken::CWatch alive = Watch();
        CRecordingKind::ShowEditor(nMode);
        if (alive)
            m_editor.SetFocus();
    }
    void HideEditor(BOOL) override {}
};

// Like a drop-down kind: the editor opens beside the focus, and hides through the base.
class CListRowKind : public CRecordingKind {
public:
    std::string GetClassName() const override { return "CControlsWnd_CComboBox"; }
    void HideEditor(BOOL bFlag) override
    {
        Record("hide");
        CControlsWnd::HideEditor(bFlag);
    }
};

CControlsWndPtr NoObject()
{
    return nullptr;
}

// The fake control, with its ResizeFirstColumn option, and a host that acts once inside the
// handler of SelectItem.
class CHostOwner : public CFakeOwner {
public:
    BOOL bResizeFirstColumn = TRUE;
    std::function<void()> onSelect;

    BOOL GetResizeFirstColumn() const override { return bResizeFirstColumn; }
    void FireSelectItem(long nPage, long nRow) override
    {
        CFakeOwner::FireSelectItem(nPage, nRow);
        if (const std::function<void()> act = std::exchange(onSelect, nullptr))
            act();
    }
};

class PageListInputTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        RegisterControlsClass("CControlsWnd_CEdit", &NewControlsObject<CEditRowKind>);
        RegisterControlsClass("CControlsWnd_CComboBox", &NewControlsObject<CListRowKind>);
        KindCalls().clear();
        CPageListCtrl::SetAutoResizingColumns(TRUE);
        m_hFrame = CreateTestFrame(kListWidth + 20, kListHeight + 20);
        m_pList = std::make_unique<CPageListCtrl>(&m_owner, 18);
        ASSERT_TRUE(m_pList->Create(m_hFrame, 1000));
        m_pList->MoveWindow(RECT{0, 0, kListWidth, kListHeight});
        m_pList->SetPageIndex(5);
        for (const char* const* row : kRows)
            m_pList->AddItemFromText(row[0], row[1], row[2], "");
        PumpUntilIdle();
        m_owner.events.clear();
    }
    void TearDown() override
    {
        m_pList.reset();
        m_owner.rowMaps.Clear();
        DestroyWindow(m_hFrame);
        CPageListCtrl::SetAutoResizingColumns(TRUE);
        RegisterControlsClass("CControlsWnd_CEdit", &NoObject);
        RegisterTestKinds();
    }

    CPageListCtrl& List() { return *m_pList; }

    POINT ToScreen(POINT pt) const
    {
        ClientToScreen(m_pList->m_hWnd, &pt);
        return pt;
    }

    // The list reads where the mouse is from the last message it got: the cursor goes there
    // first, and its move is taken from the queue.
    void MoveCursor(POINT pt)
    {
        const POINT screen = ToScreen(pt);
        SetCursorPos(screen.x, screen.y);
        PumpUntilIdle();
    }

    LRESULT Mouse(UINT message, POINT pt, WPARAM keys = 0)
    {
        MoveCursor(pt);
        return List().SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
    }

    void Click(POINT pt)
    {
        Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON);
        if (m_pList)
            List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }

    void Key(UINT nChar)
    {
        List().SendMessage(WM_KEYDOWN, nChar, 1);
    }

    POINT NamePoint(int nRow)
    {
        RECT bounds = {};
        List().GetItemRect(nRow, &bounds, LVIR_BOUNDS);
        return POINT{40, (bounds.top + bounds.bottom) / 2};
    }

    // The row selected and drawn, so that its row button is where the list drew it.
    RECT ButtonOf(int nRow)
    {
        Click(NamePoint(nRow));
        List().Invalidate();
        List().UpdateWindow();
        PumpUntilIdle();
        return List().GetButtonRect();
    }

    POINT DividerPoint() { return POINT{List().GetColumnWidth(0), 100}; }

    CRecordingKind* Active() { return dynamic_cast<CRecordingKind*>(List().GetActiveControlsWnd()); }
    std::string ActiveRowName()
    {
        CControlsWnd* pActive = List().GetActiveControlsWnd();
        return pActive ? List().GetItemText(static_cast<int>(pActive->m_nRow), 0) : "";
    }

    static constexpr const char* kRows[][3] = {
        {"Caption", "Edit", "Enable"},   {"Colour", "ComboBox", "Enable"}, {"Size", "Edit", "Enable"},
        {"Created", "Edit", "Grayed"},   {"Mode", "ComboBox", "Black"},    {"Style", "ComboBox", "Enable"},
    };

    CHostOwner m_owner;
    std::unique_ptr<CPageListCtrl> m_pList;
    HWND m_hFrame = nullptr;
};

using Calls = std::vector<std::string>;

// --- Selection and activation ---

TEST_F(PageListInputTest, ClickSelectsTheRowThenTheHostHearsOfItThenTheRowIsActivated)
{
    std::string activeDuringEvent = "unset";
    Click(NamePoint(0));
    m_owner.onSelect = [this, &activeDuringEvent] { activeDuringEvent = ActiveRowName(); };
    Click(NamePoint(1));

    EXPECT_EQ(Events({{"SelectItem", 5, 0, FALSE}, {"UnselectItem", 5, 0, FALSE}, {"SelectItem", 5, 1, FALSE}}),
              m_owner.events);
    EXPECT_EQ("", activeDuringEvent) << "the row before is released before the host hears of the new one";
    EXPECT_EQ("Colour", ActiveRowName());
    EXPECT_EQ(UINT(LVIS_SELECTED | LVIS_FOCUSED), List().GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(List().m_hWnd, GetFocus());
    EXPECT_EQ(Calls({"Caption load", "Colour load"}), KindCalls()) << "a first click opens no editor";
}

TEST_F(PageListInputTest, ClickScrollsTheRowEntirelyIntoView)
{
    for (int i = 0; i < 30; ++i)
        List().AddItemFromText(FormatText("Extra %d", i), "Edit", "Enable", "");
    RECT client = List().GetClientRect();
    const int nLastVisible = List().GetTopIndex() + List().GetCountPerPage() - 1;
    RECT bounds = {};
    List().GetItemRect(nLastVisible + 1, &bounds, LVIR_BOUNDS);
    ASSERT_LT(bounds.top, client.bottom) << "the row below the last whole one is partly shown";
    Click(POINT{40, bounds.top + 1});
    ASSERT_EQ(nLastVisible + 1, List().GetNextItem(-1, LVNI_SELECTED));
    List().GetItemRect(nLastVisible + 1, &bounds, LVIR_BOUNDS);
    EXPECT_LE(bounds.bottom, client.bottom);
    EXPECT_GT(List().GetTopIndex(), 0);
}

TEST_F(PageListInputTest, ClicksOutsideTheRowsAndRightClicksSelectNothing)
{
    Mouse(WM_RBUTTONDOWN, NamePoint(1), MK_RBUTTON);
    Mouse(WM_RBUTTONDBLCLK, NamePoint(1), MK_RBUTTON);
    Click(POINT{40, kListHeight - 5});
    EXPECT_TRUE(m_owner.events.empty());
    EXPECT_EQ(-1, List().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(nullptr, List().GetActiveControlsWnd());
}

// --- Opening the editor ---

TEST_F(PageListInputTest, SecondClickOnAnEditRowOpensItsEditorWithMode1)
{
    Click(NamePoint(0));
    EXPECT_EQ(Calls({"Caption load"}), KindCalls());
    Click(NamePoint(0));
    EXPECT_EQ(Calls({"Caption load", "Caption show 1"}), KindCalls());
    EXPECT_TRUE(List().IsEditorVisible());
    EXPECT_EQ(Events({{"SelectItem", 5, 0, FALSE}, {"PropertyChanging", 5, 0, FALSE}}), m_owner.events);
}

TEST_F(PageListInputTest, ClickInTheRowButtonOpensWithMode2AndADoubleClickElsewhereRunsTheDefaultAction)
{
    const RECT button = ButtonOf(1);
    ASSERT_FALSE(IsRectEmpty(&button));
    const POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    Click(NamePoint(1));
    Mouse(WM_LBUTTONDBLCLK, centre, MK_LBUTTON);
    EXPECT_EQ(Calls({"Colour load"}), KindCalls()) << "a list row opens only through its button";
    Mouse(WM_LBUTTONDBLCLK, NamePoint(1), MK_LBUTTON);
    EXPECT_EQ(Calls({"Colour load", "Colour default"}), KindCalls());
    Click(centre);
    EXPECT_EQ(Calls({"Colour load", "Colour default", "Colour show 2"}), KindCalls());
}

struct KeyCase {
    const char* pszName;
    int nRow;
    UINT nChar;
    Calls calls; // after the row's selection
    Calls editorKeys;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class PageListKeyTest : public PageListInputTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(PageListKeyTest, KeyOnTheActiveRow)
{
    const KeyCase& c = GetParam();
    Click(NamePoint(c.nRow));
    KindCalls().clear();
    Key(c.nChar);
    PumpUntilIdle();
    EXPECT_EQ(c.calls, KindCalls());
    ASSERT_NE(nullptr, Active());
    EXPECT_EQ(c.editorKeys, Active()->m_editor.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PageListKeyTest,
    testing::Values(KeyCase{"F4OnAListRowOpensWithMode0", 1, VK_F4, {"Colour show 0"}, {}},
                    KeyCase{"EnterOnAListRowOpensWithMode0", 1, VK_RETURN, {"Colour show 0"}, {}},
                    KeyCase{"LetterOnAListRowOpensNothing", 1, 'A', {}, {}},
                    KeyCase{"SpaceOnAListRowRunsItsDefaultAction", 1, VK_SPACE, {"Colour default"}, {}},
                    KeyCase{"F4OnAnEditRowOpensAndReachesTheEditor", 0, VK_F4, {"Caption show 0"}, {"0100 73"}},
                    KeyCase{"LetterOnAnEditRowOpensAndReachesTheEditor", 0, 'A', {"Caption show 0"}, {"0100 41"}},
                    KeyCase{"SpaceOnAnEditRowOpensAndRunsTheDefaultAction", 0, VK_SPACE,
                            {"Caption show 0", "Caption default"}, {"0100 20"}},
                    KeyCase{"ArrowsOnlyMove", 0, VK_DOWN, {"Colour load"}, {}}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.pszName); });

TEST_F(PageListInputTest, TypedLetterArrivesInTheEditorAndSearchesNoRow)
{
    List().AddItemFromText("apple", "Edit", "Enable", "");
    Click(NamePoint(0));
    List().PostMessage(WM_KEYDOWN, 'A', static_cast<LPARAM>(MapVirtualKeyW('A', MAPVK_VK_TO_VSC) << 16 | 1));
    PumpUntilIdle();
    ASSERT_NE(nullptr, Active());
    EXPECT_EQ("a", Active()->m_editor.GetWindowText());
    EXPECT_EQ(Active()->m_editor.m_hWnd, GetFocus());
    EXPECT_EQ(0, List().GetNextItem(-1, LVNI_SELECTED));
}

TEST_F(PageListInputTest, KeysGoToAnOpenEditor)
{
    Click(NamePoint(1));
    Key(VK_F4);
    ASSERT_TRUE(List().IsEditorVisible());
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP), UINT(WM_SYSKEYDOWN), UINT(WM_SYSKEYUP)})
        List().SendMessage(message, VK_DOWN, 1);
    EXPECT_EQ(Calls({"0100 28", "0101 28", "0104 28", "0105 28"}), Active()->m_editor.keys);
    EXPECT_EQ(1, List().GetNextItem(-1, LVNI_SELECTED)) << "the list did not move";
}

TEST_F(PageListInputTest, DeleteKeyFiresDeleteWithTheListsPageAndTheActiveRow)
{
    Key(VK_DELETE);
    EXPECT_TRUE(m_owner.events.empty()) << "no active row";
    Click(NamePoint(2));
    m_owner.events.clear();
    Key(VK_DELETE);
    EXPECT_EQ(Events({{"Delete", 5, 2, FALSE}}), m_owner.events);
    EXPECT_EQ(6, List().GetItemCount()) << "the host decides";
}

TEST_F(PageListInputTest, DisabledRowsAreSelectedButOpenNothing)
{
    for (int nRow : {3, 4}) {
        Click(NamePoint(nRow));
        Click(NamePoint(nRow));
        Mouse(WM_LBUTTONDBLCLK, NamePoint(nRow), MK_LBUTTON);
        for (UINT nChar : {UINT(VK_F4), UINT(VK_RETURN), UINT('A'), UINT(VK_SPACE), UINT(VK_DELETE)})
            Key(nChar);
        EXPECT_EQ(nullptr, List().GetActiveControlsWnd()) << nRow;
    }
    EXPECT_EQ(Events({{"SelectItem", 5, 3, FALSE}, {"UnselectItem", 5, 3, FALSE}, {"SelectItem", 5, 4, FALSE}}),
              m_owner.events);
    EXPECT_TRUE(KindCalls().empty());
}

// --- Closing the editor ---

TEST_F(PageListInputTest, ScrollingEndsTheActiveObjectAndItsEditor)
{
    for (UINT message : {UINT(WM_VSCROLL), UINT(WM_HSCROLL)}) {
        Click(NamePoint(1));
        Key(VK_F4);
        ASSERT_TRUE(List().IsEditorVisible());
        const HWND hEditor = Active()->m_editor.m_hWnd;
        List().SendMessage(message, SB_LINEDOWN);
        EXPECT_EQ(nullptr, List().GetActiveControlsWnd()) << message;
        EXPECT_FALSE(IsWindow(hEditor));
    }
}

TEST_F(PageListInputTest, WheelEndsTheActiveObjectOnlyWhenTheRowsMove)
{
    Click(NamePoint(1));
    Key(VK_F4);
    const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    List().SendMessage(WM_MOUSEWHEEL, down);
    EXPECT_TRUE(List().IsEditorVisible()) << "all rows are shown: nothing moved";
    for (int i = 0; i < 30; ++i)
        List().AddItemFromText(FormatText("Extra %d", i), "Edit", "Enable", "");
    List().SendMessage(WM_MOUSEWHEEL, down);
    ASSERT_GT(List().GetTopIndex(), 0);
    EXPECT_EQ(nullptr, List().GetActiveControlsWnd());
}

TEST_F(PageListInputTest, LosingTheFocusHidesTheEditor)
{
    Click(NamePoint(1));
    Key(VK_F4);
    ASSERT_TRUE(List().IsEditorVisible());
    SetFocus(m_hFrame);
    EXPECT_EQ(Calls({"Colour load", "Colour show 0", "Colour hide"}), KindCalls());
    EXPECT_FALSE(List().IsEditorVisible());
    EXPECT_NE(nullptr, List().GetActiveControlsWnd()) << "the row stays active";
}

TEST_F(PageListInputTest, TheFocusGoingToTheOpenEditorItselfLeavesItOpen)
{
    Click(NamePoint(1));
    Key(VK_F4);
    ASSERT_TRUE(List().IsEditorVisible());
    Active()->m_editor.SetFocus();
    EXPECT_TRUE(List().IsEditorVisible());
    EXPECT_EQ(Calls({"Colour load", "Colour show 0"}), KindCalls());
}

// --- Label editing ---

struct LabelCase {
    const char* pszName;
    const wchar_t* pszText; // null: cancelled
    std::vector<std::string> names;
};

void PrintTo(const LabelCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class PageListLabelTest : public PageListInputTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(PageListLabelTest, EndOfALabelEdit)
{
    std::wstring text = GetParam().pszText ? GetParam().pszText : L"";
    NMLVDISPINFOW info = {};
    info.hdr.hwndFrom = List().m_hWnd;
    info.hdr.idFrom = 1000;
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.iItem = 1;
    info.item.pszText = GetParam().pszText ? text.data() : nullptr;
    EXPECT_EQ(0, SendMessageW(m_hFrame, WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&info)));
    std::vector<std::string> names;
    for (int nRow = 0; nRow < 3; ++nRow)
        names.push_back(List().GetItemText(nRow, 0));
    EXPECT_EQ(GetParam().names, names);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, PageListLabelTest,
    testing::Values(LabelCase{"TextRenamesTheRow", L"Hue", {"Caption", "Hue", "Size"}},
                    LabelCase{"EmptyTextDeletesTheRow", L"", {"Caption", "Size", "Created"}},
                    LabelCase{"CancelledChangesNothing", nullptr, {"Caption", "Colour", "Size"}}),
    [](const testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.pszName); });

// --- Column sizing ---

struct CursorCase {
    BOOL bResizeFirstColumn;
    BOOL bAutoResizing;
};

void PrintTo(const CursorCase& c, std::ostream* os)
{
    *os << "ResizeFirstColumn " << c.bResizeFirstColumn << ", AutoResizingColumns " << c.bAutoResizing;
}

class PageListCursorTest : public PageListInputTest, public testing::WithParamInterface<CursorCase> {};

TEST_P(PageListCursorTest, SizingCursorAndDragOnlyWithBothOptions)
{
    m_owner.bResizeFirstColumn = GetParam().bResizeFirstColumn;
    CPageListCtrl::SetAutoResizingColumns(GetParam().bAutoResizing);
    const bool bSizing = GetParam().bResizeFirstColumn && GetParam().bAutoResizing;
    const HCURSOR hSizing = LoadCursor(nullptr, IDC_SIZEWE);

    // The cursor follows each real move at once, onto the divider and off it.
    MoveCursor(POINT{60, 100});
    EXPECT_NE(hSizing, GetCursor()) << "away from the divider";
    MoveCursor(DividerPoint());
    EXPECT_EQ(bSizing, hSizing == GetCursor());
    MoveCursor(POINT{DividerPoint().x - 40, 100});
    EXPECT_NE(hSizing, GetCursor()) << "40 pixels into the name column";

    const POINT divider = DividerPoint();
    const POINT moved = {divider.x + 50, divider.y};
    Mouse(WM_LBUTTONDOWN, divider, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, moved, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, moved);
    EXPECT_EQ(bSizing ? 190 : 140, List().GetColumnWidth(0));
}

INSTANTIATE_TEST_SUITE_P(Options, PageListCursorTest,
                         testing::Values(CursorCase{TRUE, TRUE}, CursorCase{FALSE, TRUE}, CursorCase{TRUE, FALSE},
                                         CursorCase{FALSE, FALSE}));

TEST_F(PageListInputTest, DividerDragsBetweenASixthAndFiveSixthsAndTheValueTakesTheRest)
{
    ASSERT_EQ(kListWidth, List().GetClientRect().right);
    EXPECT_EQ(kListWidth - 140, List().GetColumnWidth(1));
    Mouse(WM_LBUTTONDOWN, DividerPoint(), MK_LBUTTON);
    EXPECT_EQ(List().m_hWnd, GetCapture());
    // Mouse positions and the name column's width after each; out of range the drag waits
    // for the mouse to come back to where the divider stopped.
    const int steps[][2] = {{90, 140}, {100, 100}, {60, 100}, {99, 100}, {100, 100}, {500, 500},
                            {501, 500}, {560, 500}, {480, 480}};
    for (const auto& step : steps) {
        Mouse(WM_MOUSEMOVE, POINT{step[0], 100}, MK_LBUTTON);
        EXPECT_EQ(step[1], List().GetColumnWidth(0)) << step[0];
        EXPECT_EQ(kListWidth - step[1], List().GetColumnWidth(1)) << step[0];
    }
    Mouse(WM_LBUTTONUP, POINT{480, 100});
    EXPECT_EQ(nullptr, GetCapture());
    Mouse(WM_MOUSEMOVE, POINT{300, 100});
    EXPECT_EQ(480, List().GetColumnWidth(0)) << "the drag has ended";
}

TEST_F(PageListInputTest, StartingADragEndsTheActiveRow)
{
    Click(NamePoint(1));
    Key(VK_F4);
    Mouse(WM_LBUTTONDOWN, DividerPoint(), MK_LBUTTON);
    EXPECT_EQ(nullptr, List().GetActiveControlsWnd());
    EXPECT_EQ(1, List().GetNextItem(-1, LVNI_SELECTED)) << "the press on the divider selects nothing";
    Mouse(WM_LBUTTONUP, DividerPoint());
}

TEST_F(PageListInputTest, ADragWhoseCaptureIsTakenEnds)
{
    Mouse(WM_LBUTTONDOWN, DividerPoint(), MK_LBUTTON);
    SetCapture(m_hFrame);
    ReleaseCapture();
    Mouse(WM_MOUSEMOVE, POINT{200, 100}, MK_LBUTTON);
    EXPECT_EQ(140, List().GetColumnWidth(0));
}

TEST_F(PageListInputTest, DragStepIsOnTheScreenAtOnce)
{
    Click(NamePoint(0));
    List().UpdateWindow();
    PumpUntilIdle();
    const int y = NamePoint(0).y;
    ASSERT_EQ(kNavy, WindowImage::Capture(List().m_hWnd).Pixel(130, y));
    ASSERT_NE(kNavy, WindowImage::Capture(List().m_hWnd).Pixel(180, y));
    Mouse(WM_LBUTTONDOWN, DividerPoint(), MK_LBUTTON);
    // Sent, not queued: nothing is painted between the step and the picture.
    List().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 100));
    ASSERT_EQ(200, List().GetColumnWidth(0));
    EXPECT_EQ(kNavy, WindowImage::Capture(List().m_hWnd).Pixel(180, y));
    List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
}

TEST_F(PageListInputTest, ValueColumnFollowsTheWidthWhileAutoResizingIsOn)
{
    List().MoveWindow(RECT{0, 0, 400, kListHeight});
    EXPECT_EQ(260, List().GetColumnWidth(1));
    CPageListCtrl::SetAutoResizingColumns(FALSE);
    List().MoveWindow(RECT{0, 0, 500, kListHeight});
    EXPECT_EQ(260, List().GetColumnWidth(1));
    List().SetColumnWidth(0, 450);
    CPageListCtrl::SetAutoResizingColumns(TRUE);
    List().AutoResizeColumns();
    EXPECT_EQ(50, List().GetColumnWidth(1));
}

} // namespace
