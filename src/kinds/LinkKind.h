// CControlsWnd_CLink: the "Link" kind - a button row like "Button"; only the icon the page list
// draws on its cell button differs.
#pragma once
#include "ButtonKind.h"

class CControlsWnd_CLink : public CControlsWnd_CButton {
public:
    std::string GetClassName() const override;
};
