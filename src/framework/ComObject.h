// CComObject: the reference count of a COM object served by this module. The module counts the
// object as live from construction to destruction, so that DllCanUnloadNow answers correctly.
// A class lists its interfaces in GetInterface and gets IUnknown from DECLARE_IUNKNOWN().
#pragma once
#include "ComPointer.h"

#include <utility>

class CComObject {
public:
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

protected:
    CComObject();            // the creator holds the first reference
    virtual ~CComObject();

    ULONG InternalAddRef();
    ULONG InternalRelease(); // calls OnFinalRelease, then deletes the object, at zero
    HRESULT InternalQueryInterface(REFIID riid, void** ppv);

    // The interface for riid or null; IID_IUnknown must give the same pointer every time.
    virtual void* GetInterface(REFIID riid) = 0;
    // Runs while the object is still whole, before it is deleted (windows and sites go here).
    virtual void OnFinalRelease() {}

private:
    LONG m_nRefs = 1;
};

#define DECLARE_IUNKNOWN()                                                                         \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return InternalQueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return InternalAddRef(); }                            \
    STDMETHODIMP_(ULONG) Release() override { return InternalRelease(); }

// A new object of class T held by a smart pointer (T has DECLARE_IUNKNOWN).
template <class T, class... Args>
CComPointer<T> NewComObject(Args&&... args)
{
    CComPointer<T> p;
    p.Attach(new T(std::forward<Args>(args)...));
    return p;
}

// Creates a new T and answers the interface asked for: the creator of a class factory.
template <class T>
HRESULT CreateComObject(REFIID riid, void** ppv)
{
    CComPointer<T> p = NewComObject<T>();
    return p->QueryInterface(riid, ppv);
}
