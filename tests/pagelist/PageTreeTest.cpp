// The grouped page: its store, its group rows and their members, expanded and collapsed by
// real clicks and keys, the persistent row objects that follow their rows, the sign it draws,
// and layouts that a grouped page does not expect.
#include "AsControls.h"
#include "ControlsFactory.h"
#include "GroupKind.h"
#include "ItemData.h"
#include "PageTreeCtrl.h"
#include "RowMaps.h"
#include "RowText.h"
#include "TestKinds.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const COLORREF kSignFrame = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);

struct Row {
    const char* pszName;
    const char* pszAs;
    const char* pszGroup;
};

std::string Layout(std::initializer_list<Row> rows)
{
    std::string text;
    for (const Row& row : rows)
        CRowText::AppendRow(text, {row.pszName, row.pszAs, "Enable", row.pszGroup});
    return text;
}

// Two groups of three and two members, with a persistent (font) row in each.
std::string TwoGroups()
{
    return Layout({{"Position", "Group", ""},
                   {"Left", "Edit", "Position"},
                   {"Top", "ADORComboBox", "Position"},
                   {"Anchor", "ComboBox", "Position"},
                   {"Size", "Group", ""},
                   {"Width", "Edit", "Size"},
                   {"Face", "ADORComboBox", "Size"}});
}

CControlsWndPtr NoObject()
{
    return nullptr;
}

// The fake control; a host may act once inside the handler of one event.
class CTreeHost : public CFakeOwner {
public:
    std::string strActOn;
    std::function<void()> action;

    void FireSelectItem(long nPage, long nRow) override
    {
        CFakeOwner::FireSelectItem(nPage, nRow);
        Heard("SelectItem");
    }
    void FireUnselectItem(long nPage, long nRow) override
    {
        CFakeOwner::FireUnselectItem(nPage, nRow);
        Heard("UnselectItem");
    }
    void FirePropertyChanging(long nPage, long nRow) override
    {
        CFakeOwner::FirePropertyChanging(nPage, nRow);
        Heard("PropertyChanging");
    }

private:
    void Heard(const std::string& strEvent)
    {
        if (action && strEvent == strActOn) {
            const std::function<void()> act = std::move(action);
            action = nullptr;
            act();
        }
    }
};

// A grouped page of 400 x 300 in a test frame, made on the heap so that a host can delete it.
class PageTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        RegisterControlsClass("CControlsWnd_CGroup", &NewControlsObject<CControlsWnd_CGroup>);
        KindLog().clear();
        m_hFrame = CreateTestFrame(420, 320);
        m_pTree = std::make_unique<CPageTreeCtrl>(&m_owner, 18);
        ASSERT_TRUE(m_pTree->Create(m_hFrame, 1000));
        m_pTree->SetPageIndex(3);
        m_pTree->MoveWindow(RECT{0, 0, 400, 300});
    }
    void TearDown() override
    {
        m_pTree.reset();
        m_owner.rowMaps.Clear();
        DestroyWindow(m_hFrame);
        RegisterControlsClass("CControlsWnd_CGroup", &NoObject);
        EXPECT_EQ(0, LiveTestKinds());
    }

    CPageTreeCtrl& Tree() { return *m_pTree; }

    void Load(const std::string& strRows)
    {
        Tree().LoadItemsText(strRows);
        PumpUntilIdle();
        m_owner.events.clear();
    }

    Names Shown()
    {
        Names names;
        for (int r = 0; r < Tree().GetItemCount(); ++r)
            names.push_back(Tree().GetItemText(r, Tree().GetNameColumn()));
        return names;
    }
    std::string Value(int nRow) { return Tree().GetItemText(nRow, Tree().GetValueColumn()); }

    CControlsWnd_CGroup* Group(int nRow) { return dynamic_cast<CControlsWnd_CGroup*>(FindControlsWnd(&Tree(), nRow)); }
    CControlsWnd* ObjectAt(int nRow) { return FindControlsWnd(&Tree(), nRow); }

    RECT Bounds(int nRow)
    {
        RECT bounds = {};
        Tree().GetItemRect(nRow, &bounds, LVIR_BOUNDS);
        return bounds;
    }
    POINT SignPoint(int nRow) { return POINT{8, (Bounds(nRow).top + Bounds(nRow).bottom) / 2}; }
    POINT NamePoint(int nRow) { return POINT{60, (Bounds(nRow).top + Bounds(nRow).bottom) / 2}; }

    // The list tells a press on its divider by the last message's position: the cursor goes
    // to the point first.
    void Press(UINT message, POINT pt)
    {
        POINT screen = pt;
        ClientToScreen(Tree().m_hWnd, &screen);
        SetCursorPos(screen.x, screen.y);
        PumpUntilIdle();
        Tree().SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    void Click(POINT pt)
    {
        Press(WM_LBUTTONDOWN, pt);
        if (m_pTree)
            Tree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void DoubleClick(POINT pt)
    {
        Click(pt);
        Press(WM_LBUTTONDBLCLK, pt);
        if (m_pTree)
            Tree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void Key(UINT nChar) { Tree().SendMessage(WM_KEYDOWN, nChar, 1); }

    WindowImage Capture()
    {
        Tree().Invalidate();
        Tree().UpdateWindow();
        PumpUntilIdle();
        return WindowImage::Capture(Tree().m_hWnd);
    }

    // The 9 x 9 box centred in the row's label rectangle of the sign column.
    RECT SignBox(int nRow)
    {
        RECT label = {};
        Tree().GetItemRect(nRow, &label, LVIR_LABEL);
        const int nLeft = label.left + (label.right - label.left - 9) / 2;
        const int nTop = label.top + (label.bottom - label.top - 9) / 2;
        return RECT{nLeft, nTop, nLeft + 9, nTop + 9};
    }

    CTreeHost m_owner;
    std::unique_ptr<CPageTreeCtrl> m_pTree;
    HWND m_hFrame = nullptr;
};

// --- The store and the rows shown ---

TEST_F(PageTreeTest, ShowsTheGroupRowsCollapsedAndKeepsEveryPropertyInItsStore)
{
    Load(TwoGroups());
    EXPECT_TRUE(Tree().IsGroupPage());
    EXPECT_EQ(Names({"Position", "Size"}), Shown());
    const CTreeListCtrl& store = Tree().GetStore();
    ASSERT_EQ(7, store.GetItemCount());
    EXPECT_EQ("Face", store.GetNameText(6));
    EXPECT_EQ("Size", store.GetGroupText(6));
    EXPECT_EQ("ADORComboBox", std::string(CAsControls::Get().GetAsName(ItemKind(store.GetItemData(6)))));
    EXPECT_FALSE(IsWindowVisible(store.m_hWnd));
    EXPECT_EQ(Tree().m_hWnd, GetParent(store.m_hWnd));
    // An untitled sign column, then name and value.
    EXPECT_EQ(3, Tree().GetColumnCount());
    EXPECT_EQ(16, Tree().GetColumnWidth(0));
    EXPECT_EQ(1, Tree().GetNameColumn());
    EXPECT_EQ(2, Tree().GetValueColumn());
    EXPECT_EQ("Group", std::string(Tree().GetItemAs(1)));
}

// --- Expanding and collapsing ---

TEST_F(PageTreeTest, ExpandingShowsTheMembersBelowTheGroupAndMovesTheObjectsBelowWithTheirRows)
{
    Load(TwoGroups());
    Tree().ToggleGroup(1, &Group(1)->m_bExpanded);
    ASSERT_EQ(Names({"Position", "Size", "Width", "Face"}), Shown());
    CControlsWnd* pFace = Tree().GetControlsWnd(3, TRUE);
    ASSERT_NE(nullptr, pFace);
    CControlsWnd_CGroup* pSize = Group(1);

    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(Names({"Position", "Left", "Top", "Anchor", "Size", "Width", "Face"}), Shown());
    EXPECT_TRUE(Group(0)->IsExpanded());
    EXPECT_EQ(pSize, ObjectAt(4));
    EXPECT_EQ(4, pSize->m_nRow);
    EXPECT_EQ(pFace, ObjectAt(6));
    EXPECT_EQ(6, pFace->m_nRow);
    EXPECT_EQ(nullptr, ObjectAt(1));
}

TEST_F(PageTreeTest, CollapsingKeepsTheMembersObjectsForTheirReturnAndTheObjectsBelow)
{
    Load(TwoGroups());
    Tree().ToggleGroup(1, &Group(1)->m_bExpanded);
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    CControlsWnd* pTop = Tree().GetControlsWnd(2, TRUE);
    CControlsWnd* pFace = Tree().GetControlsWnd(6, TRUE);
    ASSERT_NE(nullptr, pTop);
    KindLog().clear();

    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(Names({"Position", "Size", "Width", "Face"}), Shown());
    EXPECT_TRUE(KindLog().empty()) << "the folded member's object stays with its group";
    EXPECT_EQ(pFace, ObjectAt(3)) << "the object of another group's member keeps its state";
    EXPECT_EQ(1, Group(1)->m_nRow);
    EXPECT_FALSE(Group(0)->IsExpanded());
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(pTop, ObjectAt(2)) << "back on its row";
}

TEST_F(PageTreeTest, MembersFollowTheirStoreRowsWhenRowsAreFiledAboveThem)
{
    Load(TwoGroups());
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    // Filed at store row 0, in no group: shown nowhere, but the store rows below move.
    ASSERT_EQ(0, Tree().InsertRow(0, "First", ItemDataFromNames("Edit", "Enable"), ""));
    ASSERT_TRUE(Tree().SetItemValue(3, "anchored"));
    EXPECT_EQ("anchored", Tree().GetStore().GetValueText(4));
    EXPECT_EQ("Anchor", Tree().GetStore().GetNameText(4));
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(Names({"Position", "Size"}), Shown());
}

TEST_F(PageTreeTest, AGroupThatOpensBeyondTheBottomGetsAScrollBarAndStaysInView)
{
    std::string text;
    CRowText::AppendRow(text, {"Many", "Group", "Enable", ""});
    for (int i = 0; i < 40; ++i)
        CRowText::AppendRow(text, {FormatText("Item %d", i), "Edit", "Enable", "Many"});
    Load(text);
    ASSERT_FALSE(GetWindowLongPtrW(Tree().m_hWnd, GWL_STYLE) & WS_VSCROLL);
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(41, Tree().GetItemCount());
    EXPECT_TRUE(GetWindowLongPtrW(Tree().m_hWnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(0, Tree().GetTopIndex());
    Tree().EnsureVisible(40, FALSE);
    ASSERT_GT(Tree().GetTopIndex(), 0);
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(1, Tree().GetItemCount());
    EXPECT_EQ(0, Tree().GetTopIndex()) << "the group row is in view";
}

TEST_F(PageTreeTest, AGroupOutOfViewIsScrolledIntoViewAsItFolds)
{
    std::string text;
    for (int g = 0; g < 40; ++g) {
        CRowText::AppendRow(text, {FormatText("Group %d", g), "Group", "Enable", ""});
        CRowText::AppendRow(text, {FormatText("Item %d", g), "Edit", "Enable", FormatText("Group %d", g)});
    }
    Load(text);
    Tree().EnsureVisible(39, FALSE);
    ASSERT_GT(Tree().GetTopIndex(), 2);
    Tree().ToggleGroup(2, &Group(2)->m_bExpanded);
    EXPECT_LE(Tree().GetTopIndex(), 2);
    EXPECT_EQ("Item 2", Tree().GetItemText(3, 1));
}

// --- By mouse and keys ---

TEST_F(PageTreeTest, AClickOnTheSignSelectsTheGroupAndTogglesIt)
{
    Load(TwoGroups());
    Click(SignPoint(1));
    EXPECT_EQ(Names({"Position", "Size", "Width", "Face"}), Shown());
    EXPECT_EQ(1, Tree().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(Group(1), Tree().GetActiveControlsWnd());
    EXPECT_EQ(Events({{"SelectItem", 3, 1, FALSE}}), m_owner.events);
    Click(SignPoint(1));
    EXPECT_EQ(Names({"Position", "Size"}), Shown());
}

TEST_F(PageTreeTest, AClickBesideTheSignOnlySelectsADoubleClickOrTheSpaceBarToggles)
{
    Load(TwoGroups());
    const auto collapsed = Names({"Position", "Size"});
    Click(NamePoint(0));
    EXPECT_EQ(collapsed, Shown());
    EXPECT_EQ(0, Tree().GetNextItem(-1, LVNI_SELECTED));
    for (int nGesture = 0; nGesture < 4; ++nGesture) {
        if (nGesture < 2)
            DoubleClick(NamePoint(0));
        else
            Key(VK_SPACE);
        EXPECT_EQ(nGesture % 2 ? collapsed : Names({"Position", "Left", "Top", "Anchor", "Size"}), Shown()) << nGesture;
    }
}

TEST_F(PageTreeTest, EnterOnAGroupFiresPropertyChangingAndNothingElse)
{
    Load(TwoGroups());
    Click(NamePoint(0));
    m_owner.events.clear();
    Key(VK_RETURN);
    Key(VK_F4);
    EXPECT_EQ(Events({{"PropertyChanging", 3, 0, FALSE}, {"PropertyChanging", 3, 0, FALSE}}), m_owner.events);
    EXPECT_EQ(Names({"Position", "Size"}), Shown());
}

TEST_F(PageTreeTest, MembersAreSelectedAsOnAnyPage)
{
    Load(TwoGroups());
    Click(SignPoint(0));
    Click(NamePoint(3));
    EXPECT_EQ(Events({{"SelectItem", 3, 0, FALSE}, {"UnselectItem", 3, 0, FALSE}, {"SelectItem", 3, 3, FALSE}}),
              m_owner.events);
    ASSERT_NE(nullptr, Tree().GetActiveControlsWnd());
    EXPECT_EQ(3, Tree().GetActiveControlsWnd()->m_nRow);
    EXPECT_EQ("Anchor", Tree().GetItemText(3, 1));
}

TEST_F(PageTreeTest, CollapsingUnderASelectedMemberTellsTheHostFirst)
{
    Load(TwoGroups());
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    Click(NamePoint(3));
    m_owner.events.clear();
    Tree().ToggleGroup(0, &Group(0)->m_bExpanded);
    EXPECT_EQ(Events({{"UnselectItem", 3, 3, FALSE}}), m_owner.events);
    EXPECT_EQ(Names({"Position", "Size"}), Shown());
    EXPECT_EQ(-1, Tree().GetNextItem(-1, LVNI_SELECTED));
}

// --- The sign ---

TEST_F(PageTreeTest, ACollapsedGroupShowsAPlusAnExpandedOneAMinus)
{
    Load(TwoGroups());
    Tree().ToggleGroup(1, &Group(1)->m_bExpanded);
    const WindowImage image = Capture();
    for (const int nRow : {0, 1}) {
        const RECT box = SignBox(nRow);
        const RECT inside = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
        EXPECT_EQ(32, image.CountPixels(box, kSignFrame) - image.CountPixels(inside, kSignFrame)) << nRow;
        const int nCentreX = box.left + 4, nCentreY = box.top + 4;
        EXPECT_EQ(7, image.CountPixels(RECT{nCentreX - 3, nCentreY, nCentreX + 4, nCentreY + 1}, kBlack)) << nRow;
        const int nVertical = image.CountPixels(RECT{nCentreX, nCentreY - 3, nCentreX + 1, nCentreY + 4}, kBlack);
        EXPECT_EQ(nRow == 0 ? 7 : 1, nVertical) << "plus only on the collapsed group " << nRow;
    }
    const RECT memberSign = SignBox(2);
    EXPECT_EQ(0, image.CountPixels(memberSign, kSignFrame)) << "members draw no sign";
}

} // namespace
