// CPageListCtrlDesign: a page of the Preview property page - the page list as a plain table
// that shows, per property, what the layout text stores (name, kind, type, group) and its row
// number, edited through its labels and a context menu instead of in-place editors. The texts
// live here, row for row with the list's items, which ask for them as they are drawn: a large
// page loads and is written back without a message per cell.
#pragma once
#include "GroupsMenu.h"
#include "PageListCtrl.h"
#include "RowText.h"

#include <memory>
#include <string>
#include <string_view>

class CDesignPopupMenu;
class CFloorPropertiesWndDesign;
class CVelmoraPropPage;

class CPageListCtrlDesign : public CPageListCtrl {
public:
    static constexpr int kNameColumn = 0;
    static constexpr int kAsColumn = 1;
    static constexpr int kTypeColumn = 2;
    static constexpr int kGroupColumn = 3;
    static constexpr int kNumberColumn = 4;

    // pOwner is the page marked modified by every change; pFloor the floor the list lives in.
    CPageListCtrlDesign(CVelmoraPropPage* pOwner, CFloorPropertiesWndDesign* pFloor);
    ~CPageListCtrlDesign() override;

    BOOL IsGroupPage() override;
    int InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup) override;
    int AddItemFromText(const std::string& strName, const std::string& strAs, const std::string& strType,
                        const std::string& strGroup) override;
    void LoadItemsText(std::string_view text) override;
    void SaveItemsText(std::string& strText) override;
    BOOL InitColumns() override;
    DWORD GetListStyle() override;
    BOOL IsOverDivider(POINT) override { return FALSE; }
    BOOL IsEditorVisible() override { return FALSE; }
    BOOL ActivateRow(int) override { return FALSE; }
    CControlsWnd* GetActiveControlsWnd() override { return nullptr; }

    virtual CVelmoraPropPage* GetPropertyPage() const { return m_pOwner; }
    // The list of the floor's front page; null when there is none.
    virtual CPageListCtrlDesign* GetActivePageList() const;
    // The group column of the members of group oldName becomes newName (empty: no group).
    virtual void RenameGroupMembers(const std::string& strOldName, const std::string& strNewName);

    // From the row after *pRow on: the next group row and its name; false past the last row.
    bool FindNextGroupRow(int* pRow, std::string* pName) const;
    bool IsGroupRow(int nRow) const;
    // The text of a cell of columns 0 to 3 (the number column is the row's index); empty out of
    // range.
    const std::string& Cell(int nRow, int nColumn) const;
    void SetCell(int nRow, int nColumn, const std::string& strText);
    void RenumberRows();
    // The text of a type command ("Enable", "Grayed", "Black").
    static const char* TypeText(UINT nTypeCommand);

protected:
    LRESULT OnMouseDefault(WPARAM, LPARAM);
    LRESULT OnKeyDefault(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    // Where a menu asked for from the keyboard opens: on the selected row, else at the list's
    // top left corner; screen coordinates.
    POINT KeyboardMenuPoint() const;
    LRESULT OnMenuCommand(WPARAM, LPARAM);
    LRESULT OnDesignEndLabelEdit(WPARAM, LPARAM);
    LRESULT OnDesignDeleteItem(WPARAM, LPARAM);
    LRESULT OnDesignDeleteAllItems(WPARAM, LPARAM);
    LRESULT OnGetDisplayInfo(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void SetModified() const;
    void DoCommand(UINT nID);
    void InsertNewRow();
    void EditFocusedRow();
    void DeleteSelectedRows();
    void SetKindOfSelected(UINT nID);
    void SetTypeOfSelected(UINT nID);
    void SetGroupOfSelected(UINT nID);

    CVelmoraPropPage* m_pOwner;
    CFloorPropertiesWndDesign* m_pFloor;
    CGroupsMenu m_groupsMenu;
    UINT m_nAsCommand;
    UINT m_nTypeCommand;
    std::unique_ptr<CDesignPopupMenu> m_pPopupMenu;
    std::vector<CRowText::Row> m_rows;
};
