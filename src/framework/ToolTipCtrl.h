// CToolTipCtrl: the tooltip control as a window object, with tools over a window's areas.
#pragma once
#include "Wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(HWND hOwner, DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX);
    BOOL AddTool(HWND hWnd, UINT_PTR nToolId, const RECT& rect, const std::string& text, UINT flags = TTF_SUBCLASS);
    // A tool covering the whole of hWnd (TTF_IDISHWND); its id in the calls below is the handle.
    BOOL AddWindowTool(HWND hWnd, const std::string& text, UINT flags = 0);
    void DelTool(HWND hWnd, UINT_PTR nToolId);
    void UpdateTipText(HWND hWnd, UINT_PTR nToolId, const std::string& text);
    std::string GetText(HWND hWnd, UINT_PTR nToolId) const; // at most INFOTIPSIZE characters
    void SetToolRect(HWND hWnd, UINT_PTR nToolId, const RECT& rect);
    void TrackActivate(HWND hWnd, UINT_PTR nToolId, BOOL bActivate);
    void TrackPosition(POINT screenPoint);
    void Activate(BOOL bActivate);
    void RelayEvent(const MSG& msg);
    void SetDelayTime(DWORD dwWhich, int nMilliseconds);
    int GetToolCount() const;
};
