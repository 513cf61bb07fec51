// CTreeListCtrl: the hidden store of a grouped page. It holds every property of the page -
// name, value text, group name and item data word - whether its group shows it or not, and
// keeps the rows of each group by group name, so that a group finds its members without a
// pass over the store.
#pragma once
#include "ListCtrl.h"
#include "MemberStore.h"

#include <string>
#include <unordered_map>
#include <vector>

class CTreeListCtrl : public CListCtrl, public CMemberStore {
public:
    CTreeListCtrl() = default;
    ~CTreeListCtrl() override;

    virtual std::string GetGroupText(int nRow) const;
    virtual DWORD GetItemData(int nRow) const;
    virtual std::string GetValueText(int nRow) const;
    virtual std::string GetNameText(int nRow) const;
    virtual BOOL SetValueText(int nRow, const std::string& strText);
    void CollectMembers(CControlsWnd_CGroup* pGroup, const std::string& strGroup) override;
    // The new row's index, or the negative result of a failed insertion.
    virtual int InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup);
    // The hidden window and its columns.
    virtual BOOL CreateStore(HWND hParent);

    // The row stays in the store but no group counts it any more: its property was deleted.
    void LeaveGroup(int nRow);
    void DeleteAllRows();

private:
    // Rows of one group, ascending.
    using Rows = std::vector<int>;

    int m_nNameColumn = -1;
    int m_nValueColumn = -1;
    int m_nGroupColumn = -1;
    // Group name, case folded -> the rows filed under it.
    std::unordered_map<std::string, Rows> m_groups;
};
