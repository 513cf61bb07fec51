#include "ItemToolTipCtrl.h"

#include "ClientDC.h"
#include "GdiStack.h"
#include "PageListCtrl.h"
#include "Text.h"
#include "resource.h"

#include <utility>

BOOL CItemToolTipCtrl::CreateForList(CPageListCtrl* pList)
{
    if (!pList)
        return FALSE;
    // Owned by the window the lists share, so that it outlives any one of them.
    if (!IsWindow()) {
        if (!Create(::GetParent(pList->m_hWnd), TTS_ALWAYSTIP))
            return FALSE;
        SetDelayTime(TTDT_AUTOMATIC, 0);
    }
    return m_pList ? TRUE : Serve(pList);
}

BOOL CItemToolTipCtrl::Serve(CPageListCtrl* pList)
{
    if (!pList || !IsWindow())
        return FALSE;
    if (pList == m_pList)
        return TRUE;
    if (m_pList)
        m_leftTips[m_pList] = {m_bTipActive, m_bHasText, m_strText};
    RemoveTool();
    ListTip tip;
    const auto left = m_leftTips.find(pList);
    if (left != m_leftTips.end()) {
        tip = std::move(left->second);
        m_leftTips.erase(left);
    }
    // The tool is the whole list; its text is set as the mouse reaches a row that needs it.
    if (!AddWindowTool(pList->m_hWnd, PlaceholderText()))
        return FALSE;
    m_pList = pList;
    m_hTool = pList->m_hWnd;
    m_bTipActive = tip.bActive;
    Activate(tip.bActive);
    SetTipText(tip.strText);
    m_bHasText = tip.bHasText;
    return TRUE;
}

void CItemToolTipCtrl::Forget(const CPageListCtrl* pList)
{
    m_leftTips.erase(pList);
    if (pList == m_pList)
        RemoveTool();
}

void CItemToolTipCtrl::RemoveTool()
{
    if (m_hTool && IsWindow())
        DelTool(m_hTool, reinterpret_cast<UINT_PTR>(m_hTool));
    m_pList = nullptr;
    m_hTool = nullptr;
}

void CItemToolTipCtrl::SetTipText(const std::string& strText)
{
    UpdateTipText(m_hTool, reinterpret_cast<UINT_PTR>(m_hTool), strText);
    m_strText = strText;
}

std::string CItemToolTipCtrl::PlaceholderText() const
{
    const wchar_t* pszText = nullptr;
    const int nLength = LoadStringW(ModuleInstance(), IDS_ITEM_TIP_PLACEHOLDER, reinterpret_cast<LPWSTR>(&pszText), 0);
    return nLength > 0 ? WideToUtf8(std::wstring(pszText, static_cast<size_t>(nLength))) : std::string();
}

BOOL CItemToolTipCtrl::ActivateTip(BOOL bActivate)
{
    if (!bActivate == !m_bTipActive)
        return FALSE;
    m_bTipActive = bActivate;
    Activate(bActivate);
    return TRUE;
}

BOOL CItemToolTipCtrl::GetItemTip(int nRow, std::string& strTip) const
{
    if (nRow < 0 || !m_pList)
        return FALSE;
    strTip = m_pList->GetItemText(nRow, m_pList->GetValueColumn());
    if (strTip.empty())
        return FALSE;
    RECT rcCell = {};
    if (!m_pList->GetCellRect(&rcCell, nRow))
        return FALSE;
    const std::wstring text = Utf8ToWide(strTip);
    SIZE extent = {};
    {
        CClientDC listDC(m_pList->m_hWnd);
        CGdiStack gdi;
        gdi.Push(listDC, m_pList->GetFont());
        GetTextExtentPoint32W(listDC, text.c_str(), static_cast<int>(text.size()), &extent);
        gdi.PopAll();
    }
    return extent.cx > rcCell.right - rcCell.left;
}

LRESULT CItemToolTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_RELAYEVENT && lParam)
        OnRelayed(*reinterpret_cast<const MSG*>(lParam));
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}

// The text is set only as the tip turns active: moving from one overflowing row straight to
// another keeps the first text. The tip is made active without a text, so the first row that
// needs one gives it.
void CItemToolTipCtrl::OnRelayed(const MSG& relayed)
{
    if (!m_pList || relayed.hwnd != m_hTool || ::GetFocus() != m_hTool)
        return;
    if (relayed.message == WM_LBUTTONDOWN) {
        ActivateTip(FALSE);
        return;
    }
    if (relayed.message != WM_MOUSEMOVE)
        return;
    const POINT pt = {static_cast<short>(LOWORD(relayed.lParam)), static_cast<short>(HIWORD(relayed.lParam))};
    std::string strTip;
    const BOOL bShow = GetItemTip(m_pList->HitTest(pt), strTip);
    const BOOL bChanged = ActivateTip(bShow);
    if (bShow && (bChanged || !m_bHasText)) {
        SetTipText(strTip);
        m_bHasText = true;
    }
}
