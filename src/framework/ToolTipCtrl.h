// CToolTipCtrl: the tooltip control as a window object, with tools over a window's areas.
#pragma once
#include "Wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(HWND hOwner, DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX);
    BOOL AddTool(HWND hWnd, UINT_PTR nToolId, const RECT& rect, const std::string& text, UINT flags = TTF_SUBCLASS);
    void DelTool(HWND hWnd, UINT_PTR nToolId);
    void UpdateTipText(HWND hWnd, UINT_PTR nToolId, const std::string& text);
    void SetToolRect(HWND hWnd, UINT_PTR nToolId, const RECT& rect);
    void TrackActivate(HWND hWnd, UINT_PTR nToolId, BOOL bActivate);
    void TrackPosition(POINT screenPoint);
    void Activate(BOOL bActivate);
    int GetToolCount() const;
};
