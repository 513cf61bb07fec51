// CConnectionPoint: one outgoing interface of an object (an event dispinterface or
// IPropertyNotifySink) with any number of connected sinks. It lives inside its container and
// shares the container's reference count.
#pragma once
#include "ComPointer.h"

#include <ocidl.h>

#include <vector>

class CConnectionPoint : public IConnectionPoint {
public:
    // bDispatch: the sinks are called through IDispatch (a sink that only answers IDispatch is
    // accepted too); otherwise they must answer iid itself.
    CConnectionPoint(IConnectionPointContainer* pContainer, REFIID iid, bool bDispatch);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* pIID) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    STDMETHODIMP Unadvise(DWORD dwCookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override;

    REFIID GetIID() const { return m_iid; }
    size_t SinkCount() const { return m_sinks.size(); }

    // Calls dispid on every dispatch sink. args are in the caller's order; by-reference ones
    // point at the firer's storage, so what a sink writes there reaches the firer.
    void FireDispatch(DISPID dispid, const VARIANT* args, UINT count);
    // IPropertyNotifySink::OnChanged on every sink.
    void FireOnChanged(DISPID dispid);

private:
    struct Sink {
        DWORD dwCookie;
        CComPointer<IUnknown> pSink;   // the interface the sinks are called through
    };
    std::vector<CComPointer<IUnknown>> Snapshot() const;

    IConnectionPointContainer* m_pContainer;
    IID m_iid;
    bool m_bDispatch;
    std::vector<Sink> m_sinks;
    DWORD m_dwNextCookie = 1;
};
