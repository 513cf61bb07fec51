#include "AccessibleItem.h"

CAccessibleItem::CAccessibleItem(IAccessible* pParent, std::shared_ptr<long> pSlot)
    : m_pParent(pParent), m_pSlot(std::move(pSlot))
{
}

void* CAccessibleItem::GetInterface(REFIID riid)
{
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible))
        return static_cast<IAccessible*>(this);
    return nullptr;
}

bool CAccessibleItem::ParentId(const VARIANT& varChild, VARIANT* pId, HRESULT* pHr) const
{
    const bool bSelf = varChild.vt == VT_EMPTY || (varChild.vt == VT_I4 && varChild.lVal == CHILDID_SELF);
    if (*m_pSlot < 0) {
        *pHr = CO_E_OBJNOTCONNECTED;
        return false;
    }
    if (!bSelf) {
        *pHr = E_INVALIDARG;
        return false;
    }
    *pId = CAccessibleBase::ChildVariant(CAccessibleBase::ChildId(*m_pSlot));
    return true;
}

// Forwards a call about the object itself to the parent, with the item's id.
#define FORWARD_TO_PARENT(varChild, call)                                                           \
    VARIANT id;                                                                                     \
    HRESULT hr = S_OK;                                                                              \
    if (!ParentId(varChild, &id, &hr))                                                              \
        return hr;                                                                                  \
    return m_pParent->call

STDMETHODIMP CAccessibleItem::GetTypeInfoCount(UINT* pCount)
{
    if (!pCount)
        return E_POINTER;
    *pCount = 0;
    return S_OK;
}

STDMETHODIMP CAccessibleItem::GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo)
{
    if (ppInfo)
        *ppInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleItem::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleItem::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleItem::get_accParent(IDispatch** ppParent)
{
    if (!ppParent)
        return E_POINTER;
    *ppParent = nullptr;
    if (*m_pSlot < 0)
        return CO_E_OBJNOTCONNECTED;
    return m_pParent->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppParent));
}

STDMETHODIMP CAccessibleItem::get_accChildCount(long* pCount)
{
    if (!pCount)
        return E_POINTER;
    *pCount = 0;
    return *m_pSlot < 0 ? CO_E_OBJNOTCONNECTED : S_OK;
}

STDMETHODIMP CAccessibleItem::get_accChild(VARIANT, IDispatch** ppChild)
{
    if (!ppChild)
        return E_POINTER;
    *ppChild = nullptr;
    return *m_pSlot < 0 ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
}

STDMETHODIMP CAccessibleItem::get_accName(VARIANT varChild, BSTR* pName)
{
    FORWARD_TO_PARENT(varChild, get_accName(id, pName));
}

STDMETHODIMP CAccessibleItem::get_accValue(VARIANT varChild, BSTR* pValue)
{
    FORWARD_TO_PARENT(varChild, get_accValue(id, pValue));
}

STDMETHODIMP CAccessibleItem::get_accDescription(VARIANT varChild, BSTR* pDescription)
{
    FORWARD_TO_PARENT(varChild, get_accDescription(id, pDescription));
}

STDMETHODIMP CAccessibleItem::get_accRole(VARIANT varChild, VARIANT* pRole)
{
    FORWARD_TO_PARENT(varChild, get_accRole(id, pRole));
}

STDMETHODIMP CAccessibleItem::get_accState(VARIANT varChild, VARIANT* pState)
{
    FORWARD_TO_PARENT(varChild, get_accState(id, pState));
}

STDMETHODIMP CAccessibleItem::get_accHelp(VARIANT varChild, BSTR* pHelp)
{
    FORWARD_TO_PARENT(varChild, get_accHelp(id, pHelp));
}

STDMETHODIMP CAccessibleItem::get_accHelpTopic(BSTR* pFile, VARIANT varChild, long* pTopic)
{
    FORWARD_TO_PARENT(varChild, get_accHelpTopic(pFile, id, pTopic));
}

STDMETHODIMP CAccessibleItem::get_accKeyboardShortcut(VARIANT varChild, BSTR* pShortcut)
{
    FORWARD_TO_PARENT(varChild, get_accKeyboardShortcut(id, pShortcut));
}

STDMETHODIMP CAccessibleItem::get_accFocus(VARIANT* pChild)
{
    if (!pChild)
        return E_POINTER;
    VariantInit(pChild);
    return *m_pSlot < 0 ? CO_E_OBJNOTCONNECTED : S_FALSE;
}

STDMETHODIMP CAccessibleItem::get_accSelection(VARIANT* pChildren)
{
    if (!pChildren)
        return E_POINTER;
    VariantInit(pChildren);
    return *m_pSlot < 0 ? CO_E_OBJNOTCONNECTED : S_FALSE;
}

STDMETHODIMP CAccessibleItem::get_accDefaultAction(VARIANT varChild, BSTR* pAction)
{
    FORWARD_TO_PARENT(varChild, get_accDefaultAction(id, pAction));
}

STDMETHODIMP CAccessibleItem::accSelect(long nFlags, VARIANT varChild)
{
    FORWARD_TO_PARENT(varChild, accSelect(nFlags, id));
}

STDMETHODIMP CAccessibleItem::accLocation(long* pLeft, long* pTop, long* pWidth, long* pHeight, VARIANT varChild)
{
    FORWARD_TO_PARENT(varChild, accLocation(pLeft, pTop, pWidth, pHeight, id));
}

STDMETHODIMP CAccessibleItem::accNavigate(long nDir, VARIANT varStart, VARIANT* pEnd)
{
    FORWARD_TO_PARENT(varStart, accNavigate(nDir, id, pEnd));
}

STDMETHODIMP CAccessibleItem::accHitTest(long x, long y, VARIANT* pChild)
{
    if (!pChild)
        return E_POINTER;
    VariantInit(pChild);
    if (*m_pSlot < 0)
        return CO_E_OBJNOTCONNECTED;
    const HRESULT hr = m_pParent->accHitTest(x, y, pChild);
    const bool bHere = hr == S_OK && pChild->vt == VT_I4 && pChild->lVal == CAccessibleBase::ChildId(*m_pSlot);
    VariantClear(pChild);
    if (!bHere)
        return S_FALSE;
    *pChild = CAccessibleBase::ChildVariant(CHILDID_SELF);
    return S_OK;
}

STDMETHODIMP CAccessibleItem::accDoDefaultAction(VARIANT varChild)
{
    FORWARD_TO_PARENT(varChild, accDoDefaultAction(id));
}

STDMETHODIMP CAccessibleItem::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleItem::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
