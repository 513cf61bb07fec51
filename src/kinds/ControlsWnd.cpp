#include "ControlsWnd.h"

#include "PageListCtrl.h"
#include "PageListOwner.h"
#include "Wnd.h"

#include <unordered_set>

namespace {

// Page lists keep pointers to objects that others may delete (the row maps, a transient
// object's own Release); they ask here before using one.
std::unordered_set<const CControlsWnd*>& LiveObjects()
{
    static std::unordered_set<const CControlsWnd*> objects;
    return objects;
}

} // namespace

CControlsWnd::CControlsWnd()
{
    LiveObjects().insert(this);
}

// The editor is a member of the kind and has destroyed its window with itself by the time this
// runs; m_pEditor must not be touched here.
CControlsWnd::~CControlsWnd()
{
    LiveObjects().erase(this);
}

bool CControlsWnd::IsLive(const CControlsWnd* p)
{
    return p && LiveObjects().count(p) != 0;
}

BOOL CControlsWnd::IsGroup()
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
    delete this;
    return FALSE;
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
    if (HasEditorWindow() && m_pList)
        m_pEditor->SetFont(m_pList->GetItemFont(), TRUE);
    RedrawRow();
    if (CPageListOwner* pOwner = GetOwner())
        pOwner->FirePropertyChanging(GetEventPage(), m_nRow);
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
    const std::string strOld = GetText();
    if (m_pList)
        m_pList->SetItemValue(m_nRow, strText);
    if (CPageListOwner* pOwner = GetOwner())
        pOwner->FirePropertyChanged(GetEventPage(), m_nRow, strOld != strText);
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

short CControlsWnd::GetEventPage() const
{
    CPageListOwner* pOwner = GetOwner();
    return pOwner ? pOwner->GetActivePage() : -1;
}

bool CControlsWnd::HasEditorWindow() const
{
    return m_pEditor && m_pEditor->IsWindow();
}
