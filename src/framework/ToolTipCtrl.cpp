#include "ToolTipCtrl.h"

#include "Text.h"

#include <commctrl.h>

#include <vector>

namespace {

TTTOOLINFOW ToolInfo(HWND hWnd, UINT_PTR nToolId)
{
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = hWnd;
    info.uId = nToolId;
    return info;
}

} // namespace

BOOL CToolTipCtrl::Create(HWND hOwner, DWORD style)
{
    return CWnd::Create(TOOLTIPS_CLASSW, "", WS_POPUP | style, WS_EX_TOPMOST,
                        RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, hOwner, 0);
}

BOOL CToolTipCtrl::AddTool(HWND hWnd, UINT_PTR nToolId, const RECT& rect, const std::string& text, UINT flags)
{
    std::wstring wide = Utf8ToWide(text);
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    info.uFlags = flags;
    info.rect = rect;
    info.lpszText = wide.data();
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddWindowTool(HWND hWnd, const std::string& text, UINT flags)
{
    std::wstring wide = Utf8ToWide(text);
    TTTOOLINFOW info = ToolInfo(hWnd, reinterpret_cast<UINT_PTR>(hWnd));
    info.uFlags = flags | TTF_IDISHWND;
    info.lpszText = wide.data();
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(HWND hWnd, UINT_PTR nToolId)
{
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(HWND hWnd, UINT_PTR nToolId, const std::string& text)
{
    std::wstring wide = Utf8ToWide(text);
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    info.lpszText = wide.data();
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string CToolTipCtrl::GetText(HWND hWnd, UINT_PTR nToolId) const
{
    std::vector<wchar_t> buffer(INFOTIPSIZE + 1);
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    info.lpszText = buffer.data();
    SendMessage(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
    return WideToUtf8(buffer.data());
}

void CToolTipCtrl::SetToolRect(HWND hWnd, UINT_PTR nToolId, const RECT& rect)
{
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    info.rect = rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::TrackActivate(HWND hWnd, UINT_PTR nToolId, BOOL bActivate)
{
    TTTOOLINFOW info = ToolInfo(hWnd, nToolId);
    SendMessage(TTM_TRACKACTIVATE, static_cast<WPARAM>(bActivate), reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::TrackPosition(POINT screenPoint)
{
    SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

void CToolTipCtrl::RelayEvent(const MSG& msg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CToolTipCtrl::SetDelayTime(DWORD dwWhich, int nMilliseconds)
{
    SendMessage(TTM_SETDELAYTIME, dwWhich, MAKELPARAM(nMilliseconds, 0));
}
