// CPageTreeCtrl: a page that folds its properties under group rows. Every property stays in a
// hidden store; the list shows the group rows and the members of the expanded groups right
// below their group, and draws a plus or minus box for each group in a narrow first column.
#pragma once
#include "PageListCtrl.h"
#include "TreeListCtrl.h"

#include <functional>

class CControlsWnd_CGroup;

class CPageTreeCtrl : public CPageListCtrl {
public:
    CPageTreeCtrl(CPageListOwner* pCtrl, int nItemHeight);

    BOOL IsGroupPage() override;
    void ToggleGroup(long nRow, BOOL* pbExpanded) override;
    // Files the property in the store, where nIndex counts; a group row is shown at once, a
    // member only when its group is expanded. Answers the store row.
    int InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup) override;
    // A property inserted by the host joins the group shown above nIndex: shown at nIndex when
    // that group is open (the answer), filed in the store only when it is folded (-1). Above
    // every group it is shown in no group.
    int InsertProperty(int nIndex, const std::string& strName, DWORD dwData) override;
    BOOL DeleteRow(int nRow) override;
    void InvalidateItems(BOOL bErase) override;
    // Names of a grouped page are those of its layout.
    void SetRowName(int nRow, const std::string& strName) override;
    BOOL DeleteAllItems() override;
    void OnDrawItemBegin(HDC hDC, int nRow, DWORD dwItemData) override;
    void LoadItemsText(std::string_view text) override;
    int AddItemFromText(const std::string& strName, const std::string& strAs, const std::string& strType,
                        const std::string& strGroup) override;
    BOOL InitColumns() override;
    // A member's value is written to the store as well, so that it is there when the group
    // opens again.
    BOOL SetItemValue(int nRow, const std::string& strText) override;

    virtual BOOL IsGroupData(DWORD dwData);
    virtual BOOL IsGroupRow(int nRow);
    // Every group row's object collects its members again; an expanded group keeps showing
    // the members it opened with until it opens again.
    virtual void AttachAllGroups();

    const CTreeListCtrl& GetStore() const { return m_Store; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnTreeLButtonDown(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // On a 96-DPI screen.
    static constexpr int kSignColumnWidth = 16;
    static constexpr int kSignBox = 9;

    // The group object of a group row, made if the row has none yet (it stays: the row map keeps
    // it); null for other rows.
    CControlsWnd_CGroup* GroupAt(int nRow);
    void ForEachGroup(const std::function<void(CControlsWnd_CGroup&)>& visit);
    // The expanded group that shows nRow among its members, with the row's place in the group;
    // null for group rows and for rows that no expanded group accounts for.
    CControlsWnd_CGroup* ShownGroupOf(int nRow, int* pPlace);
    // Store rows from nFrom on moved down one: the groups' members follow them.
    void FollowStoreRows(int nFrom);
    void ShowGroupRow(int nIndex, const std::string& strName, DWORD dwData);
    int InsertUngrouped(int nIndex, const std::string& strName, DWORD dwData);
    // A store row at nStoreIndex; the groups' members follow the rows it moves down.
    int FileInStore(int nStoreIndex, const std::string& strName, DWORD dwData, const std::string& strGroup);

    // Folding (PageTreeFolding.cpp).
    // Members that are about to be folded away lose the selection and the focus first, while
    // every row is still there, and the host hears of it. FALSE when its handler changed the
    // rows or deleted the page: nothing is folded then.
    BOOL LeaveMembers(int nGroupRow, int nCount);
    // Flips the flag and shows or hides the group's members.
    void Fold(int nGroupRow, CControlsWnd_CGroup& group, BOOL* pbExpanded);
    void ShowMembers(int nGroupRow, CControlsWnd_CGroup& group);
    void HideMembers(int nGroupRow, CControlsWnd_CGroup& group);
    int ShownMemberCount(int nGroupRow, CControlsWnd_CGroup& group) const;
    bool HasVerticalScrollBar() const;
    bool IsInSignColumn(int nRow, POINT pt) const;

    CTreeListCtrl m_Store;
    // Set while a layout is read: the groups collect their members once, at the end.
    bool m_bLoading = false;
};
