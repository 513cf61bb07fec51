// CNCombo: the NCombo control hosted as a hidden child of a page list, driven only by dispatch
// id. A failed call raises CDispatchException; callers catch it to end what they were doing.
#pragma once
#include "ControlWnd.h"
#include "DispatchDriver.h"

#include <string>

class CNCombo : public CControlWnd {
public:
    static const CLSID kClassId;

    // Hidden (WS_CHILD only), control id 0, empty rectangle; FALSE when the control is missing.
    BOOL Create(HWND hParent, CEventSinkTarget* pEventTarget);

    void SetDropDownHeight(long nHeight);   // property 1
    long GetSelectedRow();
    long InsertColumn(long nIndex, const std::string& heading, long nWidth, long nFormat, BOOL bVisible, BOOL bResizable);
    long GetColumnCount();
    long InsertItem(long nIndex, const std::string& text);
    BOOL SetItemText(long nRow, long nColumn, const std::string& text);
    BOOL SetItemData(long nRow, long nData);
    std::string GetCellText(long nRow, long nColumn);
    long GetItemData(long nRow);
    void Activate(BOOL bActive);
    long GetControlHeight();

private:
    CDispatchDriver m_driver;
};
