// CControlsWnd_CReturn: the "Return" kind - a button row like "Button"; only the icon the page
// list draws on its cell button differs.
#pragma once
#include "ButtonKind.h"

class CControlsWnd_CReturn : public CControlsWnd_CButton {
public:
    std::string GetClassName() const override;
};
