// CControlsWnd_CBoolComboBox: the "BoolComboBox" kind - a ComboBox whose items are always
// "False" and "True"; a double click or the space bar toggles the value.
#pragma once
#include "ComboBoxKind.h"

class CControlsWnd_CBoolComboBox : public CControlsWnd_CComboBox {
public:
    std::string GetClassName() const override;
    // The drop-down, as from the row button, whatever the mode.
    void ShowEditor(int nMode) override;
    // The two items, without asking the host.
    void LoadItems() override;
};
