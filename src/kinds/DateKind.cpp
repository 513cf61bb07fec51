#include "DateKind.h"

BOOL CControlsWnd_CDataComboBox::IsPersistent() const
{
    return TRUE;
}

BOOL CControlsWnd_CDataComboBox::Release()
{
    if (HasEditorWindow())
        m_picker.ShowWindow(SW_HIDE);
    return FALSE;
}

std::string CControlsWnd_CDataComboBox::GetClassName() const
{
    return "CControlsWnd_CDataComboBox";
}

CWnd* CControlsWnd_CDataComboBox::CreateEditor()
{
    return m_picker.CreateForRow(this) ? &m_picker : nullptr;
}

void CControlsWnd_CDataComboBox::ShowEditor(int nMode)
{
    if (!HasEditorWindow())
        return;
    if (!AnnounceEditor(nMode))
        return;
    m_picker.ShowDateOf(GetText());
    PlaceEditor(RECT{0, 0, 0, 0});
}

// The picker stays over the cell until the row is left.
void CControlsWnd_CDataComboBox::HideEditor(BOOL) {}
