#include "EditKind.h"

std::string CControlsWnd_CEdit::GetClassName() const
{
    return "CControlsWnd_CEdit";
}

CWnd* CControlsWnd_CEdit::CreateEditor()
{
    return m_edit.CreateForRow(this);
}

// Whatever the mode: a key, a second click and Enter all open the edit.
void CControlsWnd_CEdit::ShowEditor(int nMode)
{
    if (HasEditorWindow() && AnnounceEditor(nMode))
        m_edit.ShowForRow();
}

// The edit hides itself when the focus leaves it; the page list ends it by Release.
void CControlsWnd_CEdit::HideEditor(BOOL) {}

void CControlsWnd_CEdit::CommitText(std::string& strText, BOOL bFlag)
{
    if (HasEditorWindow())
        strText = m_edit.GetWindowText();
    CControlsWnd::CommitText(strText, bFlag);
}
