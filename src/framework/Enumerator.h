// CEnumerator: a COM enumerator (IEnumConnections, IEnumConnectionPoints, IEnumOLEVERB) over a
// snapshot of items; every item handed out carries its own reference (or its own copy of a
// verb's name) for the caller to release.
#pragma once
#include "ComObject.h"

#include <ocidl.h>
#include <oleidl.h>

#include <vector>

namespace enumerator_detail {
// Share: a copy that owns its own reference; Drop: gives that reference up.
inline IConnectionPoint* Share(IConnectionPoint* p)
{
    p->AddRef();
    return p;
}
inline void Drop(IConnectionPoint* p) { p->Release(); }
inline CONNECTDATA Share(const CONNECTDATA& data)
{
    data.pUnk->AddRef();
    return data;
}
inline void Drop(const CONNECTDATA& data) { data.pUnk->Release(); }
inline OLEVERB Share(const OLEVERB& verb)
{
    OLEVERB copy = verb;
    const size_t bytes = (lstrlenW(verb.lpszVerbName) + 1) * sizeof(wchar_t);
    copy.lpszVerbName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy.lpszVerbName)
        CopyMemory(copy.lpszVerbName, verb.lpszVerbName, bytes);
    return copy;
}
inline void Drop(const OLEVERB& verb) { CoTaskMemFree(verb.lpszVerbName); }
} // namespace enumerator_detail

template <class IEnum, class Item>
class CEnumerator : public IEnum, public CComObject {
public:
    explicit CEnumerator(const std::vector<Item>& items, size_t position = 0) : m_nPosition(position)
    {
        for (const Item& item : items)
            m_items.push_back(enumerator_detail::Share(item));
    }
    ~CEnumerator() override
    {
        for (const Item& item : m_items)
            enumerator_detail::Drop(item);
    }

    DECLARE_IUNKNOWN()

    STDMETHODIMP Next(ULONG cItems, Item* rgItems, ULONG* pcFetched) override
    {
        if (!rgItems || (cItems > 1 && !pcFetched))
            return E_POINTER;
        ULONG fetched = 0;
        for (; fetched < cItems && m_nPosition < m_items.size(); ++fetched, ++m_nPosition)
            rgItems[fetched] = enumerator_detail::Share(m_items[m_nPosition]);
        if (pcFetched)
            *pcFetched = fetched;
        return fetched == cItems ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG cItems) override
    {
        const size_t left = m_items.size() - m_nPosition;
        m_nPosition += cItems < left ? cItems : left;
        return cItems <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_nPosition = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = NewComObject<CEnumerator>(m_items, m_nPosition).Detach();
        return S_OK;
    }

protected:
    void* GetInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(IEnum)))
            return static_cast<IEnum*>(this);
        return nullptr;
    }

private:
    std::vector<Item> m_items;
    size_t m_nPosition;
};
