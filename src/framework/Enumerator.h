// CEnumerator: a COM enumerator (IEnumConnections, IEnumConnectionPoints) over a snapshot of
// items; every item handed out carries its own reference.
#pragma once
#include "ComObject.h"

#include <ocidl.h>

#include <vector>

namespace enumerator_detail {
inline IUnknown* Held(IConnectionPoint* p) { return p; }
inline IUnknown* Held(const CONNECTDATA& data) { return data.pUnk; }
} // namespace enumerator_detail

template <class IEnum, class Item>
class CEnumerator : public IEnum, public CComObject {
public:
    explicit CEnumerator(std::vector<Item> items, size_t position = 0) : m_items(std::move(items)), m_nPosition(position)
    {
        for (const Item& item : m_items)
            enumerator_detail::Held(item)->AddRef();
    }
    ~CEnumerator() override
    {
        for (const Item& item : m_items)
            enumerator_detail::Held(item)->Release();
    }

    DECLARE_IUNKNOWN()

    STDMETHODIMP Next(ULONG cItems, Item* rgItems, ULONG* pcFetched) override
    {
        if (!rgItems || (cItems > 1 && !pcFetched))
            return E_POINTER;
        ULONG fetched = 0;
        for (; fetched < cItems && m_nPosition < m_items.size(); ++fetched, ++m_nPosition) {
            rgItems[fetched] = m_items[m_nPosition];
            enumerator_detail::Held(rgItems[fetched])->AddRef();
        }
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
