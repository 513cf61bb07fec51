// CControlsWnd_CButton: the "Button" kind - the value cell acts as a button; the host is told
// of each press (ButtonClick) and does the work. The base of the Return, Link and Font kinds.
#pragma once
#include "Button.h"
#include "ControlsWnd.h"

class CControlsWnd_CButton : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    // Every opening is one press, whatever the mode.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    void DoDefaultAction() override;

private:
    // Never given a window: it only tells the factory that the row has an editor.
    CButton m_button;
};
