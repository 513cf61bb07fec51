#include "ControlWnd.h"

namespace {

template <typename T>
void ReleaseAndClear(T*& pInterface)
{
    if (pInterface)
        pInterface->Release();
    pInterface = nullptr;
}

SIZEL PixelsToHimetric(const RECT& rect)
{
    HDC hdc = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(hdc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(nullptr, hdc);
    return SIZEL{MulDiv(rect.right - rect.left, 2540, dpiX), MulDiv(rect.bottom - rect.top, 2540, dpiY)};
}

} // namespace

CControlWnd::~CControlWnd()
{
    DestroyControl();
}

BOOL CControlWnd::CreateControl(REFCLSID clsid, HWND hParent, UINT nID, const RECT& rect, bool bVisible,
                                CEventSinkTarget* pEventTarget)
{
    if (m_pObject)
        return FALSE;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, reinterpret_cast<void**>(&m_pObject))))
        return FALSE;
    m_pSite = new CControlSite(hParent, nID, pEventTarget); // COM-counted: released in DestroyControl
    m_pSite->SetRect(rect);
    m_pObject->SetClientSite(m_pSite);

    IPersistStreamInit* pPersist = nullptr;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist)))) {
        pPersist->InitNew();
        pPersist->Release();
    }
    SIZEL extent = PixelsToHimetric(rect);
    m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
    m_pObject->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pDispatch));

    RECT position = rect;
    HWND hControl = nullptr;
    if (SUCCEEDED(m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite, 0, hParent, &position))
        && SUCCEEDED(m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlace))))
        m_pInPlace->GetWindow(&hControl);
    if (!hControl || !::IsWindow(hControl)) {
        DestroyControl();
        return FALSE;
    }
    Attach(hControl);
    SetWindowLongPtrW(hControl, GWLP_ID, static_cast<LONG_PTR>(nID));
    ::ShowWindow(hControl, bVisible ? SW_SHOWNA : SW_HIDE);
    ConnectEvents();
    return TRUE;
}

void CControlWnd::ConnectEvents()
{
    IProvideClassInfo2* pClassInfo = nullptr;
    IConnectionPointContainer* pContainer = nullptr;
    IID eventIid = IID_NULL;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&pClassInfo)))) {
        pClassInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventIid);
        pClassInfo->Release();
    }
    if (eventIid != IID_NULL
        && SUCCEEDED(m_pObject->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
        m_pSite->SetEventIid(eventIid);
        if (SUCCEEDED(pContainer->FindConnectionPoint(eventIid, &m_pEventPoint))
            && FAILED(m_pEventPoint->Advise(m_pSite->GetEventSink(), &m_dwEventCookie)))
            ReleaseAndClear(m_pEventPoint);
        pContainer->Release();
    }
}

void CControlWnd::DestroyControl()
{
    if (m_pEventPoint) {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        ReleaseAndClear(m_pEventPoint);
    }
    if (m_pSite)
        m_pSite->Disconnect();
    Detach();
    if (m_pInPlace)
        m_pInPlace->InPlaceDeactivate();
    ReleaseAndClear(m_pInPlace);
    ReleaseAndClear(m_pDispatch);
    if (m_pObject) {
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject->SetClientSite(nullptr);
    }
    ReleaseAndClear(m_pObject);
    ReleaseAndClear(m_pSite);
}

BOOL CControlWnd::MoveControl(const RECT& rect)
{
    if (!m_pInPlace)
        return FALSE;
    m_pSite->SetRect(rect);
    if (m_pObject) {
        SIZEL extent = PixelsToHimetric(rect);
        m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
    }
    return SUCCEEDED(m_pInPlace->SetObjectRects(&rect, &rect));
}
