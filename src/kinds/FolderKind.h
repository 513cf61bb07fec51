// CControlsWnd_CShellFolder: the "ShellFolder" kind - a file-system folder path, chosen in a
// pop-up tree of the shell's name space that drops below the value cell.
#pragma once
#include "ControlsWnd.h"
#include "ReflectShellTree.h"

class CControlsWnd_CShellFolder : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    // Drops the tree below the cell, whatever the mode.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    // The path of the folder chosen in the tree.
    void CommitText(std::string& strText, BOOL bFlag) override;

    // The tree has closed on a folder: its path goes to the row, when there is one, and the
    // focus back to the page list.
    void OnFolderChosen();

private:
    CReflectShellTree m_tree;
};
