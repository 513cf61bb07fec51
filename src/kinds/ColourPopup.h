// CColourPopup: the pop-up grid of the colour kind - the table colours, 8 to a row, with an
// "Automatic" box above them and a "More Colours..." box below that opens the system colour
// dialog. The highlight follows the mouse and the arrow keys; a click, Enter or Space closes
// with the highlighted colour, Escape or a click outside with the colour it opened on. It tells
// its picker the colour as it closes, and deletes itself once its window is gone.
#pragma once
#include "Font.h"
#include "LifeToken.h"
#include "Palette.h"
#include "ToolTipCtrl.h"
#include "Wnd.h"

#include <string>
#include <vector>

class CColourPicker;
class CPageListOwner;

class CColourPopup : public CWnd {
public:
    // Cells besides the colours 0 ... count - 1.
    static constexpr int kNoCell = -1;
    static constexpr int kMoreBox = -2;
    static constexpr int kAutomaticBox = -3;
    static const wchar_t kClassName[];
    static constexpr UINT kPickCellMessage = WM_APP + 0x31;

    // A new popup with its top-left corner at ptTopLeft (screen), hidden and holding the mouse;
    // null when its window cannot be made. pControl holds the custom colours (may be null).
    static CColourPopup* Open(POINT ptTopLeft, CColourPicker* pPicker, CPageListOwner* pControl);

    CLifeToken::CWatch Watch() const { return m_life.Watch(); }
    // The colour the popup opened on, which Escape goes back to; its cell is marked chosen.
    void SetStartColour(COLORREF crStart);
    // Moves the popup sideways so that its right edge is at x (screen).
    void AlignRight(int x);

    int GetHotCell() const { return m_nHotCell; }
    int GetChosenCell() const { return m_nChosenCell; }
    COLORREF GetCurrentColour() const { return m_crCurrent; }
    // A cell's or a box's rectangle, client coordinates.
    RECT GetCellRect(int nCell) const;
    // What accessibility clients find, in order: the Automatic box, the colours, the More box
    // (each box only when the popup has it); a cell number (kAutomaticBox, 0 ..., kMoreBox).
    std::vector<int> GetCells() const;
    // A cell's name: the colour's, or the box's text.
    std::string GetCellName(int nCell) const;
    // As a click on the cell, once the caller (an accessibility client) has returned: the More
    // box's dialog does not hold its call.
    void PickCell(int nCell);

protected:
    // Mouse messages pass the cells' tooltips on their way.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnActivateApp(WPARAM, LPARAM);
    LRESULT OnPaletteChanged(WPARAM, LPARAM);
    LRESULT OnQueryNewPalette(WPARAM, LPARAM);
    LRESULT OnGetObject(WPARAM, LPARAM);
    LRESULT OnPickCell(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CColourPopup(CColourPicker* pPicker, CPageListOwner* pControl);

    BOOL CreatePopup(POINT ptTopLeft);
    void SizeWindow();
    // Moves m_rcWindow back into the work area of the picker's monitor; over the picker when it
    // would leave at the bottom.
    void KeepOnScreen();
    void AddToolTips();
    bool HasAutomaticBox() const { return !m_strAutomaticText.empty(); }
    bool HasMoreBox() const { return !m_strMoreText.empty(); }
    // The cell or box drawn under a client point; kNoCell for none.
    int CellFromPoint(POINT pt) const;
    int ChosenCellFor(COLORREF crColour) const;
    // The cell an arrow key leads to from nFrom.
    int NextCell(UINT nKey, int nFrom) const;
    int LastColour() const { return m_nCount - 1; }
    void ChangeHighlight(int nCell);
    void Close(bool bOk);
    // The colour dialog over the More box: false when the popup has gone meanwhile.
    bool ChooseMoreColour();
    void TellPicker();
    void DrawCell(HDC hDC, int nCell);
    void DrawColourCell(HDC hDC, int nCell);
    void DrawBox(HDC hDC, int nBox);
    // The fill and the edge every cell and box takes by its hot and chosen state.
    void DrawCellFrame(HDC hDC, const RECT& rect, int nCell, int nChosenFill);

    int m_nCount;
    int m_nColumnCount = 0;
    int m_nRowCount = 0;
    // A cell's side on a 96-DPI screen.
    static constexpr int kCellSize = 18;
    int m_nCellSize;
    int m_nMargin;
    int m_nHotCell = kNoCell;
    int m_nChosenCell = kNoCell;
    std::string m_strAutomaticText;
    std::string m_strMoreText;
    RECT m_rcMoreBox = {};
    RECT m_rcAutomaticBox = {};
    RECT m_rcWindow = {};
    CFont m_font;
    CPalette m_palette;
    COLORREF m_crStart = CLR_DEFAULT;
    COLORREF m_crCurrent = CLR_DEFAULT;
    CToolTipCtrl m_toolTips;
    CColourPicker* m_pPicker;
    // The picker is a member of its row's object, which a host's handler may end.
    CLifeToken::CWatch m_pickerAlive;
    BOOL m_bDialogOpen = FALSE;
    CPageListOwner* m_pControl;
    CLifeToken m_life;
};
