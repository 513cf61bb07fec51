#include "PageListAccessible.h"

#include "AccessibleItem.h"
#include "ControlsWnd.h"
#include "GroupKind.h"
#include "PageListCtrl.h"
#include "Text.h"

#include <cstring>

namespace {

struct KindWords {
    const char* pszAs;
    const char* pszWords;
    const char* pszAction; // for an enabled row; groups say Expand or Collapse
};

const KindWords kKindWords[] = {
    {"Edit", "text", "Edit"},
    {"EditButton", "text with a button", "Edit"},
    {"ComboBox", "list", "Open"},
    {"BoolComboBox", "true or false", "Open"},
    {"DataComboBox", "date", "Open"},
    {"UserComboBox", "list", ""},
    {"ShellFolder", "folder", "Open"},
    {"ColorComboBox", "colour", "Open"},
    {"Button", "button", "Press"},
    {"Return", "button", "Press"},
    {"Link", "link", "Press"},
    {"Font", "font", "Open"},
    {"Group", "group", ""},
    {"ADORComboBox", "list from a recordset", "Open"},
    {"NComboBox", "multi-column list", "Open"},
    {"NADORComboBox", "multi-column list from a recordset", "Open"},
};

const KindWords* FindKind(const char* pszAs)
{
    for (const KindWords& kind : kKindWords) {
        if (pszAs && EqualNoCase(kind.pszAs, pszAs))
            return &kind;
    }
    return nullptr;
}

} // namespace

CPageListAccessible::CPageListAccessible(CPageListCtrl& list)
    : CAccessibleItems(list.m_hWnd), m_pList(&list), m_listAlive(list.Watch())
{
}

bool CPageListAccessible::IsConnected() const
{
    return m_listAlive && m_pList->IsWindow();
}

long CPageListAccessible::ItemCount() const
{
    return m_pList->GetItemCount();
}

long CPageListAccessible::OwnRole() const
{
    return m_pList->IsGroupPage() ? ROLE_SYSTEM_OUTLINE : ROLE_SYSTEM_LIST;
}

long CPageListAccessible::RowState(int nRow) const
{
    long nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const UINT nItemState = m_pList->GetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED);
    if (nItemState & LVIS_SELECTED)
        nState |= STATE_SYSTEM_SELECTED;
    if ((nItemState & LVIS_FOCUSED) && ::GetFocus() == m_pList->m_hWnd)
        nState |= STATE_SYSTEM_FOCUSED;
    if (m_pList->IsGrayed(nRow))
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (m_pList->IsBlack(nRow))
        nState |= STATE_SYSTEM_READONLY;
    RECT rect = ItemRect(nRow);
    RECT client = m_pList->GetClientRect();
    if (!IntersectRect(&rect, &rect, &client))
        nState |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    return nState;
}

bool CPageListAccessible::GetItem(long nIndex, ItemFacts* pFacts) const
{
    const int nRow = static_cast<int>(nIndex);
    if (nRow < 0 || nRow >= m_pList->GetItemCount())
        return false;
    const KindWords* pKind = FindKind(m_pList->GetItemAs(nRow));
    pFacts->strName = m_pList->GetItemText(nRow, m_pList->GetNameColumn());
    pFacts->strDescription = pKind ? pKind->pszWords : "";
    pFacts->nRole = m_pList->IsGroupPage() ? ROLE_SYSTEM_OUTLINEITEM : ROLE_SYSTEM_LISTITEM;
    pFacts->nState = RowState(nRow);
    const bool bEnabled = m_pList->IsEnabled(nRow) != FALSE;
    if (pKind && std::strcmp(pKind->pszAs, "Group") == 0) {
        // Only a grouped page folds; its group objects know whether they are open and live as
        // long as their rows.
        if (m_pList->IsGroupPage()) {
            auto* pGroup = dynamic_cast<CControlsWnd_CGroup*>(m_pList->GetControlsWnd(nRow, TRUE));
            const bool bExpanded = pGroup && pGroup->m_bExpanded;
            pFacts->nState |= bExpanded ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
            pFacts->strDefaultAction = bEnabled ? (bExpanded ? "Collapse" : "Expand") : "";
        }
        return true;
    }
    pFacts->strValue = m_pList->GetItemText(nRow, m_pList->GetValueColumn());
    pFacts->strDefaultAction = bEnabled && pKind ? pKind->pszAction : "";
    return true;
}

RECT CPageListAccessible::ItemRect(long nIndex) const
{
    RECT rect = {};
    if (!m_pList->GetItemRect(static_cast<int>(nIndex), &rect, LVIR_BOUNDS))
        SetRectEmpty(&rect);
    return rect;
}

long CPageListAccessible::ItemAt(POINT ptClient) const
{
    return m_pList->HitTest(ptClient);
}

long CPageListAccessible::FocusedItem() const
{
    return m_pList->GetNextItem(-1, LVNI_FOCUSED);
}

long CPageListAccessible::SelectedItem() const
{
    return m_pList->GetNextItem(-1, LVNI_SELECTED);
}

HRESULT CPageListAccessible::DoItemDefaultAction(long nIndex)
{
    ItemFacts facts;
    if (!GetItem(nIndex, &facts) || facts.strDefaultAction.empty())
        return DISP_E_MEMBERNOTFOUND;
    m_pList->DoAccessibleAction(static_cast<int>(nIndex));
    return S_OK;
}

HRESULT CPageListAccessible::SelectItem(long nIndex, long nFlags)
{
    if (!(nFlags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)))
        return DISP_E_MEMBERNOTFOUND;
    const CLifeToken::CWatch alive = m_listAlive;
    if (nFlags & SELFLAG_TAKEFOCUS)
        m_pList->SetFocus();
    if (alive && (nFlags & SELFLAG_TAKESELECTION))
        m_pList->SelectRow(static_cast<int>(nIndex));
    return S_OK;
}

CComPointer<IDispatch> CPageListAccessible::ItemObject(long nIndex)
{
    return CComPointer<IDispatch>(NewComObject<CAccessibleItem>(this, m_pList->GetAccessibleRows().Slot(nIndex)).Get());
}
