// CColourPicker: the editor window of the colour kind - a button over the value cell that is
// never shown. It opens the colour popup under itself, holds it while it is open (the popup
// deletes itself), passes keys on to it, and keeps the colour the popup closed on.
#pragma once
#include "Button.h"
#include "LifeToken.h"

#include <string>

class CColourPopup;
class CPageListOwner;

class CColourPicker : public CButton {
public:
    CLifeToken::CWatch Watch() const { return m_life.Watch(); }

    // The hidden button over the cell (page list client coordinates), as high as its arrow box
    // and at least two of them wide; FALSE when it cannot be made. pControl holds the custom
    // colours the popup offers (may be null).
    BOOL CreateForCell(HWND hList, const RECT& rcCell, CPageListOwner* pControl);
    // A new popup under the button, hidden; null when none can be made.
    CColourPopup* OpenPopup();
    // The open popup; null when there is none.
    CColourPopup* GetPopup() const;
    // Told by the popup as it closes.
    void SetResult(COLORREF crResult);
    // The popup is going: the picker lets go of it. True, with the colour, when it closed on one.
    bool TakeResult(COLORREF* pcrResult);

    const std::string& GetAutomaticText() const { return m_strAutomaticText; }
    const std::string& GetMoreText() const { return m_strMoreText; }

protected:
    // Keys the page list hands to its open editor reach the popup.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The popup goes with the button.
    LRESULT OnDestroy(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CColourPopup* m_pPopup = nullptr; // not owned: it deletes itself
    CLifeToken::CWatch m_popupAlive;
    CPageListOwner* m_pControl = nullptr;
    std::string m_strAutomaticText = "Automatic";
    std::string m_strMoreText = "More Colours...";
    bool m_bHasResult = false;
    COLORREF m_crResult = RGB(0, 0, 0);
    CLifeToken m_life;
};
