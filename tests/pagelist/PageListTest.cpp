#include "AsControls.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using PageListTest = PageListFixture<CPageListCtrl>;

TEST_F(PageListTest, ItemFontIsACopyOfTheControlsFont)
{
    LOGFONTW listFont = {};
    ASSERT_EQ(static_cast<int>(sizeof(listFont)), GetObjectW(m_list.GetItemFont(), sizeof(listFont), &listFont));
    EXPECT_EQ(-15, listFont.lfHeight);
    EXPECT_STREQ(L"Arial", listFont.lfFaceName);
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
