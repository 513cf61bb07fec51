// CControlsWnd_CFont: the "Font" kind - a font and a font colour kept with the row, chosen in
// the system font dialog and exchanged with the host as a standard font object and a number.
// The value cell only shows the face and size; it is never read back.
#pragma once
#include "ButtonKind.h"
#include "CellFont.h"

#include <commdlg.h>

class CControlsWnd_CFont : public CControlsWnd_CButton, public CCellFont {
public:
    CControlsWnd_CFont();

    BOOL IsPersistent() const override;
    // Column 0: a new standard font object (IFontDisp) describing the font; 1: the colour
    // (VT_UI4); any other: the value text.
    CVariant GetValue(long nColumn) override;
    // A number sets the colour, a font object the font (and the text); anything else is text.
    void SetValue(const VARIANT& vValue, short nColumn) override;
    // The row map owns the object: nothing ends here.
    BOOL Release() override;
    // An open font dialog is cancelled with the object.
    void CloseEditor() override;
    std::string GetClassName() const override;
    // Opens the font dialog, whatever the mode; OK commits the font's text.
    void ShowEditor(int nMode) override;
    // Always reported as a change.
    void CommitText(std::string& strText, BOOL bFlag) override;

    LOGFONTW* GetLogFont() override;
    COLORREF GetFontColor() override;
    // Point sizes (1/10000 points) and LOGFONT heights at nDpi pixels an inch. A negative
    // height is the characters' height; a positive one is the cell height, whose internal
    // leading is no part of the size.
    static LONG SizeToHeight(CY cySize, int nDpi);
    static CY HeightToSize(const LOGFONTW& logFont, int nDpi);
    // The pixels an inch of the screen the row's font is shown on.
    static int ScreenDpi();
    CY GetFontSize() const;
    // "<face>, <points with 2 decimals>".
    std::string GetFontText() const;

private:
    static UINT_PTR CALLBACK DialogHook(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the dialog on copies: the host may end this object while the dialog is open.
    bool ChooseFontFor(LOGFONTW* pLogFont, COLORREF* pcrFont);
    bool ReadFontObject(IDispatch* pFont);

    LOGFONTW m_logFont;
    COLORREF m_crFont = RGB(0, 0, 0);
    HWND m_hDialog = nullptr;
};
