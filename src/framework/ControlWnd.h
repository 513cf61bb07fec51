// CControlWnd: one of our windows hosting an ActiveX control as a child window. The object is
// bound to the control's window (move, show and hide act on it), reaches its IUnknown and
// IDispatch, and routes its events to the parent's event sink map under its control id.
#pragma once
#include "ControlSite.h"
#include "Wnd.h"

class CControlWnd : public CWnd {
public:
    CControlWnd() = default;
    ~CControlWnd() override;

    // Creates the control by class id, in-place active in hParent, without persisted state.
    // FALSE (and no window) when the class is not registered or makes no window.
    BOOL CreateControl(REFCLSID clsid, HWND hParent, UINT nID, const RECT& rect, bool bVisible,
                       CEventSinkTarget* pEventTarget);
    void DestroyControl();
    BOOL MoveControl(const RECT& rect);

    IUnknown* GetControlUnknown() const { return m_pObject; }
    IDispatch* GetControlDispatch() const { return m_pDispatch; }

private:
    void ConnectEvents();

    IOleObject* m_pObject = nullptr;
    IDispatch* m_pDispatch = nullptr;
    IOleInPlaceObject* m_pInPlace = nullptr;
    CControlSite* m_pSite = nullptr;
    IConnectionPoint* m_pEventPoint = nullptr;
    DWORD m_dwEventCookie = 0;
};
