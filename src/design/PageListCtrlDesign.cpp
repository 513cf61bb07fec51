#include "PageListCtrlDesign.h"

#include "AsControls.h"
#include "DesignPopupMenu.h"
#include "FloorPropertiesWndDesign.h"
#include "Text.h"
#include "VelmoraPropPage.h"
#include "resource.h"

#include <algorithm>

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
    return nID >= ID_AS_EDIT && nID <= ID_AS_NADORCOMBOBOX && nID != ID_DESIGN_TYPE_ENABLE
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
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDisplayInfo)
END_MESSAGE_MAP(CPageListCtrl)

CPageListCtrlDesign::CPageListCtrlDesign(CVelmoraPropPage* pOwner, CFloorPropertiesWndDesign* pFloor)
    : CPageListCtrl(nullptr, 18),
      m_pOwner(pOwner),
      m_pFloor(pFloor),
      m_nAsCommand(ID_AS_EDIT),
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
        if (InsertColumn(nColumn, kColumns[nColumn].pszHeading, LVCFMT_LEFT, m_dpi.Scale(kColumns[nColumn].nWidth)) != nColumn)
            return FALSE;
    }
    m_nNameColumn = kNameColumn;
    return TRUE;
}

bool CPageListCtrlDesign::IsGroupRow(int nRow) const
{
    return EqualNoCase(Cell(nRow, kAsColumn), kGroupKind);
}

const std::string& CPageListCtrlDesign::Cell(int nRow, int nColumn) const
{
    static const std::string kNone;
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()))
        return kNone;
    const CRowText::Row& row = m_rows[static_cast<size_t>(nRow)];
    switch (nColumn) {
    case kNameColumn:
        return row.strName;
    case kAsColumn:
        return row.strAs;
    case kTypeColumn:
        return row.strType;
    case kGroupColumn:
        return row.strGroup;
    default:
        return kNone;
    }
}

void CPageListCtrlDesign::SetCell(int nRow, int nColumn, const std::string& strText)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()) || nColumn < kNameColumn || nColumn > kGroupColumn)
        return;
    CRowText::Row& row = m_rows[static_cast<size_t>(nRow)];
    std::string* cells[] = {&row.strName, &row.strAs, &row.strType, &row.strGroup};
    *cells[nColumn] = strText;
    RedrawItems(nRow, nRow);
}

// The list asks for every text it shows; the number column is the row's index.
LRESULT CPageListCtrlDesign::OnGetDisplayInfo(WPARAM, LPARAM lParam)
{
    auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    LVITEMW& item = pInfo->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return 0;
    const std::wstring text = Utf8ToWide(item.iSubItem == kNumberColumn ? FormatText("%i", item.iItem)
                                                                         : Cell(item.iItem, item.iSubItem));
    const size_t nCopy = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(text.c_str(), nCopy, item.pszText);
    item.pszText[nCopy] = L'\0';
    return 0;
}

// The item asks for its texts (its cells are all the list's callbacks); the row's texts are
// here before the item exists, for whoever the insertion makes ask.
int CPageListCtrlDesign::InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string&)
{
    const int nAt = std::clamp(nIndex, 0, static_cast<int>(m_rows.size()));
    m_rows.insert(m_rows.begin() + nAt, CRowText::Row{strName, std::string(), std::string(), std::string()});
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nAt;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.lParam = static_cast<LPARAM>(dwData);
    const CLifeToken::CWatch alive = Watch();
    const int nRow = static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (alive && nRow != nAt) {
        CRowText::Row row = std::move(m_rows[static_cast<size_t>(nAt)]);
        m_rows.erase(m_rows.begin() + nAt);
        if (nRow >= 0)
            m_rows.insert(m_rows.begin() + std::min(nRow, static_cast<int>(m_rows.size())), std::move(row));
    }
    return nRow;
}

bool CPageListCtrlDesign::FindNextGroupRow(int* pRow, std::string* pName) const
{
    const int nCount = GetItemCount();
    for (int nRow = *pRow + 1; nRow < nCount; ++nRow) {
        if (IsGroupRow(nRow)) {
            *pRow = nRow;
            *pName = Cell(nRow, kNameColumn);
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
    CRowText::Row& row = m_rows[static_cast<size_t>(nRow)];
    row.strAs = strAs;
    row.strType = strType;
    row.strGroup = strGroup;
    return nRow;
}

void CPageListCtrlDesign::LoadItemsText(std::string_view text)
{
    CPageListCtrl::LoadItemsText(text);
    RenumberRows();
}

void CPageListCtrlDesign::SaveItemsText(std::string& strText)
{
    for (const CRowText::Row& row : m_rows)
        CRowText::AppendRow(strText, row);
}

// The number column shows each row's index as it is drawn: drawn again, it is up to date.
void CPageListCtrlDesign::RenumberRows()
{
    Invalidate(FALSE);
}

CPageListCtrlDesign* CPageListCtrlDesign::GetActivePageList() const
{
    return m_pFloor ? m_pFloor->GetDesignPageList(m_pFloor->GetActivePage()) : nullptr;
}

void CPageListCtrlDesign::RenameGroupMembers(const std::string& strOldName, const std::string& strNewName)
{
    const int nCount = static_cast<int>(m_rows.size());
    for (int nRow = 0; nRow < nCount; ++nRow) {
        const std::string& strGroup = Cell(nRow, kGroupColumn);
        if (!strGroup.empty() && !IsGroupRow(nRow) && EqualNoCase(strGroup, strOldName))
            SetCell(nRow, kGroupColumn, strNewName);
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

POINT CPageListCtrlDesign::KeyboardMenuPoint() const
{
    POINT pt = {0, 0};
    RECT rcLabel = {};
    int nRow = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    if (nRow < 0)
        nRow = GetNextItem(-1, LVNI_SELECTED);
    if (nRow >= 0 && GetItemRect(nRow, &rcLabel, LVIR_LABEL))
        pt = POINT{(rcLabel.left + rcLabel.right) / 2, (rcLabel.top + rcLabel.bottom) / 2};
    ClientToScreen(m_hWnd, &pt);
    return pt;
}

LRESULT CPageListCtrlDesign::OnContextMenu(WPARAM, LPARAM lParam)
{
    m_pPopupMenu.reset();
    // Shift+F10 and the menu key give no position (-1, -1).
    POINT ptScreen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (ptScreen.x == -1 && ptScreen.y == -1)
        ptScreen = KeyboardMenuPoint();
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
        const char* pszAs = CAsControls::Get().GetAsName(m_nAsCommand);
        pList->SetCell(nRow, kAsColumn, pszAs ? pszAs : "");
        pList->SetCell(nRow, kTypeColumn, TypeText(m_nTypeCommand));
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
        pList->SetCell(nRow, kAsColumn, pszAs ? pszAs : "");
        if (nID == ID_AS_GROUP)
            pList->SetCell(nRow, kGroupColumn, std::string());
    }
    SetModified();
}

void CPageListCtrlDesign::SetTypeOfSelected(UINT nID)
{
    m_nTypeCommand = nID;
    CPageListCtrlDesign* pList = GetActivePageList();
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(nRow, LVNI_SELECTED))
        pList->SetCell(nRow, kTypeColumn, TypeText(nID));
    SetModified();
}

void CPageListCtrlDesign::SetGroupOfSelected(UINT nID)
{
    const int nGroupRow = m_groupsMenu.LookupCommand(nID);
    if (nGroupRow == CGroupsMenu::kNotMapped)
        return;
    const std::string strGroup = nGroupRow < 0 ? std::string() : Cell(nGroupRow, kNameColumn);
    CPageListCtrlDesign* pList = GetActivePageList();
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = pList->GetNextItem(nRow, LVNI_SELECTED)) {
        if (!pList->IsGroupRow(nRow))
            pList->SetCell(nRow, kGroupColumn, strGroup);
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
    const std::string strOld = Cell(nRow, kNameColumn);
    RenameGroupMembers(strOld, strNew);
    SetCell(nRow, kNameColumn, strNew);
    SetModified();
    return 0;
}

LRESULT CPageListCtrlDesign::OnDesignDeleteItem(WPARAM, LPARAM lParam)
{
    const int nRow = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
    if (nRow < 0 || nRow >= static_cast<int>(m_rows.size()))
        return 0;
    if (IsGroupRow(nRow))
        RenameGroupMembers(Cell(nRow, kNameColumn), std::string());
    m_rows.erase(m_rows.begin() + nRow);
    return 0;
}

// All rows go at once: no member of a group is left behind to follow it.
LRESULT CPageListCtrlDesign::OnDesignDeleteAllItems(WPARAM, LPARAM)
{
    m_rows.clear();
    return TRUE;
}
