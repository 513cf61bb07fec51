// The ComboBox, BoolComboBox and UserComboBox kinds driven as a user drives them: rows clicked,
// drop-downs opened from the row button or the keyboard, items picked with the mouse and the
// keys, rows stepped with double clicks and the space bar; and hosts that answer LoadItems with
// odd lists or end the row or the page while they hear of the pick.
#include "PickingFixture.h"

#include "Pump.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// "Item 0" to "Item 19": more than a drop-down shows at once.
std::string TwentyItems()
{
    std::string strItems = "Item 0";
    for (int i = 1; i < 20; ++i)
        strItems += FormatText("\\Item %d", i);
    return strItems;
}

class ListKindsTest : public PickingTest {
protected:
    // The ComboBox row's drop-down, opened from its row button.
    HWND OpenChoice()
    {
        ClickRowButton(kChoice);
        return DropDown();
    }

    int ItemHeight(HWND hDropDown) { return static_cast<int>(SendMessageW(hDropDown, LB_GETITEMHEIGHT, 0, 0)); }
    int Selection(HWND hDropDown) { return static_cast<int>(SendMessageW(hDropDown, LB_GETCURSEL, 0, 0)); }
    // Whole lines the drop-down shows.
    int Lines(HWND hDropDown)
    {
        RECT client = {};
        GetClientRect(hDropDown, &client);
        return client.bottom / ItemHeight(hDropDown);
    }
    POINT ItemPoint(HWND hDropDown, int nItem)
    {
        RECT item = {};
        SendMessageW(hDropDown, LB_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&item));
        return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
};

// --- Items: what the host answers to LoadItems ---

struct AnswerCase {
    const char* pszName;
    std::optional<std::string> answer;
    Strings items;
};

void PrintTo(const AnswerCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ListAnswerTest : public ListKindsTest, public testing::WithParamInterface<AnswerCase> {};

TEST_P(ListAnswerTest, TheDropDownHoldsTheAnswersPieces)
{
    m_owner.items = GetParam().answer;
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    EXPECT_EQ(GetParam().items, Items(hDropDown));
    EXPECT_EQ(GetParam().items.empty() ? 1 : static_cast<int>(GetParam().items.size()), Lines(hDropDown));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ListAnswerTest,
    testing::Values(AnswerCase{"FourItems", "North\\South\\East\\West", {"North", "South", "East", "West"}},
                    AnswerCase{"NoSeparatorIsOneItem", "Alone", {"Alone"}},
                    AnswerCase{"TrailingSeparatorAddsAnEmptyItem", "a\\b\\", {"a", "b", ""}},
                    AnswerCase{"EmptyAnswerIsOneEmptyItem", "", {""}},
                    AnswerCase{"SingleSeparatorIsTwoEmptyItems", "\\", {"", ""}},
                    AnswerCase{"EmbeddedNulEndsItsItem", std::string("left\0over\\next", 14), {"left", "next"}}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.pszName); });

TEST_F(ListKindsTest, WithoutAnAnswerTheListKeepsItsItems)
{
    ClickRow(kChoice);
    CControlsWnd* pActive = List().GetActiveControlsWnd();
    ASSERT_NE(nullptr, pActive);
    m_owner.items = std::nullopt;
    pActive->LoadItems();
    m_owner.items = "";
    pActive->LoadItems();
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    EXPECT_EQ(Strings({""}), Items(hDropDown)) << "an empty answer is an answer";
}

// --- Opening ---

TEST_F(ListKindsTest, TheDropDownOpensUnderTheCellAsWideAsItWithTheFocusAndTheMouse)
{
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    const RECT cell = ScreenCell(kChoice);
    RECT window = {};
    GetWindowRect(hDropDown, &window);
    EXPECT_EQ(cell.left, window.left);
    EXPECT_EQ(cell.right, window.right);
    EXPECT_EQ(cell.bottom, window.top);
    EXPECT_EQ(4, Lines(hDropDown));
    EXPECT_EQ(hDropDown, GetFocus());
    EXPECT_EQ(hDropDown, GetCapture());
    EXPECT_TRUE(GetWindowLongW(hDropDown, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(List().IsEditorVisible());
    EXPECT_EQ(m_hFrame, GetWindow(hDropDown, GW_OWNER)) << "owned by the page list's frame";
}

TEST_F(ListKindsTest, ALongListOpensEightLinesHighWithAScrollBar)
{
    m_owner.items = TwentyItems();
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    EXPECT_EQ(8, Lines(hDropDown));
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetScrollBarInfo(hDropDown, OBJID_VSCROLL, &bar));
    EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

// The work area of the cell's monitor decides, not the screen: a task bar is no room below.
TEST_F(ListKindsTest, NearTheBottomOfTheWorkAreaTheDropDownOpensAboveTheCell)
{
    const CShorterWorkArea workArea(200);
    MoveFrameTo(workArea.Bottom() - 60);
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    const RECT cell = ScreenCell(kChoice);
    RECT window = {};
    GetWindowRect(hDropDown, &window);
    EXPECT_EQ(cell.top, window.bottom);
    EXPECT_EQ(cell.left, window.left);
    EXPECT_EQ(4, Lines(hDropDown));
}

struct OpenCase {
    const char* pszName;
    int nRow;
    const char* pszValue;
    int nSelected;
};

void PrintTo(const OpenCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ListOpenTest : public ListKindsTest, public testing::WithParamInterface<OpenCase> {};

TEST_P(ListOpenTest, TheDropDownOpensOnTheItemTheValueBeginsWith)
{
    SetValue(GetParam().nRow, GetParam().pszValue);
    ClickRowButton(GetParam().nRow);
    const HWND hDropDown = DropDown();
    ASSERT_NE(nullptr, hDropDown);
    EXPECT_EQ(GetParam().nSelected, Selection(hDropDown));
    EXPECT_EQ(GetParam().pszValue, Value(GetParam().nRow)) << "opening commits nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ListOpenTest,
    testing::Values(OpenCase{"WholeItem", 0, "East", 2}, OpenCase{"PrefixIgnoringCase", 0, "so", 1},
                    OpenCase{"NoMatchOpensOnTheFirst", 0, "Up", 0}, OpenCase{"EmptyOpensOnTheFirst", 0, "", 0},
                    OpenCase{"BooleanPrefix", 1, "tr", 1}, OpenCase{"BooleanFalse", 1, "False", 0}),
    [](const testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.pszName); });

// --- Picking ---

TEST_F(ListKindsTest, EachKeyThatMovesTheSelectionCommitsAtOnce)
{
    SetValue(kChoice, "North");
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    m_owner.events.clear();
    Key(hDropDown, VK_DOWN);
    EXPECT_EQ("South", Value(kChoice));
    Key(hDropDown, VK_DOWN);
    EXPECT_EQ("East", Value(kChoice));
    Key(hDropDown, VK_END);
    EXPECT_EQ("West", Value(kChoice));
    EXPECT_EQ(Strings({"PropertyChanged 0 1", "PropertyChanged 0 1", "PropertyChanged 0 1"}), m_owner.Heard());
    EXPECT_EQ(hDropDown, DropDown()) << "still open";
}

TEST_F(ListKindsTest, EscapeCommitsTheSelectionAndLeavesTheListOpen)
{
    SetValue(kChoice, "so");
    const HWND hDropDown = OpenChoice();
    m_owner.events.clear();
    Key(hDropDown, VK_ESCAPE);
    EXPECT_EQ("South", Value(kChoice));
    Key(hDropDown, VK_ESCAPE);
    EXPECT_EQ(Strings({"PropertyChanged 0 1"}), m_owner.Heard()) << "the same item twice is one commit";
    EXPECT_EQ(hDropDown, DropDown());
}

TEST_F(ListKindsTest, EnterClosesTheListAndTheFocusGoesBackToThePageList)
{
    SetValue(kChoice, "North");
    const HWND hDropDown = OpenChoice();
    m_owner.events.clear();
    Key(hDropDown, VK_RETURN);
    EXPECT_EQ(Strings({"PropertyChanged 0 0"}), m_owner.Heard()) << "the item opened on, unchanged";
    EXPECT_FALSE(IsWindow(hDropDown));
    EXPECT_EQ(List().m_hWnd, GetFocus());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_FALSE(List().IsEditorVisible());
    EXPECT_NE(nullptr, List().GetActiveControlsWnd()) << "the row stays active";
}

TEST_F(ListKindsTest, CtrlBreakClosesTheListAsEnterDoes)
{
    const HWND hDropDown = OpenChoice();
    m_owner.events.clear();
    Key(hDropDown, VK_CANCEL);
    EXPECT_EQ(Strings({"PropertyChanged 0 1"}), m_owner.Heard()) << "the item opened on was never handed over";
    EXPECT_EQ("North", Value(kChoice));
    EXPECT_FALSE(IsWindow(hDropDown));
    EXPECT_EQ(List().m_hWnd, GetFocus());
}

TEST_F(ListKindsTest, TheSelectionFollowsTheMouseAndAClickOutsideCommitsTheItemLastUnderIt)
{
    SetValue(kChoice, "North");
    const HWND hDropDown = OpenChoice();
    m_owner.events.clear();
    for (int nItem : {1, 2}) {
        const POINT pt = ItemPoint(hDropDown, nItem);
        MoveCursor(hDropDown, pt);
        SendMessageW(hDropDown, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        EXPECT_EQ(nItem, Selection(hDropDown));
    }
    EXPECT_TRUE(m_owner.events.empty()) << "moving commits nothing";
    RECT client = {};
    GetClientRect(hDropDown, &client);
    Click(hDropDown, POINT{client.right / 2, client.bottom + 40});
    EXPECT_EQ("East", Value(kChoice));
    EXPECT_EQ(Strings({"PropertyChanged 0 1"}), m_owner.Heard());
    EXPECT_FALSE(IsWindow(hDropDown));
}

TEST_F(ListKindsTest, APressOnTheScrollBarScrollsAndLeavesTheListOpen)
{
    m_owner.items = TwentyItems();
    const HWND hDropDown = OpenChoice();
    ASSERT_NE(nullptr, hDropDown);
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetScrollBarInfo(hDropDown, OBJID_VSCROLL, &bar));
    // The bottom arrow, in client coordinates; the scroll bar's own loop ends at the release.
    POINT arrow = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.bottom - 3};
    ScreenToClient(hDropDown, &arrow);
    MoveCursor(hDropDown, arrow);
    PostMessageW(hDropDown, WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    SendMessageW(hDropDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    PumpUntilIdle();
    EXPECT_EQ(hDropDown, DropDown());
    EXPECT_GT(SendMessageW(hDropDown, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(hDropDown, GetCapture()) << "the list holds the mouse again";
    Key(hDropDown, VK_RETURN);
}

TEST_F(ListKindsTest, LosingTheFocusClosesTheListWithoutACommit)
{
    const HWND hDropDown = OpenChoice();
    m_owner.events.clear();
    SetFocus(m_hFrame);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hDropDown));
    EXPECT_TRUE(m_owner.events.empty());
    EXPECT_EQ("", Value(kChoice));
}

// --- Stepping: double click and space bar ---

struct StepCase {
    const char* pszName;
    int nRow;
    const char* pszValue;
    const char* pszStepped;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ListStepTest : public ListKindsTest, public testing::WithParamInterface<StepCase> {};

TEST_P(ListStepTest, ADoubleClickStepsToTheNextItem)
{
    const StepCase& c = GetParam();
    SetValue(c.nRow, c.pszValue);
    DoubleClickRow(c.nRow);
    EXPECT_EQ(c.pszStepped, Value(c.nRow));
    EXPECT_EQ(nullptr, DropDown()) << "stepping opens nothing";
}

TEST_P(ListStepTest, TheSpaceBarStepsToTheNextItem)
{
    const StepCase& c = GetParam();
    SetValue(c.nRow, c.pszValue);
    ClickRow(c.nRow);
    m_owner.events.clear();
    Key(List().m_hWnd, VK_SPACE);
    EXPECT_EQ(c.pszStepped, Value(c.nRow));
    EXPECT_EQ(Strings({FormatText("PropertyChanged %d 1", c.nRow)}), m_owner.Heard());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ListStepTest,
    testing::Values(StepCase{"TrueToFalse", 1, "True", "False"}, StepCase{"FalseToTrue", 1, "False", "True"},
                    StepCase{"OtherToFalse", 1, "maybe", "False"}, StepCase{"EmptyToFalse", 1, "", "False"},
                    StepCase{"PrefixSteps", 1, "f", "True"}, StepCase{"ListToNext", 0, "South", "East"},
                    StepCase{"ListLastToFirst", 0, "West", "North"}),
    [](const testing::TestParamInfo<StepCase>& info) { return std::string(info.param.pszName); });

TEST_F(ListKindsTest, OnceItsDropDownHasClosedARowStepsNoMoreUntilItOpensAgain)
{
    SetValue(kVisible, "False");
    ClickRowButton(kVisible);
    HWND hDropDown = DropDown();
    ASSERT_NE(nullptr, hDropDown);
    Key(hDropDown, VK_RETURN);
    DoubleClickRow(kVisible);
    EXPECT_EQ("False", Value(kVisible));
    ClickRowButton(kVisible);
    hDropDown = DropDown();
    ASSERT_NE(nullptr, hDropDown);
    Key(hDropDown, VK_RETURN);
    Key(List().m_hWnd, VK_F4);
    hDropDown = DropDown();
    ASSERT_NE(nullptr, hDropDown);
    SetFocus(List().m_hWnd);
    PumpUntilIdle();
    ASSERT_EQ(nullptr, DropDown());
    Key(List().m_hWnd, VK_SPACE);
    EXPECT_EQ("False", Value(kVisible));
}

// --- The inert kind ---

// --- Odd answers and texts ---

} // namespace
