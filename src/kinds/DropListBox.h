// CDropListBox: the drop-down list of the ComboBox and BoolComboBox kinds - a plain list box
// that opens as a pop-up under the value cell (above it near the bottom of the screen), follows
// the mouse, and hands every change of its selection to its row at once. It has no cancel.
#pragma once
#include "LifeToken.h"
#include "ListBox.h"

class CControlsWnd;

class CDropListBox : public CListBox {
public:
    // Replaces the items by the pieces of strText between separators: no separator is one
    // item, an empty text one empty item, a separator at the end adds an empty last item.
    virtual void FillFromText(const std::string& strText, char chSeparator);
    // Opens the list under the cell (page list client coordinates), at most |nLines| lines
    // high, and gives it the focus and the mouse.
    virtual void DropDown(int nLeft, int nTop, int nRight, int nBottom, int nLines);
    // Makes the hidden window, owned by the row's page list and in its font; null when the
    // window cannot be made. The list belongs to pControlsWnd.
    virtual CDropListBox* CreateForRow(CControlsWnd* pControlsWnd);
    // Hands the selection to the row when it is not the one handed over last.
    virtual void CommitSelection();
    // Commits and closes; the page list takes the focus back. bFlag: left by a press outside
    // or by Ctrl+Break.
    virtual void CloseDropDown(BOOL bFlag);

protected:
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Null once the row's object is gone.
    CControlsWnd* ControlsWnd() const;
    // The item under a client point, -1 for none.
    int ItemFromPoint(POINT pt) const;
    // The page list's window of the row; null without one.
    HWND ListWindow() const;

    int m_nLastSel = -1;
    CControlsWnd* m_pControlsWnd = nullptr;
    // The list is a member of its row's object: the object's end is the list's end too.
    CLifeToken::CWatch m_controlsAlive;
};
