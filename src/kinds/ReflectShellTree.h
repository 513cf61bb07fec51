// CReflectShellTree: the folder tree that the ShellFolder kind drops below a value cell. As a
// pop-up it holds the mouse while it is open, closes when the focus leaves it, and hands the
// folder chosen (Enter, Space, a click outside it) to its row.
#pragma once
#include "LifeToken.h"
#include "ShellTree.h"

#include <string>

class CControlsWnd_CShellFolder;

class CReflectShellTree : public CShellTree {
public:
    // The tree's size on a 96-DPI screen.
    static constexpr int kWidth = 164;
    static constexpr int kHeight = 128;

    // Makes the hidden pop-up tree for the row, filled with the desktop's folders; null when
    // the window cannot be made. The tree belongs to pControlsWnd.
    CReflectShellTree* CreateForRow(CControlsWnd_CShellFolder* pControlsWnd);
    // Hides the tree, keeping the path of the folder chosen; unless bCancel the row hears of it.
    virtual void CloseTree(BOOL bCancel);
    virtual BOOL IsPopup() const;

    // Drops the tree below the cell (client coordinates of hList), lined up with the cell's
    // right edge when the cell is narrower than the tree, and gives it the focus and the mouse.
    void DropBelow(HWND hList, const RECT& rcCell);
    // The file-system path of the folder chosen last; empty while none was.
    const std::string& GetPath() const { return m_strPath; }

protected:
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnRightClick(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT kPopupMode = 1;

    // Null once the row's object is gone or is closing its tree.
    CControlsWnd_CShellFolder* ControlsWnd() const;
    bool IsOpenPopup() const;
    void ReadPath();

    std::string m_strPath;
    UINT m_bPopup = 0;
    CControlsWnd_CShellFolder* m_pControlsWnd = nullptr;
    // The tree is a member of the row's object: the object's end is the tree's end too.
    CLifeToken::CWatch m_controlsAlive;
};
