#include "ColorComboBoxKind.h"

#include "AccessibleEditor.h"
#include "ColourHook.h"
#include "ColourPopup.h"
#include "ColourText.h"
#include "ItemList.h"

namespace {

// The colour an integer variant holds, its bits taken as they are (a system colour passed as a
// negative long keeps its high bit); false for any other type.
bool IntegerColour(const VARIANT& value, COLORREF* pcrColour)
{
    switch (value.vt) {
    case VT_I2:
        *pcrColour = static_cast<COLORREF>(static_cast<LONG>(value.iVal));
        return true;
    case VT_I4:
        *pcrColour = static_cast<COLORREF>(value.lVal);
        return true;
    case VT_UI2:
        *pcrColour = value.uiVal;
        return true;
    case VT_UI4:
        *pcrColour = value.ulVal;
        return true;
    default:
        return false;
    }
}

} // namespace

std::string CControlsWnd_CColorComboBox::GetClassName() const
{
    return "CControlsWnd_CColorComboBox";
}

CVariant CControlsWnd_CColorComboBox::GetValue(long nColumn)
{
    if (nColumn != 0)
        return CControlsWnd::GetValue(nColumn);
    CVariant value;
    value.vt = VT_UI4;
    value.ulVal = ParseColourText(GetText());
    return value;
}

void CControlsWnd_CColorComboBox::SetValue(const VARIANT& vValue, short nColumn)
{
    // Scripts hand their variables over by reference. (The source is only read.)
    CVariant value;
    COLORREF crColour = 0;
    if (FAILED(VariantCopyInd(&value, const_cast<VARIANT*>(&vValue))) || !IntegerColour(value, &crColour)) {
        CControlsWnd::SetValue(vValue, nColumn);
        return;
    }
    if (m_pList)
        m_pList->SetItemValue(m_nRow, FormatColourText(crColour));
}

CWnd* CControlsWnd_CColorComboBox::CreateEditor()
{
    RECT cell = {0, 0, 0, 0};
    GetCellRect(&cell);
    if (!m_pList || !m_picker.CreateForCell(m_pList->GetListWindow(), cell, GetOwner()))
        return nullptr;
    return &m_picker;
}

void CControlsWnd_CColorComboBox::ShowEditor(int nMode)
{
    if (!m_picker.IsWindow() || CColourHook::IsInstalled() || !m_picker.OpenPopup())
        return;
    CColourPopup* pPopup = AnnounceEditor(nMode) ? m_picker.GetPopup() : nullptr;
    if (!pPopup)
        return;
    RECT cell = {0, 0, 0, 0};
    GetCellRect(&cell);
    MapWindowPoints(m_pList->GetListWindow(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    pPopup->AlignRight(cell.right);
    pPopup->SetStartColour(ParseColourText(GetText()));
    CAccessibleEditor::Give(pPopup->m_hWnd, m_pList->GetItemText(static_cast<int>(m_nRow), m_pList->GetNameColumn()));
    // Shown, the popup takes the focus from the window that had it, maybe an editor that
    // commits: the host may end this row meanwhile.
    const CLifeToken::CWatch alive = Watch();
    pPopup->ShowWindow(SW_SHOW);
    if (!alive || !m_picker.GetPopup())
        return;
    if (!CColourHook::Install(this, pPopup->m_hWnd)) {
        pPopup->DestroyWindow();
        return;
    }
    RedrawRow();
}

void CControlsWnd_CColorComboBox::CommitText(std::string& strText, BOOL bFlag)
{
    CControlsWnd::CommitText(strText, bFlag);
}

// A colour outside the table, maybe picked in the colour dialog, is not lost to a stray double
// click: stepping starts only from the table's colours.
void CControlsWnd_CColorComboBox::DoDefaultAction()
{
    const int nEntry = FindTableColour(ParseColourText(GetText()));
    if (nEntry < 0)
        return;
    std::string strText = FormatColourText(kColourTable[(nEntry + 1) % kColourTableCount].crColour);
    CommitText(strText, FALSE);
}

BOOL CControlsWnd_CColorComboBox::IsEditorVisible()
{
    CColourPopup* pPopup = m_picker.GetPopup();
    return pPopup && pPopup->IsWindowVisible();
}

void CControlsWnd_CColorComboBox::OnPopupClosed()
{
    COLORREF crChosen = 0;
    if (!m_picker.TakeResult(&crChosen) || IsClosing())
        return;
    std::string strText = FormatColourText(crChosen);
    const CLifeToken::CWatch alive = Watch();
    CommitText(strText, FALSE);
    if (alive && m_pList)
        ::SetFocus(m_pList->GetListWindow());
}
