// CControlsWnd_CFont: the "Font" kind - a font and a font colour kept with the row, chosen in
// the system font dialog and exchanged with the host as a standard font object and a number.
// The value cell only shows the face and size; it is never read back.
#pragma once
#include "ButtonKind.h"
#include "CellFont.h"
#include "Dpi.h"

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
    // Point size (1/10000 points) to a LOGFONT height (a character height) at the DPI.
    static LONG SizeToHeight(CY cySize, const CDpi& dpi);
    // The point size of the description's character height at the DPI, in whole pixels as the
    // font is made: a positive height is a cell height, less the font's internal leading.
    static CY HeightToSize(const LOGFONTW& description, const CDpi& dpi);
    // At the DPI of the row's page list (the screen's before it has one).
    CY GetFontSize() const;
    // "<face>, <points with 2 decimals>".
    std::string GetFontText() const;

private:
    static UINT_PTR CALLBACK DialogHook(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the dialog on copies: the host may end this object while the dialog is open.
    bool ChooseFontFor(LOGFONTW* pLogFont, COLORREF* pcrFont);
    bool ReadFontObject(IDispatch* pFont);
    CDpi GetDpi() const;

    LOGFONTW m_logFont;
    COLORREF m_crFont = RGB(0, 0, 0);
    HWND m_hDialog = nullptr;
};
