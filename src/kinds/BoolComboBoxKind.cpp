#include "BoolComboBoxKind.h"

std::string CControlsWnd_CBoolComboBox::GetClassName() const
{
    return "CControlsWnd_CBoolComboBox";
}

void CControlsWnd_CBoolComboBox::ShowEditor(int)
{
    CControlsWnd_CComboBox::ShowEditor(2);
}

void CControlsWnd_CBoolComboBox::LoadItems()
{
    if (m_list.IsWindow())
        m_list.FillFromText("False\\True", kItemSeparator);
}
