#include "UserComboBoxKind.h"

std::string CControlsWnd_CUserComboBox::GetClassName() const
{
    return "CControlsWnd_CUserComboBox";
}

CWnd* CControlsWnd_CUserComboBox::CreateEditor()
{
    return nullptr;
}

void CControlsWnd_CUserComboBox::ShowEditor(int) {}

void CControlsWnd_CUserComboBox::HideEditor(BOOL) {}

void CControlsWnd_CUserComboBox::CommitText(std::string&, BOOL) {}
