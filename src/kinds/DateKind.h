// CControlsWnd_CDataComboBox: the "DataComboBox" kind - a date edited in the system's date
// picker over the value cell; the row holds the date as the picker shows it. The picker is kept
// with the row and only hidden when the row is left.
#pragma once
#include "ControlsWnd.h"
#include "DateComboBox.h"

class CControlsWnd_CDataComboBox : public CControlsWnd {
public:
    BOOL IsPersistent() const override;
    // Hides the picker; the row map owns the object.
    BOOL Release() override;
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    // Places the picker over the whole cell on the row's date; the focus stays where it is.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;

private:
    CDateComboBox m_picker;
};
