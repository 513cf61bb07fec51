#include "DateComboBox.h"

#include "Bstr.h"
#include "ControlsWnd.h"
#include "ItemList.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CDateComboBox, CDateTimeCtrl)
    ON_NOTIFY_REFLECT(DTN_DATETIMECHANGE, OnDateTimeChange)
    ON_MESSAGE(kCommitChange, OnCommitChange)
END_MESSAGE_MAP(CDateTimeCtrl)

BOOL CDateComboBox::CreateForRow(CControlsWnd* pControlsWnd)
{
    m_pControlsWnd = pControlsWnd;
    m_controlsAlive = pControlsWnd ? pControlsWnd->Watch() : CLifeToken::CWatch();
    CItemList* pList = pControlsWnd ? pControlsWnd->m_pList : nullptr;
    const HWND hList = pList ? pList->GetListWindow() : nullptr;
    if (!hList || !Create(WS_CHILD, RECT{0, 0, 0, 0}, hList, kPickerId))
        return FALSE;
    SetFont(reinterpret_cast<HFONT>(::SendMessageW(hList, WM_GETFONT, 0, 0)), TRUE);
    return TRUE;
}

// A text of a time alone reads as day 0; the picker, like SYSTEMTIME, starts in 1601.
void CDateComboBox::ShowDateOf(const std::string& strText)
{
    DATE date = 0;
    SYSTEMTIME time = {};
    if (SUCCEEDED(VarDateFromStr(CBstr(strText), LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &date)) && date != 0
        && VariantTimeToSystemTime(date, &time) && time.wYear >= kFirstYear)
        SetTime(time);
}

LRESULT CDateComboBox::OnDateTimeChange(WPARAM, LPARAM)
{
    if (!m_bCommitPosted)
        m_bCommitPosted = PostMessage(kCommitChange) != FALSE;
    return 0;
}

LRESULT CDateComboBox::OnCommitChange(WPARAM, LPARAM)
{
    m_bCommitPosted = false;
    if (!m_controlsAlive || m_pControlsWnd->IsClosing())
        return 0;
    std::string strText = GetWindowText();
    m_pControlsWnd->CommitText(strText, FALSE);
    return 0;
}
