#include "ControlsWnd.h"

#include "AccessibleEditor.h"
#include "ItemList.h"
#include "PageListOwner.h"
#include "Wnd.h"

CControlsWnd::CControlsWnd() = default;

// The editor is a member of the kind and has been closed before deletion began.
CControlsWnd::~CControlsWnd() = default;

void CControlsWndDeleter::operator()(CControlsWnd* pObj) const
{
    if (!pObj)
        return;
    pObj->CloseEditor();
    delete pObj;
}

BOOL CControlsWnd::IsGroup()
{
    return FALSE;
}

BOOL CControlsWnd::IsPersistent() const
{
    return FALSE;
}

CVariant CControlsWnd::GetValue(long)
{
    return CVariant(GetText());
}

void CControlsWnd::SetValue(const VARIANT& vValue, short)
{
    CVariant text(vValue);
    if (m_pList && SUCCEEDED(text.ChangeType(VT_BSTR)))
        m_pList->SetItemValue(m_nRow, text.ToString());
}

void CControlsWnd::SetColumnKey(long) {}

long CControlsWnd::GetColumnKey()
{
    return -1;
}

void CControlsWnd::SetColumnWidth(long, long) {}

long CControlsWnd::GetColumnWidth(long)
{
    return -1;
}

void CControlsWnd::SetColumnName(long, const std::string&) {}

const char* CControlsWnd::GetColumnName(long)
{
    return nullptr;
}

void CControlsWnd::SetColumnHeader(BOOL) {}

BOOL CControlsWnd::GetColumnHeader()
{
    return FALSE;
}

void CControlsWnd::SetDropDownWidth(double) {}

double CControlsWnd::GetDropDownWidth()
{
    return -1.0;
}

void CControlsWnd::SetDropDownHeight(long) {}

long CControlsWnd::GetDropDownHeight()
{
    return -1;
}

BOOL CControlsWnd::Refresh()
{
    return FALSE;
}

BOOL CControlsWnd::Release()
{
    CControlsWndDeleter()(this);
    return FALSE;
}

void CControlsWnd::CloseEditor()
{
    m_bClosing = true;
    if (HasEditorWindow()) {
        if (GetCapture() == m_pEditor->m_hWnd)
            ReleaseCapture();
        m_pEditor->DestroyWindow();
    }
    m_bClosing = false;
}

std::string CControlsWnd::GetClassName() const
{
    return "CControlsWnd";
}

CWnd* CControlsWnd::CreateEditor()
{
    return nullptr;
}

void CControlsWnd::ShowEditor(int)
{
    if (HasEditorWindow() && m_pList) {
        m_pEditor->SetFont(m_pList->GetItemFont(), TRUE);
        // A screen reader names the editor after the property it edits.
        CAccessibleEditor::Give(m_pEditor->m_hWnd, m_pList->GetItemText(static_cast<int>(m_nRow), m_pList->GetNameColumn()));
    }
    RedrawRow();
    if (CPageListOwner* pOwner = GetOwner())
        pOwner->FirePropertyChanging(GetOwnPage(), m_nRow);
}

void CControlsWnd::HideEditor(BOOL)
{
    if (HasEditorWindow()) {
        ReleaseCapture();
        m_pEditor->ShowWindow(SW_HIDE);
    }
    if (m_pList)
        m_pList->OnEditorHidden();
    RedrawRow();
}

void CControlsWnd::CommitText(std::string& strText, BOOL)
{
    StoreText(GetText(), strText);
}

void CControlsWnd::StoreText(const std::string& strHeld, const std::string& strText)
{
    if (m_bClosing)
        return;
    if (m_pList)
        m_pList->SetItemValue(m_nRow, strText);
    const CLifeToken::CWatch alive = Watch();
    if (CPageListOwner* pOwner = GetOwner())
        pOwner->FirePropertyChanged(GetOwnPage(), m_nRow, strHeld != strText);
    // Accessibility clients hear of the value once the host has.
    if (alive && m_pList && m_nRow >= 0)
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_pList->GetListWindow(), OBJID_CLIENT, CAccessibleBase::ChildId(m_nRow));
}

void CControlsWnd::DoDefaultAction() {}

void CControlsWnd::LoadItems() {}

BOOL CControlsWnd::IsEditorVisible()
{
    return HasEditorWindow() && m_pEditor->IsWindowVisible();
}

BOOL CControlsWnd::RedrawRow()
{
    return m_pList && m_pList->RedrawItems(m_nRow, m_nRow);
}

RECT* CControlsWnd::GetCellRect(RECT* pRect)
{
    return m_pList ? m_pList->GetCellRect(pRect, m_nRow) : nullptr;
}

std::string CControlsWnd::GetText()
{
    return m_pList ? m_pList->GetItemText(m_nRow, m_nColumn) : std::string();
}

CPageListOwner* CControlsWnd::GetOwner() const
{
    return m_pList ? m_pList->GetControl() : nullptr;
}

long CControlsWnd::GetOwnPage() const
{
    return m_pList ? m_pList->GetPageIndex() : -1;
}

bool CControlsWnd::HasEditorWindow() const
{
    return m_pEditor && m_pEditor->IsWindow();
}

BOOL CControlsWnd::PlaceEditor(const RECT& rcInsets)
{
    RECT rect;
    if (!HasEditorWindow() || !GetCellRect(&rect))
        return FALSE;
    rect.left += rcInsets.left;
    rect.top += rcInsets.top;
    rect.right -= rcInsets.right;
    rect.bottom -= rcInsets.bottom;
    m_pEditor->MoveWindow(rect, TRUE);
    m_pEditor->ShowWindow(SW_SHOW);
    return TRUE;
}

bool CControlsWnd::AnnounceEditor(int nMode)
{
    const CLifeToken::CWatch alive = Watch();
    CControlsWnd::ShowEditor(nMode);
    return alive.IsAlive();
}

void CControlsWnd::PressButton(int nMode)
{
    if (!AnnounceEditor(nMode))
        return;
    CPageListOwner* pOwner = GetOwner();
    if (!pOwner)
        return;
    const CLifeToken::CWatch alive = Watch();
    const std::string strHeld = GetText();
    pOwner->FireButtonClick(GetOwnPage(), m_nRow);
    if (!alive)
        return;
    // The row's own text, whatever an editor of the kind holds: the host may have changed it,
    // and the change is told against what the row held before the press.
    StoreText(strHeld, GetText());
}
