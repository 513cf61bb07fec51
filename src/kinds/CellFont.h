// CCellFont: offered by behaviour objects whose value cell is drawn in a font of their own
// (the Font kind); the page list draws such a cell with it.
#pragma once
#include <windows.h>

class CCellFont {
public:
    virtual LOGFONTW* GetLogFont() = 0;
    virtual COLORREF GetFontColor() = 0;

protected:
    ~CCellFont() = default;
};
