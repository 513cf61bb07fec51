// The Group kind on its own and on a page that does not fold: a persistent row object with no
// editor window, whose default action asks its page to fold.
#include "ControlsFactory.h"
#include "GroupKind.h"
#include "MemberStore.h"
#include "RowMaps.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CControlsWndPtr NoObject()
{
    return nullptr;
}

// A store that files every row asked for under one name.
class CFixedStore : public CMemberStore {
public:
    std::string strAsked;
    void CollectMembers(CControlsWnd_CGroup* pGroup, const std::string& strGroup) override
    {
        strAsked = strGroup;
        pGroup->m_arrMembers.clear();
        pGroup->AddMember(4);
        pGroup->AddMember(7);
    }
};

class GroupKindTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        RegisterControlsClass("CControlsWnd_CGroup", &NewControlsObject<CControlsWnd_CGroup>);
        m_nRow = m_list.AddItemFromText("Layout", "Group", "Enable", "");
    }
    void TearDown() override
    {
        PageListFixture::TearDown();
        RegisterControlsClass("CControlsWnd_CGroup", &NoObject);
    }

    CControlsWnd_CGroup* Group() { return dynamic_cast<CControlsWnd_CGroup*>(m_list.GetControlsWnd(m_nRow, FALSE)); }

    int m_nRow = -1;
};

TEST_F(GroupKindTest, IsAPersistentGroupWithoutAnEditorWindow)
{
    CControlsWnd_CGroup* pGroup = Group();
    ASSERT_NE(nullptr, pGroup);
    EXPECT_EQ("CControlsWnd_CGroup", pGroup->GetClassName());
    EXPECT_TRUE(pGroup->IsGroup());
    EXPECT_TRUE(pGroup->IsPersistent());
    ASSERT_NE(nullptr, pGroup->m_pEditor);
    EXPECT_FALSE(pGroup->m_pEditor->IsWindow());
    EXPECT_EQ(pGroup, FindControlsWnd(&m_list, m_nRow)) << "entered in the row map";
    const CLifeToken::CWatch alive = pGroup->Watch();
    EXPECT_FALSE(pGroup->Release());
    EXPECT_TRUE(alive) << "the row map keeps it";
    EXPECT_EQ(pGroup, Group()) << "the same object, flag and members, every time";
}

TEST_F(GroupKindTest, WithoutMembersItCountsAsExpanded)
{
    CControlsWnd_CGroup* pGroup = Group();
    EXPECT_FALSE(pGroup->m_bExpanded);
    EXPECT_TRUE(pGroup->IsExpanded());
    EXPECT_EQ(0, pGroup->AddMember(3));
    EXPECT_FALSE(pGroup->IsExpanded());
    pGroup->m_bExpanded = TRUE;
    EXPECT_TRUE(pGroup->IsExpanded());
}

TEST_F(GroupKindTest, CollectsItsMembersUnderItsRowName)
{
    CFixedStore store;
    CControlsWnd_CGroup* pGroup = Group();
    pGroup->AddMember(1);
    pGroup->CollectMembers(&store);
    EXPECT_EQ("Layout", store.strAsked);
    EXPECT_EQ(std::vector<int>({4, 7}), pGroup->GetMembers());
}

TEST_F(GroupKindTest, APageThatDoesNotFoldLeavesTheFlagAndTheRowsAlone)
{
    m_list.AddItemFromText("Member", "ComboBox", "Enable", "Layout");
    CControlsWnd_CGroup* pGroup = Group();
    pGroup->DoDefaultAction();
    EXPECT_FALSE(pGroup->m_bExpanded);
    EXPECT_EQ(2, m_list.GetItemCount());
    EXPECT_FALSE(m_list.IsGroupPage());
}

TEST_F(GroupKindTest, OpeningAGroupRowOnlyTellsTheHost)
{
    CControlsWnd_CGroup* pGroup = Group();
    pGroup->ShowEditor(0);
    pGroup->HideEditor(FALSE);
    EXPECT_EQ(std::vector<FiredEvent>({{"PropertyChanging", 3, m_nRow, FALSE}}), m_owner.events);
}

} // namespace
