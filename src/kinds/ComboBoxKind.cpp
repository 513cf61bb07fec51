#include "ComboBoxKind.h"

#include "PageListOwner.h"

std::string CControlsWnd_CComboBox::GetClassName() const
{
    return "CControlsWnd_CComboBox";
}

CWnd* CControlsWnd_CComboBox::CreateEditor()
{
    if (m_list.IsWindow())
        return &m_list;
    return m_list.CreateForRow(this);
}

void CControlsWnd_CComboBox::ShowEditor(int nMode)
{
    if (!m_list.IsWindow() && !m_list.CreateForRow(this))
        return;
    const CLifeToken::CWatch alive = Watch();
    // The list's window goes when it loses the focus: made again, it asks for its items again.
    if (m_list.GetCount() == 0)
        LoadItems();
    RECT cell;
    if (!alive || !AnnounceEditor(nMode) || !m_list.IsWindow() || !GetCellRect(&cell))
        return;
    m_list.DropDown(cell.left, cell.top, cell.right, cell.bottom, kDropDownLines);
    if (alive && m_list.IsWindow() && m_list.SelectString(-1, GetText()) == LB_ERR)
        m_list.SetCurSel(0);
}

void CControlsWnd_CComboBox::CommitText(std::string& strText, BOOL bFlag)
{
    if (m_list.IsWindow())
        strText = m_list.GetText(static_cast<int>(bFlag));
    CControlsWnd::CommitText(strText, bFlag);
}

void CControlsWnd_CComboBox::DoDefaultAction()
{
    if (!m_list.IsWindow())
        return;
    const int nFound = m_list.FindString(-1, GetText());
    if (m_list.SetCurSel(nFound + 1) == LB_ERR)
        m_list.SetCurSel(0);
    m_list.CommitSelection();
}

// The host's answer replaces the items; without one the list keeps those it had.
void CControlsWnd_CComboBox::LoadItems()
{
    CPageListOwner* pOwner = GetOwner();
    if (!pOwner || !m_list.IsWindow())
        return;
    std::string strItems;
    const CLifeToken::CWatch alive = Watch();
    const bool bAnswered = pOwner->FireLoadItems(GetOwnPage(), m_nRow, &strItems);
    if (alive && bAnswered && m_list.IsWindow())
        m_list.FillFromText(strItems, kItemSeparator);
}
