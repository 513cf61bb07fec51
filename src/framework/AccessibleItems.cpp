#include "AccessibleItems.h"

std::vector<HWND> CAccessibleItems::ChildWindows() const
{
    std::vector<HWND> windows;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::IsWindowVisible(hChild))
            windows.push_back(hChild);
    }
    return windows;
}

bool CAccessibleItems::IsConnected() const
{
    return ::IsWindow(m_hWnd) != FALSE;
}

long CAccessibleItems::ItemAt(POINT ptClient) const
{
    for (long nIndex = 0; nIndex < ItemCount(); ++nIndex) {
        const RECT rect = ItemRect(nIndex);
        if (PtInRect(&rect, ptClient))
            return nIndex;
    }
    return -1;
}

long CAccessibleItems::FocusedItem() const
{
    return -1;
}

long CAccessibleItems::SelectedItem() const
{
    return -1;
}

HRESULT CAccessibleItems::DoItemDefaultAction(long)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CAccessibleItems::SelectItem(long, long)
{
    return DISP_E_MEMBERNOTFOUND;
}

CComPointer<IDispatch> CAccessibleItems::ItemObject(long)
{
    return {};
}

std::string CAccessibleItems::OwnName() const
{
    return {};
}

long CAccessibleItems::OwnRole() const
{
    return 0;
}

HRESULT CAccessibleItems::ItemOf(const VARIANT& varChild, long* pIndex) const
{
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    *pIndex = -1;
    if (varChild.vt == VT_EMPTY || (varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF))
        return S_OK;
    const long nIndex = IndexOf(varChild);
    if (nIndex < 0 || nIndex >= ItemCount())
        return E_INVALIDARG;
    *pIndex = nIndex;
    return S_OK;
}

HRESULT CAccessibleItems::Facts(const VARIANT& varChild, ItemFacts* pFacts) const
{
    long nIndex = -1;
    HRESULT hr = ItemOf(varChild, &nIndex);
    if (SUCCEEDED(hr) && (nIndex < 0 || !GetItem(nIndex, pFacts)))
        hr = E_INVALIDARG;
    return hr;
}

STDMETHODIMP CAccessibleItems::get_accChildCount(long* pCount)
{
    if (!pCount)
        return E_POINTER;
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    *pCount = ItemCount() + static_cast<long>(ChildWindows().size());
    return S_OK;
}

STDMETHODIMP CAccessibleItems::get_accChild(VARIANT varChild, IDispatch** ppChild)
{
    if (!ppChild)
        return E_POINTER;
    *ppChild = nullptr;
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    const long nIndex = IndexOf(varChild);
    if (nIndex < 0)
        return E_INVALIDARG;
    if (nIndex < ItemCount()) {
        *ppChild = ItemObject(nIndex).Detach();
        return *ppChild ? S_OK : S_FALSE;
    }
    const std::vector<HWND> windows = ChildWindows();
    const size_t nWindow = static_cast<size_t>(nIndex - ItemCount());
    if (nWindow >= windows.size())
        return E_INVALIDARG;
    return AccessibleObjectFromWindow(windows[nWindow], OBJID_CLIENT, IID_IDispatch, reinterpret_cast<void**>(ppChild));
}

STDMETHODIMP CAccessibleItems::get_accName(VARIANT varChild, BSTR* pName)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return OwnName().empty() ? CAccessibleBase::get_accName(varChild, pName) : ReturnText(OwnName(), pName);
    ItemFacts facts;
    return GetItem(nIndex, &facts) ? ReturnText(facts.strName, pName) : E_INVALIDARG;
}

STDMETHODIMP CAccessibleItems::get_accValue(VARIANT varChild, BSTR* pValue)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return CAccessibleBase::get_accValue(varChild, pValue);
    ItemFacts facts;
    return GetItem(nIndex, &facts) ? ReturnText(facts.strValue, pValue) : E_INVALIDARG;
}

STDMETHODIMP CAccessibleItems::get_accDescription(VARIANT varChild, BSTR* pDescription)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return CAccessibleBase::get_accDescription(varChild, pDescription);
    ItemFacts facts;
    return GetItem(nIndex, &facts) ? ReturnText(facts.strDescription, pDescription) : E_INVALIDARG;
}

STDMETHODIMP CAccessibleItems::get_accRole(VARIANT varChild, VARIANT* pRole)
{
    if (!pRole)
        return E_POINTER;
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0 && OwnRole() == 0)
        return CAccessibleBase::get_accRole(varChild, pRole);
    ItemFacts facts;
    if (nIndex >= 0 && !GetItem(nIndex, &facts))
        return E_INVALIDARG;
    *pRole = ChildVariant(nIndex < 0 ? OwnRole() : facts.nRole);
    return S_OK;
}

STDMETHODIMP CAccessibleItems::get_accState(VARIANT varChild, VARIANT* pState)
{
    if (!pState)
        return E_POINTER;
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return CAccessibleBase::get_accState(varChild, pState);
    ItemFacts facts;
    if (!GetItem(nIndex, &facts))
        return E_INVALIDARG;
    *pState = ChildVariant(facts.nState);
    return S_OK;
}

STDMETHODIMP CAccessibleItems::get_accFocus(VARIANT* pChild)
{
    if (!pChild)
        return E_POINTER;
    VariantInit(pChild);
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    const HWND hFocus = ::GetFocus();
    if (hFocus && hFocus != m_hWnd && ::IsChild(m_hWnd, hFocus)) {
        pChild->vt = VT_DISPATCH;
        return AccessibleObjectFromWindow(hFocus, OBJID_CLIENT, IID_IDispatch, reinterpret_cast<void**>(&pChild->pdispVal));
    }
    if (hFocus != m_hWnd)
        return S_FALSE;
    const long nFocused = FocusedItem();
    *pChild = ChildVariant(nFocused < 0 ? CHILDID_SELF : ChildId(nFocused));
    return S_OK;
}

STDMETHODIMP CAccessibleItems::get_accSelection(VARIANT* pChildren)
{
    if (!pChildren)
        return E_POINTER;
    VariantInit(pChildren);
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    const long nSelected = SelectedItem();
    if (nSelected < 0)
        return S_FALSE;
    *pChildren = ChildVariant(ChildId(nSelected));
    return S_OK;
}

STDMETHODIMP CAccessibleItems::get_accDefaultAction(VARIANT varChild, BSTR* pAction)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return CAccessibleBase::get_accDefaultAction(varChild, pAction);
    ItemFacts facts;
    return GetItem(nIndex, &facts) ? ReturnText(facts.strDefaultAction, pAction) : E_INVALIDARG;
}

STDMETHODIMP CAccessibleItems::accSelect(long nFlags, VARIANT varChild)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    return nIndex < 0 ? CAccessibleBase::accSelect(nFlags, varChild) : SelectItem(nIndex, nFlags);
}

STDMETHODIMP CAccessibleItems::accLocation(long* pLeft, long* pTop, long* pWidth, long* pHeight, VARIANT varChild)
{
    if (!pLeft || !pTop || !pWidth || !pHeight)
        return E_POINTER;
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    if (nIndex < 0)
        return CAccessibleBase::accLocation(pLeft, pTop, pWidth, pHeight, varChild);
    RECT rect = ItemRect(nIndex);
    MapWindowPoints(m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    *pLeft = rect.left;
    *pTop = rect.top;
    *pWidth = rect.right - rect.left;
    *pHeight = rect.bottom - rect.top;
    return S_OK;
}

STDMETHODIMP CAccessibleItems::accNavigate(long nDir, VARIANT varStart, VARIANT* pEnd)
{
    if (!pEnd)
        return E_POINTER;
    VariantInit(pEnd);
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varStart, &nIndex); FAILED(hr))
        return hr;
    const long nCount = ItemCount();
    long nTo = -1;
    if (nIndex < 0 && nDir == NAVDIR_FIRSTCHILD)
        nTo = 0;
    else if (nIndex < 0 && nDir == NAVDIR_LASTCHILD)
        nTo = nCount - 1;
    else if (nIndex < 0)
        return CAccessibleBase::accNavigate(nDir, varStart, pEnd);
    else if (nDir == NAVDIR_NEXT || nDir == NAVDIR_DOWN || nDir == NAVDIR_RIGHT)
        nTo = nIndex + 1;
    else if (nDir == NAVDIR_PREVIOUS || nDir == NAVDIR_UP || nDir == NAVDIR_LEFT)
        nTo = nIndex - 1;
    if (nTo < 0 || nTo >= nCount)
        return S_FALSE;
    *pEnd = ChildVariant(ChildId(nTo));
    return S_OK;
}

STDMETHODIMP CAccessibleItems::accHitTest(long x, long y, VARIANT* pChild)
{
    if (!pChild)
        return E_POINTER;
    VariantInit(pChild);
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    POINT pt = {x, y};
    const HWND hAt = WindowFromPoint(pt);
    ScreenToClient(m_hWnd, &pt);
    const RECT client = [this] { RECT r; ::GetClientRect(m_hWnd, &r); return r; }();
    if (!PtInRect(&client, pt))
        return S_FALSE;
    if (hAt && hAt != m_hWnd && ::IsChild(m_hWnd, hAt)) {
        pChild->vt = VT_DISPATCH;
        return AccessibleObjectFromWindow(hAt, OBJID_CLIENT, IID_IDispatch, reinterpret_cast<void**>(&pChild->pdispVal));
    }
    const long nAt = ItemAt(pt);
    *pChild = ChildVariant(nAt < 0 ? CHILDID_SELF : ChildId(nAt));
    return S_OK;
}

STDMETHODIMP CAccessibleItems::accDoDefaultAction(VARIANT varChild)
{
    long nIndex = -1;
    if (const HRESULT hr = ItemOf(varChild, &nIndex); FAILED(hr))
        return hr;
    return nIndex < 0 ? CAccessibleBase::accDoDefaultAction(varChild) : DoItemDefaultAction(nIndex);
}
