#include "NComboBoxKind.h"

#include "Dpi.h"
#include "EventSinkMap.h"
#include "ItemList.h"
#include "NComboKinds.h"

namespace {

const long kDropDownHeight = 128;
const char kCellSeparator[] = " | ";
// The control ends a little short of the cell's right edge.
const int kRightGap = 3;

} // namespace

BOOL CControlsWnd_CNComboBox::IsPersistent() const
{
    return TRUE;
}

CVariant CControlsWnd_CNComboBox::GetValue(long nColumn)
{
    if (!HasNCombo())
        return CVariant();
    try {
        const long nRow = m_ncombo.GetSelectedRow();
        if (nRow < 0)
            return CVariant();
        if (nColumn >= 0 && nColumn < m_ncombo.GetColumnCount())
            return CVariant(m_ncombo.GetCellText(nRow, nColumn));
        return CVariant(m_ncombo.GetItemData(nRow));
    } catch (const CDispatchException&) {
        return CVariant();
    }
}

BOOL CControlsWnd_CNComboBox::Release()
{
    if (!HasNCombo())
        return FALSE;
    try {
        m_ncombo.Activate(FALSE);
    } catch (const CDispatchException&) {
    }
    m_ncombo.ShowWindow(SW_HIDE);
    return FALSE;
}

std::string CControlsWnd_CNComboBox::GetClassName() const
{
    return kNComboBoxClass;
}

CWnd* CControlsWnd_CNComboBox::CreateEditor()
{
    if (!m_pList || !m_ncombo.Create(m_pList->GetListWindow(), dynamic_cast<CEventSinkTarget*>(m_pList)))
        return nullptr;
    try {
        m_ncombo.SetDropDownHeight(CDpi::OfWindow(m_ncombo.m_hWnd).Scale(kDropDownHeight));
    } catch (const CDispatchException&) {
    }
    return &m_ncombo;
}

void CControlsWnd_CNComboBox::ShowEditor(int nMode)
{
    if (!HasNCombo())
        return;
    RECT cell;
    if (!AnnounceEditor(nMode) || !HasNCombo() || !GetCellRect(&cell))
        return;
    try {
        const long nGrow = (m_ncombo.GetControlHeight() - (cell.bottom - cell.top)) / 2;
        cell.top -= nGrow;
        cell.bottom += nGrow;
        cell.right -= CDpi::OfWindow(m_ncombo.m_hWnd).Scale(kRightGap);
        m_ncombo.MoveControl(cell);
        m_ncombo.ShowWindow(SW_SHOW);
        m_ncombo.Activate(TRUE);
    } catch (const CDispatchException&) {
    }
}

// The control stays over the cell until the row is left.
void CControlsWnd_CNComboBox::HideEditor(BOOL) {}

void CControlsWnd_CNComboBox::CommitText(std::string& strText, BOOL bFlag)
{
    strText.clear();
    if (!HasNCombo())
        return;
    try {
        const long nColumns = m_ncombo.GetColumnCount();
        if (nColumns == 0)
            return;
        for (long nColumn = 0; nColumn < nColumns; ++nColumn) {
            if (nColumn > 0)
                strText += kCellSeparator;
            strText += m_ncombo.GetCellText(bFlag, nColumn);
        }
    } catch (const CDispatchException&) {
        return;
    }
    CControlsWnd_CComboBox::CommitText(strText, 0);
}

void CControlsWnd_CNComboBox::DoDefaultAction()
{
    ShowEditor(kDefaultActionMode);
}

// The host fills the control itself.
void CControlsWnd_CNComboBox::LoadItems() {}

bool CControlsWnd_CNComboBox::HasNCombo() const
{
    return m_ncombo.IsWindow();
}
