// CModalEdit: the caption editor of the Preview page, shown over a page caption. It keeps the
// mouse and takes the focus back once, so that the edit ends at the second focus loss or at a
// click outside it.
#pragma once
#include "Edit.h"

#include <string>

class CFloorPropertiesWndDesign;

class CModalEdit : public CEdit {
public:
    // A child of the design floor's window, whose end of edit goes to pFloor.
    BOOL Create(CFloorPropertiesWndDesign& floor, UINT nID);

    virtual void ShowAt(int nLeft, int nTop, int nRight, int nBottom, const std::string& strText);
    virtual void HideEdit();

    BOOL IsDone() const { return m_bDone; }

protected:
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnReflectedCommand(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bDone = TRUE;
    CFloorPropertiesWndDesign* m_pFloor = nullptr;
};
