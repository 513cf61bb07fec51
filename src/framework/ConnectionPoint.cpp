#include "ConnectionPoint.h"

#include "ComObject.h"
#include "Enumerator.h"
#include "GuardCall.h"

#include <olectl.h>

#include <algorithm>

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* pContainer, REFIID iid, bool bDispatch)
    : m_pContainer(pContainer), m_iid(iid), m_bDispatch(bDispatch)
{
}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IConnectionPoint))
        return E_NOINTERFACE;
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CConnectionPoint::AddRef()
{
    return m_pContainer->AddRef();
}

STDMETHODIMP_(ULONG) CConnectionPoint::Release()
{
    return m_pContainer->Release();
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* pIID)
{
    if (!pIID)
        return E_POINTER;
    *pIID = m_iid;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (!ppCPC)
        return E_POINTER;
    *ppCPC = m_pContainer;
    m_pContainer->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (!pUnkSink || !pdwCookie)
        return E_POINTER;
    *pdwCookie = 0;
    CComPointer<IUnknown> pSink;
    if (FAILED(pUnkSink->QueryInterface(m_iid, reinterpret_cast<void**>(pSink.Out())))
        && !(m_bDispatch && SUCCEEDED(pUnkSink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(pSink.Out())))))
        return CONNECT_E_CANNOTCONNECT;
    *pdwCookie = m_dwNextCookie++;
    m_sinks.push_back({*pdwCookie, pSink});
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD dwCookie)
{
    auto it = std::find_if(m_sinks.begin(), m_sinks.end(), [dwCookie](const Sink& s) { return s.dwCookie == dwCookie; });
    if (it == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    // The sink may be released only after it is off the list: its release can call back here.
    CComPointer<IUnknown> pGone = it->pSink;
    m_sinks.erase(it);
    return S_OK;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** ppEnum)
{
    if (!ppEnum)
        return E_POINTER;
    std::vector<CONNECTDATA> items;
    for (const Sink& s : m_sinks)
        items.push_back({s.pSink.Get(), s.dwCookie});
    *ppEnum = NewComObject<CEnumerator<IEnumConnections, CONNECTDATA>>(items).Detach();
    return S_OK;
}

std::vector<CComPointer<IUnknown>> CConnectionPoint::Snapshot() const
{
    // Sinks may advise or unadvise while they are called.
    std::vector<CComPointer<IUnknown>> sinks;
    for (const Sink& s : m_sinks)
        sinks.push_back(s.pSink);
    return sinks;
}

void CConnectionPoint::FireDispatch(DISPID dispid, const VARIANT* args, UINT count)
{
    std::vector<VARIANT> reversed(args, args + count);
    std::reverse(reversed.begin(), reversed.end());
    // A sink of this module that throws is one sink failing: the others still hear the event.
    for (const CComPointer<IUnknown>& pSink : Snapshot()) {
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, count, 0};
        GuardCall([&] {
            return static_cast<IDispatch*>(pSink.Get())->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                                                 &params, nullptr, nullptr, nullptr);
        }, E_UNEXPECTED);
    }
}

void CConnectionPoint::FireOnChanged(DISPID dispid)
{
    for (const CComPointer<IUnknown>& pSink : Snapshot())
        GuardCall([&] { return static_cast<IPropertyNotifySink*>(pSink.Get())->OnChanged(dispid); }, E_UNEXPECTED);
}
