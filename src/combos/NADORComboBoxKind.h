// CControlsWnd_CNADORComboBox: the "NADORComboBox" kind - the NComboBox kind whose control is
// filled once, a column per field and a row per record, from a recordset the host hands over
// (SetObject event). A row's item data is its record's position.
#pragma once
#include "NComboBoxKind.h"

class CControlsWnd_CNADORComboBox : public CControlsWnd_CNComboBox {
public:
    std::string GetClassName() const override;
    // Asks the host until one recordset has been read whole.
    void LoadItems() override;

private:
    BOOL m_bLoaded = FALSE;
};
