// CDropEdit: the one-line edit that the Edit and EditButton kinds open over a value cell. The
// text typed reaches the row when the focus leaves the edit; there is no cancel.
#pragma once
#include "Brush.h"
#include "Edit.h"
#include "LifeToken.h"

class CControlsWnd;

class CDropEdit : public CEdit {
public:
    static constexpr UINT kEditId = 1001;

    CDropEdit();

    // Returns the edit.
    virtual CDropEdit* SetEditTextColor(COLORREF crText);
    // Makes the hidden window in the row's page list, in the list's font and the control's
    // editor colour; null when the window cannot be made. The edit belongs to pControlsWnd.
    virtual CDropEdit* CreateForRow(CControlsWnd* pControlsWnd);
    // Client coordinates of the page list.
    virtual void ShowInCell(int nLeft, int nTop, int nRight, int nBottom);

    // Opens the edit over its row's value cell, holding the row's text.
    void ShowForRow();

protected:
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Null once the behaviour object is gone.
    CControlsWnd* ControlsWnd() const;

    COLORREF m_crText = RGB(0, 0, 0);
    CControlsWnd* m_pControlsWnd = nullptr;
    // The edit is a member of its behaviour object: the object's end is the edit's end too.
    CLifeToken::CWatch m_controlsAlive;
    CBrush m_brBack;
};
