#include "FloorPropertiesWnd.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

class FloorPropertiesTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(320, 320);
        ASSERT_TRUE(m_floor.Create(m_hFrame, 0, RECT{0, 0, 300, 300}, nullptr));
    }
    void TearDown() override
    {
        m_floor.DestroyPageLists();
        m_floor.DestroyControl();
        DestroyWindow(m_hFrame);
    }

    void Load(const std::string& text) { m_floor.LoadLayout(text, &m_owner); }

    // Captions of the floor control, page by page.
    std::vector<std::string> Captions()
    {
        std::vector<std::string> captions;
        for (short i = 0; m_floor.IsPage(i); ++i)
            captions.push_back(m_floor.GetPageName(i));
        return captions;
    }

    std::vector<std::string> RowNames(int nPage)
    {
        std::vector<std::string> names;
        CPageListCtrl* pList = m_floor.GetPageList(nPage);
        for (int r = 0; pList && r < pList->GetItemCount(); ++r)
            names.push_back(pList->GetItemText(r, pList->GetNameColumn()));
        return names;
    }

    long CaptionBottom(short nPage) { return m_floor.GetCaptionBottomRight(nPage) >> 16; }

    bool InStep()
    {
        if (m_floor.GetPagesCount() != m_floor.GetPageListCount())
            return false;
        for (int i = 0; i < m_floor.GetPageListCount(); ++i)
            if (m_floor.GetPageList(i)->GetPageIndex() != i)
                return false;
        return true;
    }

    HWND m_hFrame = nullptr;
    CFakeOwner m_owner;
    CFloorPropertiesWnd m_floor;
};

TEST_F(FloorPropertiesTest, LayoutMakesPagesWithTheirRowsAndTypes)
{
    Load("General#{#Name\\Edit\\Enable\\#Colour\\ColorComboBox\\grayed\\#Size\\Edit\\\\#Odd\\NoSuchKind\\Enable\\#}#"
         "Empty#{#}#");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"General", "Empty"}));
    ASSERT_TRUE(InStep());
    EXPECT_EQ(RowNames(0), (std::vector<std::string>{"Name", "Colour", "Size", "Odd"}));
    EXPECT_TRUE(RowNames(1).empty());
    CPageListCtrl* pList = m_floor.GetPageList(0);
    EXPECT_EQ(pList->GetItemData(0), 32771u);                 // Edit, enabled
    EXPECT_EQ(pList->GetItemData(1), 32783u | (1u << 16));    // grayed in lower case still reads grey
    EXPECT_EQ(pList->GetItemData(2), 32771u | (2u << 16));    // empty type word: black, read only
    EXPECT_EQ(pList->GetItemData(3), 0xFFFFu);                // unregistered kind
    EXPECT_EQ(pList->GetDlgCtrlID(), 1000);
    EXPECT_EQ(m_floor.GetPageList(1)->GetDlgCtrlID(), 1001);
    EXPECT_EQ(pList->GetValueColumn(), 1);
    EXPECT_EQ(pList->GetItemText(0, 1), "");                  // values are not part of the layout
}

TEST_F(FloorPropertiesTest, MalformedLayoutsBuildWhatTheyCan)
{
    Load("A#{#a1\\Edit#{#inner\\Edit#}#a2\\Edit#}#}#B#{#b1\\Edit#}#{#c1\\Edit#}#D#{#d1\\Edit##E#{#}#");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B", "B", "D"}));
    ASSERT_TRUE(InStep());
    EXPECT_EQ(RowNames(0), std::vector<std::string>{"a2"});   // rows before the inner pair are gone
    EXPECT_EQ(RowNames(2), std::vector<std::string>{"c1"});   // "{" after "}" reuses the caption
    EXPECT_TRUE(RowNames(3).empty());                         // its "}" never came

    Load("{#lost\\Edit#}#no braces at all#");
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(m_floor.GetPageListCount(), 0);
}

TEST_F(FloorPropertiesTest, LoadingTheSameLayoutTwiceRebuildsFromScratch)
{
    const std::string layout = "P1#{#x\\Edit#y\\Edit#}#P2#[Group]#{#g\\Group\\Enable\\#}#";
    Load(layout);
    CPageListCtrl* pFirstTime = m_floor.GetPageList(0);
    pFirstTime->SetItemValue(0, "typed");
    Load(layout);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"P1", "P2"}));
    ASSERT_TRUE(InStep());
    EXPECT_EQ(RowNames(0), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(m_floor.GetPageList(0)->GetItemText(0, 1), "");
    EXPECT_EQ(RowNames(1), std::vector<std::string>{"g"});
}

TEST_F(FloorPropertiesTest, FirstCaptionShowsOnlyWithASecondPage)
{
    EXPECT_EQ(m_floor.CreatePage("One", &m_owner, ""), 0);
    EXPECT_EQ(CaptionBottom(0), 0);                           // single page: no caption
    EXPECT_EQ(m_floor.CreatePage("Two", &m_owner, ""), 1);
    EXPECT_EQ(CaptionBottom(0), 20);
    EXPECT_TRUE(m_floor.RemovePage(1));
    EXPECT_EQ(CaptionBottom(0), 0);

    m_floor.m_bFirstPageHasCaption = TRUE;                    // the rule is off: heights stay
    EXPECT_EQ(m_floor.CreatePage("Two", &m_owner, ""), 1);
    EXPECT_EQ(CaptionBottom(0), 0);
}

TEST_F(FloorPropertiesTest, RemovingTheMiddlePageRenumbersTheLaterOnes)
{
    Load("A#{#a\\Edit#}#B#{#b\\Edit#}#C#{#c\\Edit#}#");
    CPageListCtrl* pThird = m_floor.GetPageList(2);
    EXPECT_TRUE(m_floor.RemovePage(1));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(m_floor.GetPageList(1), pThird);
    EXPECT_EQ(pThird->GetPageIndex(), 1);
    EXPECT_EQ(RowNames(1), std::vector<std::string>{"c"});
    EXPECT_FALSE(m_floor.RemovePage(2));
    EXPECT_EQ(m_floor.GetPageList(2), nullptr);
    EXPECT_EQ(m_floor.GetPageList(-1), nullptr);
}

TEST_F(FloorPropertiesTest, RemoveAllPagesSetsTheFloorLookEvenWithoutPages)
{
    CDispatchDriver floorControl(m_floor.GetControlDispatch());
    const DISPID kAsFloorProperty = 3;
    m_floor.m_bAsFloor = FALSE;
    m_floor.RemoveAllPages();
    EXPECT_FALSE(floorControl.Get(kAsFloorProperty, VT_BOOL).ToBool());
    m_floor.m_bAsFloor = TRUE;
    Load("A#{#}#");
    m_floor.RemoveAllPages();
    EXPECT_TRUE(floorControl.Get(kAsFloorProperty, VT_BOOL).ToBool());
    EXPECT_EQ(m_floor.GetPagesCount(), 0);
    EXPECT_EQ(m_floor.GetPageListCount(), 0);
}

} // namespace
