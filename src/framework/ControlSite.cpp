#include "ControlSite.h"

#include "GuardCall.h"

CControlSite::CControlSite(HWND hParent, UINT nID, CEventSinkTarget* pEventTarget)
    : m_hParent(hParent), m_nID(nID), m_pEventTarget(pEventTarget)
{
}

STDMETHODIMP CControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleControlSite)
        *ppv = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch)
        *ppv = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CControlSite::AddRef()
{
    return ++m_nRefs;
}

STDMETHODIMP_(ULONG) CControlSite::Release()
{
    const ULONG nRefs = --m_nRefs;
    if (nRefs == 0)
        delete this; // COM lifetime: the last reference, ours or the control's, ends the site
    return nRefs;
}

STDMETHODIMP CControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer)
        *ppContainer = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CControlSite::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_hParent;
    return S_OK;
}

STDMETHODIMP CControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT prcPosRect,
                                            LPRECT prcClipRect, LPOLEINPLACEFRAMEINFO pFrameInfo)
{
    if (!ppFrame || !ppDoc || !prcPosRect || !prcClipRect || !pFrameInfo)
        return E_POINTER;
    *ppFrame = nullptr; // no menus or tool space to negotiate
    *ppDoc = nullptr;
    *prcPosRect = m_rect;
    *prcClipRect = m_rect;
    pFrameInfo->fMDIApp = FALSE;
    pFrameInfo->hwndFrame = m_hParent;
    pFrameInfo->haccel = nullptr;
    pFrameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CControlSite::OnPosRectChange(LPCRECT prcPosRect)
{
    if (prcPosRect)
        m_rect = *prcPosRect;
    return S_OK;
}

STDMETHODIMP CControlSite::GetExtendedControl(IDispatch** ppDisp)
{
    if (ppDisp)
        *ppDisp = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags)
{
    if (!pPtlHimetric || !pPtfContainer)
        return E_POINTER;
    // Pixels at the screen's resolution; 2540 HIMETRIC units to the inch.
    HDC hdc = GetDC(nullptr);
    const float dpiX = static_cast<float>(GetDeviceCaps(hdc, LOGPIXELSX));
    const float dpiY = static_cast<float>(GetDeviceCaps(hdc, LOGPIXELSY));
    ReleaseDC(nullptr, hdc);
    if (dwFlags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        pPtfContainer->x = static_cast<float>(pPtlHimetric->x) * dpiX / 2540.0f;
        pPtfContainer->y = static_cast<float>(pPtlHimetric->y) * dpiY / 2540.0f;
    } else {
        pPtlHimetric->x = static_cast<LONG>(pPtfContainer->x * 2540.0f / dpiX);
        pPtlHimetric->y = static_cast<LONG>(pPtfContainer->y * 2540.0f / dpiY);
    }
    return S_OK;
}

STDMETHODIMP CControlSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pResult,
                                  EXCEPINFO*, UINT*)
{
    if (!(wFlags & DISPATCH_PROPERTYGET) || !pResult)
        return DISP_E_MEMBERNOTFOUND;
    VariantInit(pResult);
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_MESSAGEREFLECT:
        pResult->vt = VT_BOOL;
        pResult->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
        pResult->vt = VT_BOOL;
        pResult->boolVal = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        pResult->vt = VT_I4;
        pResult->lVal = static_cast<LONG>(0x80000000u | COLOR_BTNFACE);
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        pResult->vt = VT_I4;
        pResult->lVal = static_cast<LONG>(0x80000000u | COLOR_BTNTEXT);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP CControlSite::CEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != m_site.m_eventIid)
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CControlSite::CEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CControlSite::CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlSite::CEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*,
                                              EXCEPINFO*, UINT*)
{
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (!m_site.m_pEventTarget)
        return S_OK;
    return GuardCall([&] {
        m_site.m_pEventTarget->OnChildEvent(m_site.m_nID, dispid, pParams ? pParams : &none);
        return S_OK;
    }, E_UNEXPECTED);
}
