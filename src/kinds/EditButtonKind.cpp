#include "EditButtonKind.h"

std::string CControlsWnd_CEditButton::GetClassName() const
{
    return "CControlsWnd_CEditButton";
}

CWnd* CControlsWnd_CEditButton::CreateEditor()
{
    return m_edit.CreateForRow(this);
}

// A key opens nothing: the host's button is not to be pressed by accident.
void CControlsWnd_CEditButton::ShowEditor(int nMode)
{
    if (nMode == 1)
        ShowEdit(nMode);
    else if (nMode == 2)
        PressButton(nMode);
}

// The edit hides itself when the focus leaves it; the page list ends it by Release.
void CControlsWnd_CEditButton::HideEditor(BOOL) {}

void CControlsWnd_CEditButton::CommitText(std::string& strText, BOOL bFlag)
{
    if (HasEditorWindow())
        strText = m_edit.GetWindowText();
    CControlsWnd::CommitText(strText, bFlag);
}

void CControlsWnd_CEditButton::ShowEdit(int nMode)
{
    if (HasEditorWindow() && AnnounceEditor(nMode))
        m_edit.ShowForRow();
}
