// CControlsWnd_CGroup: the "Group" kind - a heading row that gathers the rows filed under its
// name and that a grouped page expands and collapses. It has no editor; it keeps the group's
// expanded flag and the store rows of its members, and lives in the row map as long as its row.
#pragma once
#include "Button.h"
#include "ControlsWnd.h"

#include <map>
#include <vector>

class CMemberStore;

class CControlsWnd_CGroup : public CControlsWnd {
public:
    std::string GetClassName() const override;
    BOOL IsGroup() override;
    BOOL IsPersistent() const override;
    BOOL Release() override;
    CWnd* CreateEditor() override;
    void HideEditor(BOOL bFlag) override;
    void DoDefaultAction() override;

    // Expanded, or nothing to expand: a group without members never shows a plus.
    virtual BOOL IsExpanded();
    // The member's place in the group.
    virtual int AddMember(int nStoreRow);
    virtual const std::vector<int>& GetMembers();
    virtual void CollectMembers(CMemberStore* pStore);

    // The objects of the members while the group is folded, by store row: folding changes
    // what is shown, not what a row holds.
    void KeepFolded(int nStoreRow, CControlsWndPtr pObj);
    CControlsWndPtr TakeFolded(int nStoreRow);
    // Store rows from nFrom on moved down one: the members and the kept objects follow them.
    void FollowStoreRows(int nFrom);

    std::vector<int> m_arrMembers; // store rows, as last collected
    BOOL m_bExpanded = FALSE;

private:
    std::map<int, CControlsWndPtr> m_folded;
    // Only there for the factory, which wants an editor object; its window is never made.
    CButton m_button;
};
