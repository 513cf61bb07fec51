// The two kinds whose editor is the outside NCombo control, by the class names they register
// under, and the control's event for a picked row: the page list, the control and the kinds
// themselves read them from here.
#pragma once
#include <windows.h>

#include <string>

constexpr char kNComboBoxClass[] = "CControlsWnd_CNComboBox";
constexpr char kNADORComboBoxClass[] = "CControlsWnd_CNADORComboBox";
// The NCombo control's event for a picked row, with the row's item data.
constexpr DISPID kNComboRowPickedEvent = 2;

inline bool IsNComboClass(const std::string& strClass)
{
    return strClass == kNComboBoxClass || strClass == kNADORComboBoxClass;
}
