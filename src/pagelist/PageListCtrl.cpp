#include "PageListCtrl.h"

#include "AsControls.h"
#include "ControlsFactory.h"
#include "ControlsWnd.h"
#include "ItemData.h"
#include "NComboKinds.h"
#include "PageListOwner.h"
#include "RowMaps.h"
#include "RowText.h"
#include "ShapingCaches.h"
#include "Text.h"

#include <algorithm>
#include <climits>

std::atomic<BOOL> CPageListCtrl::s_bAutoResizingColumns{TRUE};

namespace {

// The NCombo control is the only control a page list hosts, under id 0.
const UINT kNComboId = 0;

} // namespace

BEGIN_MESSAGE_MAP(CPageListCtrl, CListCtrl)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(LVM_INSERTITEMA, OnRowInserting)
    ON_MESSAGE(LVM_INSERTITEMW, OnRowInserting)
    ON_MESSAGE(LVM_DELETEITEM, OnRowDeleting)
    ON_MESSAGE(LVM_DELETEALLITEMS, OnAllRowsChanging)
    ON_MESSAGE(LVM_SORTITEMS, OnAllRowsChanging)
    ON_MESSAGE(LVM_SORTITEMSEX, OnAllRowsChanging)
    ON_MESSAGE(LVM_SETITEMA, OnItemChanging)
    ON_MESSAGE(LVM_SETITEMW, OnItemChanging)
    ON_MESSAGE(LVM_SETITEMTEXTA, OnItemTextChanging)
    ON_MESSAGE(LVM_SETITEMTEXTW, OnItemTextChanging)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButton)
    ON_MESSAGE(WM_RBUTTONDBLCLK, OnRButton)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(kAccessibleAction, OnAccessibleAction)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGING, OnNotifyTaken)
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, OnNotifyTaken)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnNotifyTaken)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
END_MESSAGE_MAP(CListCtrl)

BEGIN_EVENTSINK_MAP(CPageListCtrl, CEventSinkTarget)
    ON_EVENT(kNComboId, kNComboRowPickedEvent, OnRowPicked)
END_EVENTSINK_MAP(CEventSinkTarget)

CPageListCtrl::CPageListCtrl(CPageListOwner* pCtrl, int nItemHeight)
    : m_nItemHeight(nItemHeight),
      m_pCtrl(pCtrl),
      m_art(CPageListArt::Shared(m_dpi))
{
}

// The row map goes with its page: its objects are ended while the list window still exists.
CPageListCtrl::~CPageListCtrl()
{
    ForgetAllRows();
    if (m_pToolTip)
        m_pToolTip->Forget(this);
}

LRESULT CPageListCtrl::OnCreate(WPARAM, LPARAM)
{
    // Known before the list measures its rows as it is made.
    m_dpi = CDpi::OfWindow(m_hWnd);
    if (m_dpi != CDpi())
        m_art = CPageListArt::Shared(m_dpi);
    if (Default() == -1)
        return -1;
    // Given before the columns are made, the list lays itself out once for both.
    SetExtendedStyle(GetListExStyle());
    if (!InitColumns())
        return -1;
    return 0;
}

// The counts go up once the list has done its work: whoever reads them from a notification sent
// half-way sees the old count, and so looks again afterwards. The list's work may change a
// selection, and the host hears of that at once: its handler may delete this page list.
LRESULT CPageListCtrl::AfterRowsChange(const std::function<void(LRESULT)>& after)
{
    const CLifeToken::CWatch alive = Watch();
    const LRESULT result = Default();
    if (!alive)
        return result;
    ++m_nNameChanges;
    after(result);
    return result;
}

LRESULT CPageListCtrl::OnRowInserting(WPARAM, LPARAM)
{
    return AfterRowsChange([this](LRESULT nRow) {
        if (nRow >= 0 && !m_bBlockOfRows)
            OnRowsInserted(static_cast<int>(nRow), 1);
    });
}

LRESULT CPageListCtrl::OnRowDeleting(WPARAM wParam, LPARAM)
{
    return AfterRowsChange([this, wParam](LRESULT bDeleted) {
        if (bDeleted && !m_bBlockOfRows)
            OnRowsDeleted(static_cast<int>(wParam), 1);
    });
}

// Deleting every row, or sorting them (which cannot be followed), leaves nothing attached to
// a row.
LRESULT CPageListCtrl::OnAllRowsChanging(WPARAM, LPARAM)
{
    return AfterRowsChange([this](LRESULT) { ForgetAllRows(); });
}

namespace {

// Where a row index lands when nBy rows are inserted at nAt (nBy > 0) or -nBy rows deleted
// from there (nBy < 0): -1 for a deleted row itself.
int MovedRow(int nRow, int nAt, int nBy)
{
    if (nRow < nAt)
        return nRow;
    if (nBy < 0 && nRow < nAt - nBy)
        return -1;
    return nRow + nBy;
}

} // namespace

void CPageListCtrl::OnRowsInserted(int nFirst, int nCount)
{
    m_nameIndex.OnRowsInserted(nFirst, nCount, [this](int nRow) { return RowName(nRow); });
    m_accessibleRows.OnInserted(nFirst, nCount);
    if (CControlsWnd* pActive = GetActiveControlsWnd(); pActive && !pActive->IsPersistent())
        pActive->m_nRow = MovedRow(static_cast<int>(pActive->m_nRow), nFirst, nCount);
    m_nLoadedRow = m_nLoadedRow < 0 ? -1 : MovedRow(m_nLoadedRow, nFirst, nCount);
    m_nPrevSelection = m_nPrevSelection < 0 ? -1 : MovedRow(m_nPrevSelection, nFirst, nCount);
    for (int& nFollowed : m_followedRows)
        nFollowed = nFollowed < 0 ? -1 : MovedRow(nFollowed, nFirst, nCount);
    if (CRowMapTable* pTable = FindRowMapTable(this))
        pTable->OnRowsInserted(this, nFirst, nCount);
}

void CPageListCtrl::OnRowsDeleted(int nFirst, int nCount)
{
    m_nameIndex.OnRowsDeleted(nFirst, nCount);
    m_accessibleRows.OnDeleted(nFirst, nCount);
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (pActive && MovedRow(static_cast<int>(pActive->m_nRow), nFirst, -nCount) < 0) {
        ReleaseActive();
    } else if (pActive && !pActive->IsPersistent()) {
        pActive->m_nRow = MovedRow(static_cast<int>(pActive->m_nRow), nFirst, -nCount);
    }
    m_nLoadedRow = m_nLoadedRow < 0 ? -1 : MovedRow(m_nLoadedRow, nFirst, -nCount);
    m_nPrevSelection = m_nPrevSelection < 0 ? -1 : MovedRow(m_nPrevSelection, nFirst, -nCount);
    for (int& nFollowed : m_followedRows)
        nFollowed = nFollowed < 0 ? -1 : MovedRow(nFollowed, nFirst, -nCount);
    if (CRowMapTable* pTable = FindRowMapTable(this))
        pTable->OnRowsDeleted(this, nFirst, nCount);
}

int CPageListCtrl::InsertRows(int nAt, const std::vector<RowContent>& rows)
{
    const CLifeToken::CWatch alive = Watch();
    m_bBlockOfRows = true;
    int nDone = 0;
    for (const RowContent& row : rows) {
        const int nRow = CPageListCtrl::InsertRow(nAt + nDone, row.strName, row.dwData, std::string());
        if (!alive || nRow < 0)
            break;
        if (!row.strValue.empty())
            CPageListCtrl::SetItemValue(nRow, row.strValue);
        ++nDone;
    }
    if (!alive)
        return nDone;
    m_bBlockOfRows = false;
    if (nDone > 0)
        OnRowsInserted(nAt, nDone);
    return nDone;
}

int CPageListCtrl::DeleteRows(int nFirst, int nCount)
{
    const CLifeToken::CWatch alive = Watch();
    m_bBlockOfRows = true;
    int nDone = 0;
    while (nDone < nCount && IsRow(nFirst) && DeleteItem(nFirst) && alive)
        ++nDone;
    if (!alive)
        return nDone;
    m_bBlockOfRows = false;
    if (nDone > 0)
        OnRowsDeleted(nFirst, nDone);
    return nDone;
}

void CPageListCtrl::ForgetAllRows()
{
    m_nameIndex.Invalidate();
    m_accessibleRows.ForgetAll();
    ReleaseActive();
    m_nLoadedRow = -1;
    m_nPrevSelection = -1;
    std::fill(m_followedRows.begin(), m_followedRows.end(), -1);
    if (CRowMapTable* pTable = FindRowMapTable(this))
        pTable->RemoveRowMap(this);
}

LRESULT CPageListCtrl::AfterNameSet(int nRow)
{
    const CLifeToken::CWatch alive = Watch();
    const LRESULT result = Default();
    if (!alive)
        return result;
    ++m_nNameChanges;
    // Rows put in as a block are read whole once the block is in.
    if (result && !m_bBlockOfRows)
        m_nameIndex.OnRowRenamed(nRow, RowName(nRow));
    return result;
}

LRESULT CPageListCtrl::OnItemChanging(WPARAM, LPARAM lParam)
{
    // LVITEMA and LVITEMW agree up to the text pointer.
    const LVITEMW* pItem = reinterpret_cast<const LVITEMW*>(lParam);
    if (pItem && (pItem->mask & LVIF_TEXT) && pItem->iSubItem == m_nNameColumn)
        return AfterNameSet(pItem->iItem);
    if (!pItem || !(pItem->mask & LVIF_PARAM))
        return Default();
    // A row enabled or disabled is told to accessibility clients.
    const int nRow = pItem->iItem;
    const BOOL bWasEnabled = IsEnabled(nRow);
    const CLifeToken::CWatch alive = Watch();
    const LRESULT result = Default();
    if (alive && result && IsEnabled(nRow) != bWasEnabled)
        NotifyRow(EVENT_OBJECT_STATECHANGE, nRow);
    return result;
}

LRESULT CPageListCtrl::OnItemTextChanging(WPARAM wParam, LPARAM lParam)
{
    const LVITEMW* pItem = reinterpret_cast<const LVITEMW*>(lParam);
    if (pItem && pItem->iSubItem == m_nNameColumn) // values set do not move names
        return AfterNameSet(static_cast<int>(wParam));
    return Default();
}

int CPageListCtrl::FindRowNamed(const std::string& strFolded)
{
    return m_nameIndex.Find(strFolded, GetItemCount(), [this](int nRow) { return RowName(nRow); });
}

BOOL CPageListCtrl::Create(HWND hParent, UINT nID)
{
    return CreateList(hParent, nID, WS_VISIBLE);
}

BOOL CPageListCtrl::CreateBehind(HWND hParent, UINT nID)
{
    return CreateList(hParent, nID, 0);
}

BOOL CPageListCtrl::CreateList(HWND hParent, UINT nID, DWORD dwShown)
{
    const DWORD style = GetListStyle() | WS_CHILD | dwShown | WS_CLIPCHILDREN | LVS_NOCOLUMNHEADER |
                        LVS_SHOWSELALWAYS | LVS_REPORT;
    const RECT empty = {0, 0, 0, 0};
    return CListCtrl::Create(style, empty, hParent, nID);
}

BOOL CPageListCtrl::InitColumns()
{
    const int nExisting = GetColumnCount();
    m_nNameColumn = InsertColumn(nExisting, "Name", LVCFMT_LEFT, m_dpi.Scale(140));
    m_nValueColumn = InsertColumn(nExisting + 1, "Value", LVCFMT_LEFT, m_dpi.Scale(128));
    LOGFONTW description;
    if (m_pCtrl && m_pCtrl->GetItemFont(&description))
        SetItemFont(description);
    if (m_pCtrl && m_pCtrl->GetToolTips()) {
        if (!m_pToolTip)
            m_pToolTip = std::make_shared<CItemToolTipCtrl>();
        m_pToolTip->CreateForList(this);
    } else {
        m_pToolTip.reset();
    }
    return TRUE;
}

DWORD CPageListCtrl::GetListStyle()
{
    return LVS_OWNERDRAWFIXED | LVS_SINGLESEL;
}

DWORD CPageListCtrl::GetListExStyle()
{
    return LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
}

void CPageListCtrl::SetItemFont(const LOGFONTW& description)
{
    std::shared_ptr<const CFont> pNewFont = CPageListArt::ItemFont(description);
    const HFONT hOld = GetItemFont();
    if (hOld && hOld != pNewFont->Get() && IsWindow()) {
        // An open editor may still draw with the old font: it gets the new one before the old
        // one is let go.
        CShapingCaches::Hold(pNewFont->Get());
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            if (reinterpret_cast<HFONT>(::SendMessageW(hChild, WM_GETFONT, 0, 0)) == hOld)
                ::SendMessageW(hChild, WM_SETFONT, reinterpret_cast<WPARAM>(pNewFont->Get()), TRUE);
        }
    }
    m_ItemFont = std::move(pNewFont);
}

bool CPageListCtrl::IsRow(int nRow) const
{
    return nRow >= 0 && nRow < GetItemCount();
}

bool CPageListCtrl::GetRowType(int nRow, WORD* pType) const
{
    if (!IsRow(nRow))
        return false;
    *pType = ItemType(static_cast<DWORD>(GetItemData(nRow)));
    return true;
}

bool CPageListCtrl::IsKind(int nRow, const char* pszAs)
{
    const char* pszRowAs = GetItemAs(nRow);
    return pszRowAs && EqualNoCase(pszRowAs, pszAs);
}

BOOL CPageListCtrl::IsGroupPage()
{
    return FALSE;
}

void CPageListCtrl::ToggleGroup(long, BOOL*) {}

int CPageListCtrl::InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string&)
{
    // Name and data go in with the item itself when the name is the first column: one message
    // per row instead of three, which is most of the cost of loading a large layout. Behind
    // another column the data still goes in with the item.
    if (m_nNameColumn == 0)
        return InsertItem(nIndex, strName, dwData);
    const int nRow = InsertItem(nIndex, "", dwData);
    if (nRow >= 0)
        SetItemText(nRow, m_nNameColumn, strName);
    return nRow;
}

int CPageListCtrl::InsertProperty(int nIndex, const std::string& strName, DWORD dwData)
{
    return InsertRow(nIndex, strName, dwData, std::string());
}

BOOL CPageListCtrl::DeleteRow(int nRow)
{
    return DeleteItem(nRow);
}

void CPageListCtrl::InvalidateItems(BOOL) {}

void CPageListCtrl::SetRowName(int nRow, const std::string& strName)
{
    if (IsRow(nRow))
        SetItemText(nRow, m_nNameColumn, strName);
}

BOOL CPageListCtrl::IsEditKind(int nRow)
{
    return IsKind(nRow, "Edit");
}

BOOL CPageListCtrl::IsEditButtonKind(int nRow)
{
    return IsKind(nRow, "EditButton");
}

BOOL CPageListCtrl::HasOwnIcon(int nRow)
{
    return IsKind(nRow, "Button") || IsKind(nRow, "EditButton") || IsKind(nRow, "Return") ||
           IsKind(nRow, "Link") || IsKind(nRow, "Font");
}

const char* CPageListCtrl::GetItemAs(int nRow)
{
    if (!IsRow(nRow))
        return nullptr;
    return CAsControls::Get().GetAsName(ItemKind(static_cast<DWORD>(GetItemData(nRow))));
}

BOOL CPageListCtrl::IsGrayed(int nRow)
{
    WORD nType = 0;
    return GetRowType(nRow, &nType) && (nType & ITEM_TYPE_GRAYED);
}

BOOL CPageListCtrl::IsBold(int nRow)
{
    WORD nType = 0;
    return GetRowType(nRow, &nType) && (nType & ITEM_TYPE_BOLD);
}

BOOL CPageListCtrl::IsEnabled(int nRow)
{
    WORD nType = 0;
    return GetRowType(nRow, &nType) && IsEnabledType(nType);
}

BOOL CPageListCtrl::IsBlack(int nRow)
{
    WORD nType = 0;
    return GetRowType(nRow, &nType) && (nType & ITEM_TYPE_BLACK);
}

void CPageListCtrl::SaveItemsText(std::string&) {}

void CPageListCtrl::LoadItemsText(std::string_view text)
{
    if (!IsWindow())
        return;
    // One repaint for the whole page, not one per row.
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteAllItems();
    // Every row goes after those already in an emptied list: nothing that follows rows has to
    // move, and the name index is read whole when first asked.
    const CLifeToken::CWatch alive = Watch();
    m_bBlockOfRows = true;
    CRowText::ReadRows(text, [this](const CRowText::Row& row) {
        AddItemFromText(row.strName, row.strAs, row.strType, row.strGroup);
    });
    if (!alive)
        return;
    m_bBlockOfRows = false;
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

int CPageListCtrl::AddItemFromText(const std::string& strName, const std::string& strAs, const std::string& strType,
                                   const std::string& strGroup)
{
    // A list puts an item asked for past its end at the end: the row count need not be asked
    // for every row of a layout.
    return InsertRow(INT_MAX, strName, ItemDataFromNames(strAs, strType), strGroup);
}

RECT* CPageListCtrl::GetCellRect(RECT* pRect, int nRow)
{
    SetRectEmpty(pRect);
    if (!IsRow(nRow) || !GetItemRect(nRow, pRect, LVIR_BOUNDS))
        return nullptr;
    pRect->left = pRect->right - GetColumnWidth(m_nValueColumn);
    OffsetRect(pRect, m_dpi.Scale(2), 0);
    return pRect;
}

CPageListOwner* CPageListCtrl::GetControl()
{
    return m_pCtrl;
}

BOOL CPageListCtrl::DeleteAllItems()
{
    return CListCtrl::DeleteAllItems();
}

BOOL CPageListCtrl::SetItemValue(int nRow, const std::string& strText)
{
    if (!IsRow(nRow))
        return FALSE;
    // An empty value is no text at all rather than an empty string.
    std::wstring wide = Utf8ToWide(strText);
    LVITEMW item = {};
    item.iSubItem = m_nValueColumn;
    item.pszText = wide.empty() ? nullptr : wide.data();
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item)));
}

CControlsWnd* CPageListCtrl::GetActiveControlsWnd()
{
    return m_activeAlive ? m_pActive : nullptr;
}

BOOL CPageListCtrl::IsEditorVisible()
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    return pActive && pActive->IsEditorVisible();
}

void CPageListCtrl::ReleaseActive()
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    m_pActive = nullptr;
    m_activeAlive = CLifeToken::CWatch();
    if (pActive)
        pActive->Release();
}

BOOL CPageListCtrl::ActivateRow(int nRow)
{
    if (GetActiveControlsWnd())
        return TRUE;
    // Some kinds ask the host for their data as they make their editor.
    const CLifeToken::CWatch alive = Watch();
    CControlsWnd* pObj = CreateControlsWnd(GetItemAs(nRow), this, nRow, m_nValueColumn);
    if (!alive)
        return FALSE;
    m_pActive = pObj;
    m_activeAlive = pObj ? pObj->Watch() : CLifeToken::CWatch();
    return pObj != nullptr;
}

void CPageListCtrl::DoDefaultAction(int nRow)
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (IsEnabled(nRow) && pActive && pActive->m_nRow == nRow)
        pActive->DoDefaultAction();
}

BOOL CPageListCtrl::OnRowSelected(int nRow, int)
{
    if (!IsEnabled(nRow))
        return FALSE;
    const CLifeToken::CWatch alive = Watch();
    if (!ActivateRow(nRow)) {
        if (alive)
            m_nLoadedRow = -1;
        return TRUE;
    }
    if (nRow == m_nLoadedRow)
        return TRUE;
    // Loading asks the host, whose handler may delete this page or the row.
    CControlsWnd* pActive = m_pActive;
    int nLoaded = -1;
    if (FollowRow(nRow, [pActive] { pActive->LoadItems(); }, &nLoaded))
        m_nLoadedRow = GetActiveControlsWnd() ? nLoaded : -1;
    return TRUE;
}

void CPageListCtrl::OnEditorHidden() {}

void CPageListCtrl::OnDrawItemBegin(HDC, int, DWORD) {}

void CPageListCtrl::OnDrawItemEnd(HDC, int, DWORD) {}

BOOL CPageListCtrl::OnControlEvent(long nParam)
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (!pActive)
        return FALSE;
    if (!IsNComboClass(pActive->GetClassName()))
        return FALSE;
    std::string strText;
    pActive->CommitText(strText, static_cast<BOOL>(nParam));
    return TRUE;
}

CControlsWnd* CPageListCtrl::GetControlsWnd(int nRow, BOOL bRelease)
{
    CControlsWnd* pObj = CreateControlsWnd(GetItemAs(nRow), this, nRow, m_nValueColumn);
    if (!pObj || !bRelease)
        return pObj;
    const CLifeToken::CWatch alive = pObj->Watch();
    pObj->Release();
    return alive ? pObj : nullptr;
}
