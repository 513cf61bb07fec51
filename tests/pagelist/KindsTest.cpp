#include "AsControls.h"
#include "ControlsFactory.h"
#include "Font.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "RowMaps.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A page list with rows of the test kinds: transient, two persistent, and one of no kind.
class KindsOnListTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        CTestTransientKind::s_bFailEditor = false;
        CTestPersistentKind::s_bFailEditor = false;
        KindLog().clear();
        m_list.AddItemFromText("Colour", "ComboBox", "Enable", "");
        m_list.AddItemFromText("Customer", "ADORComboBox", "Enable", "");
        m_list.AddItemFromText("Supplier", "ADORComboBox", "Enable", "");
        m_list.AddItemFromText("Unknown", "NoSuchKind", "Enable", "");
    }
    void TearDown() override
    {
        PageListFixture::TearDown();
        EXPECT_EQ(0, LiveTestKinds());
    }
};

TEST_F(KindsOnListTest, PersistentObjectIsReturnedAgainForItsRowUnderAnyKindName)
{
    CControlsWnd* pObj = CreateControlsWnd("ADORComboBox", &m_list, 1, 1);
    ASSERT_NE(nullptr, pObj);
    EXPECT_EQ(pObj, FindControlsWnd(&m_list, 1));
    EXPECT_EQ(pObj, CreateControlsWnd("ComboBox", &m_list, 1, 1));
    EXPECT_EQ(pObj, CreateControlsWnd("Edit", &m_list, 1, 1));
    pObj->Release();
    EXPECT_EQ(pObj, FindControlsWnd(&m_list, 1));
    EXPECT_EQ(1, LiveTestKinds());
}

TEST_F(KindsOnListTest, TransientObjectDiesInRelease)
{
    CControlsWnd* pObj = m_list.GetControlsWnd(0, FALSE);
    ASSERT_NE(nullptr, pObj);
    const HWND hEditor = pObj->m_pEditor->m_hWnd;
    EXPECT_EQ(1, LiveTestKinds());
    EXPECT_FALSE(pObj->Release());
    EXPECT_EQ(0, LiveTestKinds());
    EXPECT_FALSE(IsWindow(hEditor)) << "the editor window goes with its object";
    EXPECT_EQ(nullptr, m_list.GetControlsWnd(0, TRUE)) << "asked with its release, none survives";
    EXPECT_EQ(0, LiveTestKinds());
}

TEST_F(KindsOnListTest, MoveKeepsTheMapConsistentAndIgnoresObjectsNotInIt)
{
    CControlsWnd* pObj = m_list.GetControlsWnd(1, TRUE);
    ASSERT_NE(nullptr, pObj);
    MoveControlsWnd(pObj, 5);
    EXPECT_EQ(5, pObj->m_nRow);
    EXPECT_EQ(nullptr, FindControlsWnd(&m_list, 1));
    EXPECT_EQ(pObj, FindControlsWnd(&m_list, 5));
    EXPECT_EQ(1u, FindRowMap(&m_list)->size());

    CControlsWnd* pTransient = m_list.GetControlsWnd(0, FALSE);
    ASSERT_NE(nullptr, pTransient);
    MoveControlsWnd(pTransient, 7);
    EXPECT_EQ(0, pTransient->m_nRow);
    EXPECT_EQ(nullptr, FindControlsWnd(&m_list, 7));
    EXPECT_EQ(1u, FindRowMap(&m_list)->size());
    pTransient->Release();
}

TEST_F(KindsOnListTest, RemoveReleasesTheActiveObjectFirstThenDeletesItAndLeavesTheOthers)
{
    CControlsWnd* pSize = m_list.GetControlsWnd(2, TRUE);
    ASSERT_NE(nullptr, pSize);
    ASSERT_TRUE(m_list.ActivateRow(1));
    CControlsWnd* pActive = m_list.GetActiveControlsWnd();
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(pActive, FindControlsWnd(&m_list, 1));
    KindLog().clear();

    RemoveControlsWnd(pActive);
    EXPECT_EQ((std::vector<std::string>{"persistent Release", "persistent destroyed"}), KindLog());
    EXPECT_EQ(nullptr, m_list.GetActiveControlsWnd());
    EXPECT_EQ(nullptr, FindControlsWnd(&m_list, 1));
    EXPECT_EQ(pSize, FindControlsWnd(&m_list, 2));
    KindLog().clear();
    RemoveControlsWnd(pSize);
    EXPECT_EQ((std::vector<std::string>{"persistent destroyed"}), KindLog());
    EXPECT_EQ(0, LiveTestKinds());
}

TEST_F(KindsOnListTest, ObjectsStayWithTheirPropertiesAsRowsComeAndGo)
{
    CControlsWnd* pFace = m_list.GetControlsWnd(1, TRUE);
    CControlsWnd* pSize = m_list.GetControlsWnd(2, TRUE);
    ASSERT_TRUE(pFace && pSize);
    ASSERT_TRUE(m_list.ActivateRow(0));
    CControlsWnd* pActive = m_list.GetActiveControlsWnd();

    // Whoever inserts a row (here the list message itself), the objects move down with theirs.
    ASSERT_EQ(0, m_list.InsertItem(0, "New"));
    EXPECT_EQ(1, pActive->m_nRow);
    EXPECT_EQ(pFace, FindControlsWnd(&m_list, 2));
    EXPECT_EQ(pSize, FindControlsWnd(&m_list, 3));

    // A deleted row takes its object along; those below move up.
    KindLog().clear();
    ASSERT_TRUE(m_list.DeleteRow(2));
    EXPECT_EQ((std::vector<std::string>{"persistent destroyed"}), KindLog());
    EXPECT_EQ(pSize, FindControlsWnd(&m_list, 2));
    EXPECT_EQ(2, pSize->m_nRow);
    EXPECT_EQ(1u, FindRowMap(&m_list)->size());

    // Deleting the active row ends the active object instead of leaving it on the next row.
    ASSERT_TRUE(m_list.DeleteRow(1));
    EXPECT_EQ(nullptr, m_list.GetActiveControlsWnd());
    EXPECT_EQ(1, LiveTestKinds());

    // All rows gone: the page's row map goes too.
    m_list.DeleteAllItems();
    EXPECT_EQ(nullptr, FindRowMap(&m_list));
    EXPECT_EQ(0, LiveTestKinds());
}

TEST_F(KindsOnListTest, NewItemFontReachesAnOpenEditorBeforeTheOldOneIsDeleted)
{
    ASSERT_TRUE(m_list.ActivateRow(0));
    CControlsWnd* pActive = m_list.GetActiveControlsWnd();
    const HWND hEditor = pActive->m_pEditor->m_hWnd;
    ASSERT_EQ(m_list.GetItemFont(), reinterpret_cast<HFONT>(SendMessageW(hEditor, WM_GETFONT, 0, 0)));

    m_list.SetItemFont(CFont::Describe("Courier New", -20, 700));
    const HFONT hShown = reinterpret_cast<HFONT>(SendMessageW(hEditor, WM_GETFONT, 0, 0));
    EXPECT_EQ(m_list.GetItemFont(), hShown);
    LOGFONTW description = {};
    ASSERT_EQ(static_cast<int>(sizeof(description)), GetObjectW(hShown, sizeof(description), &description));
    EXPECT_EQ(-20, description.lfHeight);
}

TEST_F(KindsOnListTest, SelectingARowActivatesItAndLoadsItsItemsOncePerRow)
{
    ASSERT_TRUE(m_list.OnRowSelected(0, 0));
    auto* pActive = dynamic_cast<CTestTransientKind*>(m_list.GetActiveControlsWnd());
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(1, pActive->nLoadItems);

    m_list.ReleaseActive();
    ASSERT_TRUE(m_list.OnRowSelected(0, 0));
    pActive = dynamic_cast<CTestTransientKind*>(m_list.GetActiveControlsWnd());
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(0, pActive->nLoadItems) << "the same row again: items already loaded";
}

} // namespace
