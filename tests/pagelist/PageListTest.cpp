#include "AsControls.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using PageListTest = PageListFixture<CPageListCtrl>;

TEST_F(PageListTest, CreationMakesAnOwnerDrawnReportListWithNameAndValueColumns)
{
    const LONG_PTR style = GetWindowLongPtrW(m_list.m_hWnd, GWL_STYLE);
    EXPECT_EQ(LVS_REPORT, style & LVS_TYPEMASK);
    const LONG_PTR bits[] = {LVS_OWNERDRAWFIXED, LVS_SINGLESEL, LVS_NOCOLUMNHEADER, LVS_SHOWSELALWAYS,
                             WS_CHILD, WS_VISIBLE, WS_CLIPCHILDREN};
    for (LONG_PTR bit : bits)
        EXPECT_EQ(bit, style & bit) << std::hex << bit;
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), m_list.GetExtendedStyle());
    EXPECT_EQ(1000, m_list.GetDlgCtrlID());

    ASSERT_EQ(2, m_list.GetColumnCount());
    EXPECT_EQ(0, m_list.GetNameColumn());
    EXPECT_EQ(1, m_list.GetValueColumn());
    // Widths as made, before any size makes the value column take the rest.
    CPageListCtrl unsized(&m_owner, 18);
    ASSERT_TRUE(unsized.Create(m_hFrame, 1001));
    EXPECT_EQ(140, unsized.GetColumnWidth(0));
    EXPECT_EQ(128, unsized.GetColumnWidth(1));
}

TEST_F(PageListTest, ItemFontIsACopyOfTheControlsFont)
{
    LOGFONTW listFont = {};
    ASSERT_EQ(static_cast<int>(sizeof(listFont)), GetObjectW(m_list.GetItemFont(), sizeof(listFont), &listFont));
    EXPECT_EQ(-15, listFont.lfHeight);
    EXPECT_STREQ(L"Arial", listFont.lfFaceName);
}

TEST_F(PageListTest, NoItemFontWithoutOneFromTheControl)
{
    CFakeOwner owner;
    owner.bHasItemFont = false;
    CPageListCtrl list(&owner, 18);
    ASSERT_TRUE(list.Create(m_hFrame, 1001));
    EXPECT_EQ(nullptr, list.GetItemFont());
}

TEST_F(PageListTest, RowsHaveTheHeightGivenAtConstruction)
{
    CPageListCtrl tall(&m_owner, 25);
    ASSERT_TRUE(tall.Create(m_hFrame, 1001));
    tall.MoveWindow(RECT{0, 0, 300, 200});
    tall.AddItemFromText("a", "Edit", "Enable", "");
    m_list.AddItemFromText("a", "Edit", "Enable", "");
    RECT rect = {};
    ASSERT_TRUE(tall.GetItemRect(0, &rect, LVIR_BOUNDS));
    EXPECT_EQ(25, rect.bottom - rect.top);
    ASSERT_TRUE(m_list.GetItemRect(0, &rect, LVIR_BOUNDS));
    EXPECT_EQ(18, rect.bottom - rect.top);
}

TEST_F(PageListTest, NamesValuesAndItemDataRoundTrip)
{
    EXPECT_EQ(0, m_list.AddItemFromText("Caption", "Edit", "Enable", ""));
    EXPECT_EQ(1, m_list.AddItemFromText("Colour", "ColorComboBox", "grayed", ""));
    EXPECT_EQ(2, m_list.AddItemFromText("Mystery", "edit", "Disabled", ""));

    EXPECT_EQ("Caption", Name(0));
    EXPECT_EQ("Colour", Name(1));
    EXPECT_EQ(0x00008003u, m_list.GetItemData(0));
    EXPECT_EQ(0x0001800Fu, m_list.GetItemData(1));
    EXPECT_EQ(0x0002FFFFu, m_list.GetItemData(2)) << "kind names keep their case; unknown types are black";
    EXPECT_STREQ("Edit", m_list.GetItemAs(0));
    EXPECT_STREQ("ColorComboBox", m_list.GetItemAs(1));
    EXPECT_EQ(nullptr, m_list.GetItemAs(2)) << "an unregistered kind has no name";

    EXPECT_EQ("", Value(0));
    EXPECT_TRUE(m_list.SetItemValue(0, "Hello, world"));
    EXPECT_EQ("Hello, world", Value(0));
    m_list.SetRowName(0, "Title");
    EXPECT_EQ("Title", Name(0));
    EXPECT_EQ("Hello, world", Value(0));
}

TEST_F(PageListTest, EmptyValueIsStoredAsNoText)
{
    m_list.AddItemFromText("Caption", "Edit", "Enable", "");
    ASSERT_TRUE(m_list.SetItemValue(0, "something"));
    ASSERT_TRUE(m_list.SetItemValue(0, ""));

    wchar_t buffer[16] = L"xxxxxxxxxxxxxxx";
    LVITEMW item = {};
    item.iSubItem = m_list.GetValueColumn();
    item.pszText = buffer;
    item.cchTextMax = 16;
    EXPECT_EQ(0, m_list.SendMessage(LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(L'\0', item.pszText[0]);
}

TEST_F(PageListTest, InsertRowPlacesTheRowAndReturnsItsIndex)
{
    m_list.AddItemFromText("first", "Edit", "Enable", "");
    m_list.AddItemFromText("last", "Edit", "Enable", "");
    EXPECT_EQ(1, m_list.InsertRow(1, "middle", MakeItemData(ID_AS_LINK, ITEM_TYPE_BOLD), "Some group"));
    EXPECT_EQ("first", Name(0));
    EXPECT_EQ("middle", Name(1));
    EXPECT_EQ("last", Name(2));
    EXPECT_STREQ("Link", m_list.GetItemAs(1));
    EXPECT_TRUE(m_list.IsBold(1));
}

TEST_F(PageListTest, TypeWordBitsAnswerTheTypeTests)
{
    m_list.AddItemFromText("row", "Edit", "Enable", "");
    struct Case {
        WORD nType;
        bool bEnabled, bGrayed, bBlack, bBold;
    };
    const Case cases[] = {
        {0, true, false, false, false}, {1, false, true, false, false}, {2, false, false, true, false},
        {4, true, false, false, true},  {5, false, true, false, true},  {6, false, false, true, true},
    };
    for (const Case& c : cases) {
        m_list.SetItemData(0, MakeItemData(ID_AS_EDIT, c.nType));
        EXPECT_EQ(c.bEnabled, m_list.IsEnabled(0) != FALSE) << c.nType;
        EXPECT_EQ(c.bGrayed, m_list.IsGrayed(0) != FALSE) << c.nType;
        EXPECT_EQ(c.bBlack, m_list.IsBlack(0) != FALSE) << c.nType;
        EXPECT_EQ(c.bBold, m_list.IsBold(0) != FALSE) << c.nType;
        EXPECT_STREQ("Edit", m_list.GetItemAs(0)) << "the kind stays";
    }
}

TEST_F(PageListTest, KindTestsIgnoreCaseOfTheRegisteredName)
{
    m_list.AddItemFromText("a", "Edit", "Enable", "");
    m_list.AddItemFromText("b", "EditButton", "Enable", "");
    m_list.AddItemFromText("c", "ComboBox", "Enable", "");
    EXPECT_TRUE(m_list.IsEditKind(0));
    EXPECT_FALSE(m_list.IsEditKind(1));
    EXPECT_TRUE(m_list.IsEditButtonKind(1));
    EXPECT_FALSE(m_list.IsEditButtonKind(0));
    EXPECT_FALSE(m_list.HasOwnIcon(0));
    EXPECT_TRUE(m_list.HasOwnIcon(1));
    EXPECT_FALSE(m_list.HasOwnIcon(2));
    for (const char* pszAs : {"Button", "Return", "Link", "Font"}) {
        m_list.SetItemData(2, MakeItemData(static_cast<WORD>(CAsControls::Get().Lookup(pszAs)), 0));
        EXPECT_TRUE(m_list.HasOwnIcon(2)) << pszAs;
    }
}

TEST_F(PageListTest, EveryRowOperationAnswersNothingOutsideTheRows)
{
    m_list.AddItemFromText("only", "ComboBox", "Enable", "");
    for (int nRow : {-1, 1, 100}) {
        EXPECT_EQ(nullptr, m_list.GetItemAs(nRow)) << nRow;
        EXPECT_FALSE(m_list.IsGrayed(nRow));
        EXPECT_FALSE(m_list.IsBold(nRow));
        EXPECT_FALSE(m_list.IsEnabled(nRow));
        EXPECT_FALSE(m_list.IsBlack(nRow));
        EXPECT_FALSE(m_list.IsEditKind(nRow));
        EXPECT_FALSE(m_list.IsEditButtonKind(nRow));
        EXPECT_FALSE(m_list.HasOwnIcon(nRow));
        EXPECT_FALSE(m_list.SetItemValue(nRow, "x"));
        RECT rect = {1, 2, 3, 4};
        EXPECT_EQ(nullptr, m_list.GetCellRect(&rect, nRow));
        EXPECT_FALSE(m_list.DeleteRow(nRow));
        EXPECT_FALSE(m_list.OnRowSelected(nRow, 0));
        EXPECT_FALSE(m_list.ActivateRow(nRow));
        EXPECT_EQ(nullptr, m_list.GetControlsWnd(nRow, FALSE));
        m_list.SetRowName(nRow, "renamed");
        m_list.DoDefaultAction(nRow);
    }
    EXPECT_EQ(1, m_list.GetItemCount());
    EXPECT_EQ("only", Name(0));
    EXPECT_EQ("", Value(0));
}

TEST_F(PageListTest, CellRectIsTheValueColumnMovedTwoPixelsRight)
{
    m_list.AddItemFromText("a", "Edit", "Enable", "");
    m_list.AddItemFromText("b", "Edit", "Enable", "");
    RECT bounds = {};
    ASSERT_TRUE(m_list.GetItemRect(1, &bounds, LVIR_BOUNDS));
    RECT cell = {};
    ASSERT_EQ(&cell, m_list.GetCellRect(&cell, 1));
    EXPECT_EQ(bounds.right - m_list.GetColumnWidth(1) + 2, cell.left);
    EXPECT_EQ(bounds.right + 2, cell.right);
    EXPECT_EQ(bounds.top, cell.top);
    EXPECT_EQ(bounds.bottom, cell.bottom);
}

TEST_F(PageListTest, LayoutTextFillsThePageAndStopsAtTheFirstEmptyToken)
{
    m_list.AddItemFromText("old row", "Edit", "Enable", "");
    m_list.LoadItemsText("Caption\\Edit\\Enable\\#Colour\\ColorComboBox\\Grayed\\#Face\\Font\\Black\\Fonts#"
                         "Bare#Ignored\\Edit\\Enable\\##After\\Edit\\Enable\\#");
    ASSERT_EQ(5, m_list.GetItemCount());
    EXPECT_EQ("Caption", Name(0));
    EXPECT_EQ(ItemDataFromNames("Edit", "Enable"), m_list.GetItemData(0));
    EXPECT_EQ("Colour", Name(1));
    EXPECT_EQ(ItemDataFromNames("ColorComboBox", "Grayed"), m_list.GetItemData(1));
    EXPECT_EQ("Face", Name(2));
    EXPECT_EQ("", Value(2)) << "the group name is not stored by the plain page list";
    EXPECT_EQ("Bare", Name(3)) << "missing fields are empty";
    EXPECT_EQ(0x0002FFFFu, m_list.GetItemData(3));
    EXPECT_EQ("Ignored", Name(4)) << "the row before the empty token is still read";
}

TEST_F(PageListTest, LayoutTextNeedsTheWindow)
{
    CPageListCtrl unmade(&m_owner, 18);
    unmade.LoadItemsText("Caption\\Edit\\Enable\\#");
    EXPECT_FALSE(unmade.IsWindow());
}

TEST_F(PageListTest, ReleasedActiveObjectIsForgotten)
{
    m_list.AddItemFromText("a", "ComboBox", "Enable", "");
    ASSERT_TRUE(m_list.ActivateRow(0));
    CControlsWnd* pActive = m_list.GetActiveControlsWnd();
    ASSERT_NE(nullptr, pActive);
    EXPECT_TRUE(m_list.ActivateRow(0));
    EXPECT_EQ(pActive, m_list.GetActiveControlsWnd()) << "an active object is kept while there is one";
    m_list.ReleaseActive();
    EXPECT_EQ(nullptr, m_list.GetActiveControlsWnd());
    EXPECT_EQ(0, LiveTestKinds());
}

} // namespace
