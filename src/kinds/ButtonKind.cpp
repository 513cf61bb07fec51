#include "ButtonKind.h"

std::string CControlsWnd_CButton::GetClassName() const
{
    return "CControlsWnd_CButton";
}

CWnd* CControlsWnd_CButton::CreateEditor()
{
    return &m_button;
}

void CControlsWnd_CButton::ShowEditor(int nMode)
{
    PressButton(nMode);
}

// Nothing is ever shown.
void CControlsWnd_CButton::HideEditor(BOOL) {}

void CControlsWnd_CButton::DoDefaultAction()
{
    ShowEditor(1);
}
