#include "PageListCtrlDesign.h"

#include "AsControls.h"
#include "DesignPopupMenu.h"
#include "FloorPropertiesWndDesign.h"
#include "RowText.h"
#include "Text.h"
#include "VelmoraPropPage.h"
#include "resource.h"

#include <utility>

namespace {

const char kPopupName[] = "MListCtrlDesign";
const char kGroupKind[] = "Group";
const char kNewRowName[] = "noname";

struct ColumnSpec {
    const char* pszHeading;
    int nWidth;
};

const ColumnSpec kColumns[] = {
    {"Name", 72}, {"Type", 84}, {"Enable", 48}, {"Group", 64}, {"ID", 32},
};

bool IsAsCommand(UINT nID)
{
    return nID >= ID_DESIGN_AS_EDIT && nID <= ID_DESIGN_AS_NADORCOMBOBOX && nID != ID_DESIGN_TYPE_ENABLE
        && nID != ID_DESIGN_TYPE_GRAYED && nID != ID_DESIGN_TYPE_BLACK;
}

bool IsTypeCommand(UINT nID)
{
    return nID == ID_DESIGN_TYPE_ENABLE || nID == ID_DESIGN_TYPE_GRAYED || nID == ID_DESIGN_TYPE_BLACK;
}

} // namespace

BEGIN_MESSAGE_MAP(CPageListCtrlDesign, CPageListCtrl)
    ON_MESSAGE(WM_LBUTTONDOWN, OnMouseDefault)
    ON_MESSAGE(WM_LBUTTONUP, OnMouseDefault)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnMouseDefault)
    ON_MESSAGE(WM_RBUTTONDOWN, OnMouseDefault)
    ON_MESSAGE(WM_RBUTTONUP, OnMouseDefault)
    ON_MESSAGE(WM_RBUTTONDBLCLK, OnMouseDefault)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseDefault)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDefault)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_MESSAGE(WM_COMMAND, OnMenuCommand)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnDesignEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDesignDeleteItem)
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDesignDeleteAllItems)
END_MESSAGE_MAP(CPageListCtrl)

CPageListCtrlDesign::CPageListCtrlDesign(CVelmoraPropPage* pOwner, CFloorPropertiesWndDesign* pFloor)
    : CPageListCtrl(nullptr, 18),
      m_pOwner(pOwner),
      m_pFloor(pFloor),
      m_nAsCommand(ID_DESIGN_AS_EDIT),
      m_nTypeCommand(ID_DESIGN_TYPE_ENABLE)
{
}

CPageListCtrlDesign::~CPageListCtrlDesign() = default;

DWORD CPageListCtrlDesign::GetListStyle()
{
    return LVS_EDITLABELS;
}

BOOL CPageListCtrlDesign::InitColumns()
{
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kColumns)); ++nColumn) {
        if (InsertColumn(nColumn, kColumns[nColumn].pszHeading, LVCFMT_LEFT, kColumns[nColumn].nWidth) != nColumn)
            return FALSE;
    }
    m_nNameColumn = kNameColumn;
    return TRUE;
}

bool CPageListCtrlDesign::IsGroupRow(int nRow) const
{
    return EqualNoCase(GetItemText(nRow, kAsColumn), kGroupKind);
}

bool CPageListCtrlDesign::FindNextGroupRow(int* pRow, std::string* pName) const
{
    const int nCount = GetItemCount();
    for (int nRow = *pRow + 1; nRow < nCount; ++nRow) {
        if (IsGroupRow(nRow)) {
            *pRow = nRow;
            *pName = GetItemText(nRow, kNameColumn);
            return true;
        }
    }
    *pRow = nCount;
    return false;
}

BOOL CPageListCtrlDesign::IsGroupPage()
{
    int nRow = -1;
    std::string strName;
    return FindNextGroupRow(&nRow, &strName);
}

int CPageListCtrlDesign::AddItemFromText(const std::string& strName, const std::string& strAs,
                                         const std::string& strType, const std::string& strGroup)
{
    const int nRow = InsertRow(GetItemCount(), strName, 0, std::string());
    if (nRow < 0)
        return nRow;
    // A new row's cells are empty already: most rows have no group, and large pages load
    // a message per row faster.
    for (const auto& [nColumn, pText] : {std::pair{kAsColumn, &strAs}, {kTypeColumn, &strType}, {kGroupColumn, &strGroup}}) {
        if (!pText->empty())
            SetItemText(nRow, nColumn, *pText);
    }
    return nRow;
}

void CPageListCtrlDesign::LoadItemsText(const std::string& strText)
{
    CPageListCtrl::LoadItemsText(strText);
    RenumberRows();
}

void CPageListCtrlDesign::SaveItemsText(std::string& strText)
{
    const int nCount = GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow) {
        CRowText::AppendRow(strText, CRowText::Row{GetItemText(nRow, kNameColumn), GetItemText(nRow, kAsColumn),
                                                   GetItemText(nRow, kTypeColumn), GetItemText(nRow, kGroupColumn)});
    }
}

void CPageListCtrlDesign::RenumberRows()
{
    const int nCount = GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow)
        SetItemText(nRow, kNumberColumn, FormatText("%i", nRow));
}

CPageListCtrlDesign* CPageListCtrlDesign::GetActivePageList() const
{
    return m_pFloor ? m_pFloor->GetDesignPageList(m_pFloor->GetActivePage()) : nullptr;
}

void CPageListCtrlDesign::RenameGroupMembers(const std::string& strOldName, const std::string& strNewName)
{
    const int nCount = GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow) {
        const std::string strGroup = GetItemText(nRow, kGroupColumn);
        if (!strGroup.empty() && !IsGroupRow(nRow) && EqualNoCase(strGroup, strOldName))
            SetItemText(nRow, kGroupColumn, strNewName);
    }
}

const char* CPageListCtrlDesign::TypeText(UINT nTypeCommand)
{
    if (nTypeCommand == ID_DESIGN_TYPE_ENABLE)
        return "Enable";
    return nTypeCommand == ID_DESIGN_TYPE_GRAYED ? "Grayed" : "Black";
}

void CPageListCtrlDesign::SetModified() const
{
    if (m_pOwner)
        m_pOwner->MarkModified();
}

// No editor ever opens on a design page: the list view's own selection and label editing only.
LRESULT CPageListCtrlDesign::OnMouseDefault(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CPageListCtrlDesign::OnKeyDefault(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CPageListCtrlDesign::OnContextMenu(WPARAM, LPARAM lParam)
{
    m_pPopupMenu.reset();
    const POINT ptScreen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    m_pPopupMenu = std::make_unique<CDesignPopupMenu>(IDM_LISTCTRL_DESIGN, kPopupName, m_hWnd, ptScreen);
    const HMENU hPopup = m_pPopupMenu->GetPopup();
    if (!hPopup)
        return 0;
    const CPageListCtrlDesign* pActive = GetActivePageList();
    const bool bFocused = pActive && pActive->GetNextItem(-1, LVNI_FOCUSED) >= 0;
    const bool bSelected = pActive && pActive->GetNextItem(-1, LVNI_SELECTED) >= 0;
    EnableMenuItem(hPopup, ID_DESIGN_EDIT, MF_BYCOMMAND | (bFocused ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(hPopup, ID_DESIGN_DELETE, MF_BYCOMMAND | (bSelected ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(hPopup, m_nAsCommand, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(hPopup, m_nTypeCommand, MF_BYCOMMAND | MF_CHECKED);
    m_groupsMenu.SetOwner(this);
    m_groupsMenu.Build(hPopup);
    m_pPopupMenu->TrackMenu();
    return 0;
}

LRESULT CPageListCtrlDesign::OnMenuCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 || HIWORD(wParam) != 0)
        return Default();
    const CLifeToken::CWatch alive = Watch();
    DoCommand(LOWORD(wParam));
    if (alive)
        Invalidate();
    return 0;
}

void CPageListCtrlDesign::DoCommand(UINT nID)
{
    if (!GetActivePageList())
        return;
    if (nID == ID_DESIGN_INSERT)
        InsertNewRow();
    else if (nID == ID_DESIGN_EDIT)
        EditFocusedRow();
    else if (nID == ID_DESIGN_DELETE)
        DeleteSelectedRows();
    else if (IsAsCommand(nID))
        SetKindOfSelected(nID);
    else if (IsTypeCommand(nID))
        SetTypeOfSelected(nID);
    else if (nID >= CGroupsMenu::kNoGroupCommand)
        SetGroupOfSelected(nID);
}

void CPageListCtrlDesign::InsertNewRow()
{
    CPageListCtrlDesign* pList = GetActivePageList();
    const int nFocused = pList->GetNextItem(-1, LVNI_FOCUSED);
    const int nAt = nFocused >= 0 ? nFocused + 1 : pList->GetItemCount();
    const int nRow = pList->InsertRow(nAt, kNewRowName, 0, std::string());
    if (nRow >= 0) {
        pList->SetItemText(nRow, kAsColumn, CAsControls::Get().GetAsName(m_nAsCommand));
        pList->SetItemText(nRow, kTypeColumn, TypeText(m_nTypeCommand));
        pList->EditLabel(nRow);
    }
    SetModified();
    RenumberRows();
}

void CPageListCtrlDesign::EditFocusedRow()
{
    CPageListCtrlDesign* pList = GetActivePageList();
    const int nFocused = pList->GetNextItem(-1, LVNI_FOCUSED);
    if (nFocused < 0)
        return;
    pList->EditLabel(nFocused);
    SetModified();
}

void CPageListCtrlDesign::DeleteSelectedRows()
{
    CPageListCtrlDesign* pList = GetActivePageList();
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(-1, LVNI_SELECTED)) {
        if (!pList->DeleteRow(nRow))
            break;
    }
    SetModified();
    RenumberRows();
}

void CPageListCtrlDesign::SetKindOfSelected(UINT nID)
{
    m_nAsCommand = nID;
    CPageListCtrlDesign* pList = GetActivePageList();
    const char* pszAs = CAsControls::Get().GetAsName(m_nAsCommand);
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(nRow, LVNI_SELECTED)) {
        pList->SetItemText(nRow, kAsColumn, pszAs ? pszAs : "");
        if (nID == ID_DESIGN_AS_GROUP)
            pList->SetItemText(nRow, kGroupColumn, std::string());
    }
    SetModified();
}

void CPageListCtrlDesign::SetTypeOfSelected(UINT nID)
{
    m_nTypeCommand = nID;
    CPageListCtrlDesign* pList = GetActivePageList();
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(nRow, LVNI_SELECTED))
        pList->SetItemText(nRow, kTypeColumn, TypeText(nID));
    SetModified();
}

void CPageListCtrlDesign::SetGroupOfSelected(UINT nID)
{
    const int nGroupRow = m_groupsMenu.LookupCommand(nID);
    if (nGroupRow == CGroupsMenu::kNotMapped)
        return;
    const std::string strGroup = nGroupRow < 0 ? std::string() : GetItemText(nGroupRow, kNameColumn);
    CPageListCtrlDesign* pList = GetActivePageList();
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(nRow, LVNI_SELECTED)) {
        if (!pList->IsGroupRow(nRow))
            pList->SetItemText(nRow, kGroupColumn, strGroup);
    }
    SetModified();
}

// The list is told not to take the text itself: the name is set here, after the members of a
// renamed group have followed it.
LRESULT CPageListCtrlDesign::OnDesignEndLabelEdit(WPARAM, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
    if (!pInfo->item.pszText)
        return 0;
    const std::string strNew = WideToUtf8(pInfo->item.pszText);
    const int nRow = pInfo->item.iItem;
    if (strNew.empty() || nRow < 0 || nRow >= GetItemCount())
        return 0;
    RenameGroupMembers(GetItemText(nRow, kNameColumn), strNew);
    SetItemText(nRow, kNameColumn, strNew);
    SetModified();
    return 0;
}

LRESULT CPageListCtrlDesign::OnDesignDeleteItem(WPARAM, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (IsGroupRow(pInfo->iItem))
        RenameGroupMembers(GetItemText(pInfo->iItem, kNameColumn), std::string());
    return 0;
}

// All rows go at once: no member of a group is left behind to follow it.
LRESULT CPageListCtrlDesign::OnDesignDeleteAllItems(WPARAM, LPARAM)
{
    return TRUE;
}
