// CControlSite: the minimal container site through which one of our windows hosts an ActiveX
// child control: client site, in-place site (the parent window is the frame), control site,
// ambient properties (user mode, colours, font of the parent), and the sink of the child's
// events, which it hands to the parent's event sink map under the child's control id.
#pragma once
#include "EventSinkMap.h"

#include <ocidl.h>
#include <olectl.h>

class CControlSite final : public IOleClientSite,
                     public IOleInPlaceSite,
                     public IOleControlSite,
                     public IDispatch {
public:
    CControlSite(HWND hParent, UINT nID, CEventSinkTarget* pEventTarget);
    CControlSite(const CControlSite&) = delete;
    CControlSite& operator=(const CControlSite&) = delete;

    void SetRect(const RECT& rect) { m_rect = rect; }
    void Disconnect() { m_pEventTarget = nullptr; }
    // The sink of the control's default source interface, to be advised to it.
    IDispatch* GetEventSink() { return &m_eventSink; }
    void SetEventIid(REFIID iid) { m_eventIid = iid; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow / IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT prcPosRect,
                                  LPRECT prcClipRect, LPOLEINPLACEFRAMEINFO pFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT prcPosRect) override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override;
    STDMETHODIMP TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO*, UINT*) override;

private:
    // The child's events, by dispid, for the parent's event sink map.
    class CEventSink : public IDispatch {
    public:
        explicit CEventSink(CControlSite& site) : m_site(site) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return m_site.AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_site.Release(); }
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
        STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*, UINT*) override;

    private:
        CControlSite& m_site;
    };

    ULONG m_nRefs = 1;
    HWND m_hParent;
    UINT m_nID;
    CEventSinkTarget* m_pEventTarget;
    RECT m_rect = {0, 0, 0, 0};
    IID m_eventIid = IID_NULL;
    CEventSink m_eventSink{*this};
};
