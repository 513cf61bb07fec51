// CControlsWnd_CColorComboBox: the "ColorComboBox" kind - the value is a colour, kept as the
// colour value text and exchanged with the host as a number. The colour is picked from a
// CColourPopup opened under the value cell by the hidden CColourPicker; the popup's end is
// reported by CColourHook, and only then is the colour committed.
#pragma once
#include "ColourPicker.h"
#include "UserComboBoxKind.h"

class CControlsWnd_CColorComboBox : public CControlsWnd_CUserComboBox {
public:
    std::string GetClassName() const override;
    // Column 0: the colour as VT_UI4; other columns: the value text.
    CVariant GetValue(long nColumn) override;
    // Integers are colours and become the value text; anything else is taken as text.
    void SetValue(const VARIANT& vValue, short nColumn) override;
    CWnd* CreateEditor() override;
    // Opens the popup on the row's colour, whatever the mode; one popup at a time.
    void ShowEditor(int nMode) override;
    // The row takes the text as the base does, which the user combo box does not.
    void CommitText(std::string& strText, BOOL bFlag) override;
    // Steps to the next colour of the table (after "White" comes "Black").
    void DoDefaultAction() override;
    BOOL IsEditorVisible() override;

    // The popup's window has gone: commits the colour it closed on and gives the page list the
    // focus back. A popup that closed on nothing, or went with this object, commits nothing.
    void OnPopupClosed();

private:
    CColourPicker m_picker;
};
