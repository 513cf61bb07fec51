#include "FolderKind.h"

#include "ItemList.h"

std::string CControlsWnd_CShellFolder::GetClassName() const
{
    return "CControlsWnd_CShellFolder";
}

CWnd* CControlsWnd_CShellFolder::CreateEditor()
{
    return m_tree.CreateForRow(this);
}

void CControlsWnd_CShellFolder::ShowEditor(int nMode)
{
    if (!HasEditorWindow())
        return;
    RECT cell;
    if (AnnounceEditor(nMode) && m_pList && GetCellRect(&cell))
        m_tree.DropBelow(m_pList->GetListWindow(), cell);
}

// The tree closes itself; the page list ends it by Release.
void CControlsWnd_CShellFolder::HideEditor(BOOL) {}

void CControlsWnd_CShellFolder::CommitText(std::string& strText, BOOL bFlag)
{
    if (HasEditorWindow())
        strText = m_tree.GetPath();
    CControlsWnd::CommitText(strText, bFlag);
}

void CControlsWnd_CShellFolder::OnFolderChosen()
{
    const CLifeToken::CWatch alive = Watch();
    if (HasEditorWindow() && !m_tree.GetPath().empty()) {
        std::string strPath = m_tree.GetPath();
        CommitText(strPath, m_nRow);
    }
    if (alive && m_pList)
        ::SetFocus(m_pList->GetListWindow());
}
