// CComPointer<T>: holds one reference to a COM interface (AddRef on copy, Release when it goes).
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

template <class T>
class CComPointer {
public:
    CComPointer() = default;
    CComPointer(T* p) : m_p(p) { AddRefHeld(); }
    CComPointer(const CComPointer& other) : m_p(other.m_p) { AddRefHeld(); }
    CComPointer(CComPointer&& other) noexcept : m_p(other.Detach()) {}
    ~CComPointer() { Reset(); }

    CComPointer& operator=(T* p)
    {
        if (p)
            p->AddRef();
        Attach(p);
        return *this;
    }
    CComPointer& operator=(const CComPointer& other) { return *this = other.m_p; }
    CComPointer& operator=(CComPointer&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }

    // Address for an [out] argument: the current reference is released first.
    T** Out()
    {
        Reset();
        return &m_p;
    }
    // Address for an [in, out] argument: the callee may release and replace the reference.
    T** Ref() { return &m_p; }

    void Reset() { Attach(nullptr); }
    void Attach(T* p)   // takes over a reference
    {
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
    }
    T* Detach() { return std::exchange(m_p, nullptr); }

    HRESULT QueryFrom(IUnknown* pUnknown) { return QueryFrom(pUnknown, __uuidof(T)); }
    // For interfaces the headers declare without a uuid.
    HRESULT QueryFrom(IUnknown* pUnknown, REFIID iid)
    {
        Reset();
        return pUnknown ? pUnknown->QueryInterface(iid, reinterpret_cast<void**>(&m_p)) : E_POINTER;
    }
    HRESULT CreateInstance(REFCLSID clsid, DWORD dwContext = CLSCTX_INPROC_SERVER)
    {
        Reset();
        return CoCreateInstance(clsid, nullptr, dwContext, __uuidof(T), reinterpret_cast<void**>(&m_p));
    }

private:
    void AddRefHeld()
    {
        if (m_p)
            m_p->AddRef();
    }

    T* m_p = nullptr;
};
